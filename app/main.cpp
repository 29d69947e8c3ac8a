// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point: the command-line options, then the parents' report, or the font check and the game.
#include "app/CSumoraApp.h"
#include "app/Language.h"
#include "app/ReportCommand.h"
#include "gfx/Pictures.h"
#include "gfx/Text.h"
#include "platform/Translate.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// The usage, in four parts so that each translates on its own.
void PrintUsage(std::FILE* to) {
    // TRANSLATORS: --help, the command lines, then what the game is. The words in capitals after an
    // option name what it takes; keep the option names as they stand and the continuation lines
    // under the first command.
    std::fputs(
        Tr("用法：zimbly [--fullscreen | --window] [--mute] [--no-review] [--help | --version]\n"
           "      zimbly --report [--child 名字] [--out 文件] [--threshold 秒数] [答题记录...]\n"
           "      zimbly --export-csv [--child 名字] [--out 文件] [答题记录...]\n"
           "给小朋友练习加减法的游戏。\n"),
        to);
    // TRANSLATORS: --help, the game's options. Keep the option names and the file path as they
    // stand and the descriptions in one column.
    std::fputs(
        Tr("  --fullscreen  这次全屏开始（玩的时候按 F11 切换）\n"
           "  --window      这次在窗口里开始\n"
           "  --mute        这次不出声音（按 M 关掉、打开声音）\n"
           "  --no-review   这次不复习：每页的题都随机出。复习开着时（默认），每页最多有 3 道题\n"
           "                是当前小朋友要复习的题：做错的题下一页再出，直到连续两次都很快答对；\n"
           "                做得慢的题当天稍后再出；会做的题过 1、3、7、21 和 60 天再出。\n"
           "                在 ~/.config/zimbly/settings 里写一行 review=off 就关掉复习\n"
           "两个都不写时，游戏照上次离开时的样子开始；屏幕比游戏窗口小时，全屏开始。\n"),
        to);
    // TRANSLATORS: --help, the report's options, as above.
    std::fputs(
        Tr("  --report      用答题记录写出给家长看的报告（一个 HTML 网页），没有 --out 时\n"
           "                用浏览器打开它；不需要显示器\n"
           "  --export-csv  把每一次答题写成 CSV（没有 --out 时写到标准输出）\n"
           "  --child 名字  只要这个小朋友（没有名字的小朋友 或 \"\"：没选小朋友时做的练习）\n"
           "  --threshold 秒数\n"
           "                在这个时间以内答对算熟练（默认 6 秒）\n"
           "  答题记录      要读的答题记录（默认：游戏数据文件旁边的 zimbly-history.sqlite，\n"
           "                第一次答题时建立）；给出的记录有一个读不了时，退出状态为 1\n"),
        to);
    // TRANSLATORS: --help, the keys. Key names may be translated where the keyboard's own label is
    // a word; keep the descriptions in one column.
    std::fputs(
        Tr("\n"
           "按键：\n"
           "  方向键、Tab、Shift+Tab   移动焦点（标题、用户、设置面板、名字板、列表）\n"
           "  Enter 或空格             选择有焦点的按钮，和用鼠标点一样\n"
           "  Escape                   后退一步（先退出全屏）；它不会关掉游戏：只有“离开”牌能关\n"
           "                           （用鼠标点，或在它上面按 Enter）\n"
           "  1 到 8                   标题：开始这块木牌的练习\n"
           "  向右或 Enter             设置行：打开它的面板\n"
           "  向左、向右               设置面板：减小、加大数的范围（按住不放：连续变）\n"
           "  空格                     设置面板：勾选或取消有焦点的题型\n"
           "  0 到 9、小键盘数字       练习页：输入答案\n"
           "  Enter                    练习页：检查答案\n"
           "  Backspace                删掉最后一个数字，或名字的最后一个字\n"
           "  Delete                   练习页：清除答案（红叉球）\n"
           "  H                        练习页：放大镜\n"
           "  Page Up、Page Down       练习页：换一页（卷起的页角）\n"
           "  Ctrl+Enter               练习页：做完这次练习（书）\n"
           "  Home                     练习页：离开这次练习，不记录\n"
           "  F11                      全屏和窗口之间切换\n"
           "  M                        关掉、打开声音（输入名字时除外）；会记住这个选择\n"),
        to);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arrArgs(argv + 1, argv + argc);
    const asENVIRONMENT environment = ReadEnvironment();
    // The pictures with words follow the texts' language (the report uses no picture).
    UsePictureLanguage(UseDesktopLanguage(environment.language));
    if (IsReportCommand(arrArgs)) {
        asREPORTCOMMAND command;
        std::string error;
        if (!ParseReportCommand(arrArgs, command, error)) {
            std::fprintf(stderr, "zimbly: %s\n", error.c_str());
            PrintUsage(stderr);
            return 2;
        }
        return RunReportCommand(command, environment);
    }
    std::optional<bool> fullScreen;
    bool mute = false;
    bool noReview = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0 && argc == 2) {
            std::printf("zimbly %s\n", ZIMBLY_VERSION);
            std::fputs(Tr("许可证：GNU GPL 第 3 版或更新的版本（GPL-3.0-or-later）\n"), stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 && argc == 2) {
            PrintUsage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--fullscreen") == 0 && !fullScreen) {
            fullScreen = true;
        } else if (std::strcmp(argv[i], "--window") == 0 && !fullScreen) {
            fullScreen = false;
        } else if (std::strcmp(argv[i], "--mute") == 0 && !mute) {
            mute = true;
        } else if (std::strcmp(argv[i], "--no-review") == 0 && !noReview) {
            noReview = true;
        } else {
            std::fprintf(stderr, Tr("zimbly: 多余的参数“%s”\n"), argv[i]);
            PrintUsage(stderr);
            return 2;
        }
    }
    std::string error;
    if (!InitTextRenderer(error)) {
        std::fprintf(stderr, "zimbly: %s\n", error.c_str());
        return 1;
    }
    CSumoraApp app;
    return app.Run(environment, fullScreen, mute, noReview);
}
