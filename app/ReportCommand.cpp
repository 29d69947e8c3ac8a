// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The report and the export from the command line: options, the histories read one by one,
// the output written and (for the page) handed to the desktop.
#include "app/ReportCommand.h"

#include "gfx/Gbk.h"
#include "platform/Clock.h"
#include "platform/DesktopOpen.h"
#include "platform/Translate.h"
#include "report/CsvExport.h"
#include "report/HtmlText.h"
#include "report/ReportPage.h"
#include "storage/FileIo.h"
#include "storage/HistorySchema.h"
#include "storage/Paths.h"
#include "users/UserData.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

constexpr double MAX_THRESHOLD_SECONDS = 600;

// The record beside the data file the game would use now; before the first save in the
// per-user folder (or the copy from a build folder), the one beside the family's file that is
// read meanwhile.
std::string DefaultHistoryPath(const asUSERPLACES& places) {
    const asDATAFILEPLACE place = FindDataFilePlace(places);
    const std::string written = DirectoryOf(place.strWritePath) + "/" + HISTORY_FILE_NAME;
    if (PathExists(written) || place.strReadPath.empty()) return written;
    const std::string read = DirectoryOf(place.strReadPath) + "/" + HISTORY_FILE_NAME;
    return PathExists(read) ? read : written;
}

// The page's reason, in the page's language.
const char* ReasonOnPage(HistoryStatus status) {
    switch (status) {
    case HistoryStatus::MISSING:
        return Tr("文件不存在");
    case HistoryStatus::NOT_OURS:
        return Tr("不是本游戏的答题记录");
    case HistoryStatus::DAMAGED:
        return Tr("文件已损坏");
    case HistoryStatus::NEWER:
        return Tr("由更新版本的游戏写成，请先更新游戏");
    default:
        return Tr("无法打开");
    }
}

bool WriteOut(const std::string& path, const std::string& text) {
    const std::span bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return WriteFileAtomically(path, bytes, SystemFileOps(), FileModeRule::UMASK);
}

} // namespace

bool IsReportCommand(const std::vector<std::string>& arrArgs) {
    return !arrArgs.empty() && (arrArgs[0] == "--report" || arrArgs[0] == "--export-csv");
}

bool ParseReportCommand(const std::vector<std::string>& arrArgs, asREPORTCOMMAND& command,
                        std::string& error) {
    command = {};
    if (!IsReportCommand(arrArgs)) {
        error = "expected --report or --export-csv";
        return false;
    }
    command.nMode = arrArgs[0] == "--report" ? ReportMode::PAGE : ReportMode::CSV;
    bool bOptionsEnd = false;
    bool bChild = false, bOut = false, bThreshold = false;
    for (size_t i = 1; i < arrArgs.size(); ++i) {
        const std::string& arg = arrArgs[i];
        if (bOptionsEnd || !arg.starts_with("-") || arg == "-") {
            command.arrHistories.push_back(arg);
            continue;
        }
        if (arg == "--") {
            bOptionsEnd = true;
            continue;
        }
        const bool bKnown = arg == "--child" || arg == "--out" ||
                            (arg == "--threshold" && command.nMode == ReportMode::PAGE);
        if (!bKnown) {
            error = Format(Tr("多余的参数“%s”"), {arg});
            return false;
        }
        bool& bSeen = arg == "--child" ? bChild : arg == "--out" ? bOut : bThreshold;
        // An empty --child chooses the runs played without a child.
        if (bSeen || i + 1 >= arrArgs.size() || (arrArgs[i + 1].empty() && arg != "--child")) {
            error = Format(bSeen ? Tr("%s 写了两次") : Tr("%s 后面要写值"), {arg});
            return false;
        }
        bSeen = true;
        const std::string& value = arrArgs[++i];
        if (arg == "--child") {
            command.strChild = value;
        } else if (arg == "--out") {
            command.strOut = value;
        } else {
            char* end = nullptr;
            const double seconds = std::strtod(value.c_str(), &end);
            if (*end != '\0' || !std::isfinite(seconds) || seconds <= 0 ||
                seconds > MAX_THRESHOLD_SECONDS) {
                error = Format(Tr("--threshold 要写秒数，大于 0、不超过 600：“%s”"), {value});
                return false;
            }
            command.nThresholdMs = std::max<int64_t>(1, std::llround(seconds * 1000));
        }
    }
    return true;
}

asREPORTOUTPUT MakeReport(const asREPORTCOMMAND& command, const std::string& defaultHistory) {
    const bool bDefault = command.arrHistories.empty();
    const std::vector<std::string> arrPaths =
        bDefault ? std::vector<std::string>{defaultHistory} : command.arrHistories;

    asREPORTOPTIONS options;
    options.nThresholdMs = command.nThresholdMs;
    options.fnUtcOffsetMs = LocalOffsetMs;
    std::string strChosen;
    if (command.strChild) {
        strChosen = command.strChild->empty() ? NamelessChild() : *command.strChild;
        options.strOnlyChild = GbkFromUtf8(*command.strChild);
        if (!command.strChild->empty() && options.strOnlyChild->empty()) {
            std::fprintf(stderr, Tr("zimbly: 小朋友不能叫“%s”\n"), strChosen.c_str());
            return {"", 1};
        }
    }

    asREPORTOUTPUT output;
    asPAGEINFO info;
    info.nThresholdMs = command.nThresholdMs;
    options.nToday = LocalDay(int64_t(std::time(nullptr)) * 1000, options);
    info.nToday = options.nToday;
    info.strChosen = strChosen;
    std::vector<asCHILDREPORT> arrChildren;
    std::string csv = CsvHeader(arrPaths.size() > 1);
    bool bChildFound = false;
    for (const std::string& path : arrPaths) {
        const asHISTORYREAD read = ReadHistory(path);
        if (bDefault && read.nStatus == HistoryStatus::MISSING) {
            info.strNotYetMade = path;
            continue;
        }
        if (read.nStatus != HistoryStatus::OK) {
            std::fprintf(stderr, "zimbly: %s: %s\n", path.c_str(), read.strError.c_str());
            info.arrFailed.push_back({path, ReasonOnPage(read.nStatus)});
            output.nExitCode = 1;
            continue;
        }
        info.arrSources.push_back(path);
        info.bAnyRun |= !read.history.arrRuns.empty();
        if (command.nMode == ReportMode::CSV) {
            AppendCsvRows(csv, read.history, arrPaths.size() > 1 ? path : "", options);
            for (const asRECORDEDRUN& run : read.history.arrRuns)
                bChildFound |= IsChosenChild(run.strChild, options);
            continue;
        }
        std::vector<asCHILDREPORT> arrFound = BuildChildReports(read.history, path, options);
        bChildFound |= !arrFound.empty();
        for (asCHILDREPORT& child : arrFound)
            arrChildren.push_back(std::move(child));
    }
    // With nothing recorded yet, a name asked for is no more missing than any other.
    if (command.strChild && !bChildFound && info.bAnyRun) {
        std::fprintf(stderr, Tr("zimbly: 答题记录里没有叫“%s”的小朋友\n"), strChosen.c_str());
        output.nExitCode = 1;
    }
    output.strText =
        command.nMode == ReportMode::CSV ? std::move(csv) : WriteReportPage(arrChildren, info);
    return output;
}

int RunReportCommand(const asREPORTCOMMAND& command, const asENVIRONMENT& environment) {
    const asREPORTOUTPUT output = MakeReport(
        command, command.arrHistories.empty() ? DefaultHistoryPath(environment.places) : "");
    if (output.strText.empty()) return output.nExitCode;

    if (command.nMode == ReportMode::CSV) {
        if (command.strOut.empty()) {
            std::fwrite(output.strText.data(), 1, output.strText.size(), stdout);
            return std::fflush(stdout) == 0 ? output.nExitCode : 1;
        }
        if (!WriteOut(command.strOut, output.strText)) {
            std::fprintf(stderr, Tr("zimbly: 无法写入 %s\n"), command.strOut.c_str());
            return 1;
        }
        return output.nExitCode;
    }

    std::string out = command.strOut;
    if (out.empty()) {
        const std::string directory =
            GetUserCacheDirectory(environment.strCacheHome, environment.places.strHome);
        if (directory.empty()) {
            std::fputs(Tr("zimbly: 没有主文件夹可以放报告；请用 --out 文件\n"), stderr);
            return 1;
        }
        out = directory + "report.html";
    }
    if (!WriteOut(out, output.strText)) {
        std::fprintf(stderr, Tr("zimbly: 无法写入 %s\n"), out.c_str());
        return 1;
    }
    std::printf(Tr("zimbly: 报告在 %s\n"), out.c_str());
    if (command.strOut.empty()) {
        std::string error;
        if (!OpenWithDesktop(out, error))
            std::fprintf(stderr, Tr("zimbly: %s；请用网页浏览器打开上面的文件\n"), error.c_str());
    }
    return output.nExitCode;
}
