// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's language chosen and its message catalogue put in use.
#include "app/Language.h"

#include "platform/Translate.h"
#include "storage/Paths.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <libintl.h>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& list) {
    std::vector<std::string> names;
    for (size_t start = 0; start <= list.size();) {
        const size_t end = std::min(list.find(':', start), list.size());
        if (end > start) names.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// The languages the desktop asks for, by preference.
std::vector<std::string> WantedLanguages(const asLANGUAGEVARIABLES& variables) {
    std::vector<std::string> names = Split(variables.strLanguage);
    if (!names.empty()) return names;
    for (const std::string* locale :
         {&variables.strLcAll, &variables.strLcMessages, &variables.strLang})
        if (!locale->empty()) return {*locale};
    return {"C"};
}

bool IsWrittenLanguage(const std::string& name) {
    return name == "C" || name == "POSIX" || name == "zh" || name.starts_with("zh_");
}

// The folders that may hold the catalogues: the build tree's (the game and the tools beside it,
// the tests one folder down), then the install prefix's.
std::vector<std::string> CatalogueFolders() {
    const std::string executableDirectory = GetExecutableDirectory();
    if (executableDirectory.empty()) return {};
    return {executableDirectory + "locale", executableDirectory + "../locale",
            executableDirectory + "../share/locale"};
}

std::string CataloguePath(const std::string& folder, const std::string& language) {
    return folder + "/" + language + "/LC_MESSAGES/" + TEXT_DOMAIN + ".mo";
}

} // namespace

std::string ChooseLanguage(const asLANGUAGEVARIABLES& variables,
                           const std::function<bool(const std::string&)>& hasCatalogue) {
    for (const std::string& wanted : WantedLanguages(variables)) {
        // en_GB.UTF-8@euro: the codeset and the modifier do not choose a catalogue.
        const std::string name = wanted.substr(0, wanted.find_first_of(".@"));
        if (IsWrittenLanguage(name)) return {};
        if (hasCatalogue(name)) return name;
        const std::string language = name.substr(0, name.find('_'));
        if (language != name && hasCatalogue(language)) return language;
    }
    return "en";
}

std::string UseDesktopLanguage(const asLANGUAGEVARIABLES& variables) {
    const std::vector<std::string> folders = CatalogueFolders();
    const auto folderOf = [&folders](const std::string& language) -> std::string {
        for (const std::string& folder : folders)
            if (PathExists(CataloguePath(folder, language))) return folder;
        return {};
    };
    const std::string language = ChooseLanguage(
        variables, [&folderOf](const std::string& name) { return !folderOf(name).empty(); });
    // Chinese: the texts as written, no catalogue looked at; no catalogue found: the same.
    if (language.empty()) return {};
    const std::string folder = folderOf(language);
    if (folder.empty()) return {};
    bindtextdomain(TEXT_DOMAIN, folder.c_str());
    bind_textdomain_codeset(TEXT_DOMAIN, "UTF-8");
    // The C library looks in no catalogue in the C locale, which is the game's; C.UTF-8 is on every
    // machine, and LANGUAGE then names the catalogue. Only messages change: numbers, dates and
    // sorting keep the C locale. The programs the game starts (the report's browser) see the
    // language the game speaks.
    // Without it (a C library that lacks C.UTF-8) every text stays Chinese, and the pictures too.
    if (std::setlocale(LC_MESSAGES, "C.UTF-8") == nullptr) return {};
    setenv("LANGUAGE", language.c_str(), 1);
    return language;
}
