// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The language the game speaks from the desktop's variables: their order, the C locale, Chinese,
// and a language that has no catalogue.
#include "app/Language.h"

#include <gtest/gtest.h>

#include <set>

TEST(Language, TheFirstVariableSetDecidesAndUnknownLanguagesGetEnglish) {
    const std::set<std::string> catalogues = {"en", "de", "pt_BR"};
    const auto has = [&](const std::string& name) { return catalogues.contains(name); };
    struct asCASE {
        asLANGUAGEVARIABLES variables; // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        std::string strExpected;       // empty: the texts as written, Chinese
    };
    const asCASE cases[] = {
        {{"", "", "", ""}, ""},
        {{"", "", "", "C"}, ""},
        {{"", "", "", "C.UTF-8"}, ""},
        {{"", "", "", "POSIX"}, ""},
        {{"", "", "", "zh_CN.UTF-8"}, ""},
        {{"", "", "", "zh_TW.Big5"}, ""},
        {{"", "", "", "en_US.UTF-8"}, "en"},
        {{"", "", "", "de_AT.UTF-8@euro"}, "de"},
        {{"", "", "", "pt_BR.UTF-8"}, "pt_BR"},
        {{"", "", "", "pt_PT.UTF-8"}, "en"},
        {{"", "", "", "fr_FR.UTF-8"}, "en"},
        // Each variable stands before the ones after it.
        {{"", "zh_CN.UTF-8", "de_DE.UTF-8", "en_US.UTF-8"}, ""},
        {{"", "", "de_DE.UTF-8", "zh_CN.UTF-8"}, "de"},
        {{"", "C", "", "de_DE.UTF-8"}, ""},
        {{"de", "zh_CN.UTF-8", "", ""}, "de"},
        // LANGUAGE is a list by preference, and counts in the C locale too.
        {{"fr:de:en", "", "", "zh_CN.UTF-8"}, "de"},
        {{"fr::zh_CN", "", "", "en_US.UTF-8"}, ""},
        {{"en", "", "", "C"}, "en"},
        {{"fr", "", "", "zh_CN.UTF-8"}, "en"},
        {{"::", "", "", "de_DE.UTF-8"}, "de"},
    };
    for (const asCASE& c : cases) {
        const asLANGUAGEVARIABLES& v = c.variables;
        EXPECT_EQ(ChooseLanguage(v, has), c.strExpected)
            << "LANGUAGE=" << v.strLanguage << " LC_ALL=" << v.strLcAll
            << " LC_MESSAGES=" << v.strLcMessages << " LANG=" << v.strLang;
    }
}
