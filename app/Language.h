// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which language the game speaks: the desktop's choice, made once at start-up.
#pragma once

#include <functional>
#include <string>

// The variables that name the desktop's language, in the order they are asked.
struct asLANGUAGEVARIABLES {
    std::string strLanguage;   // LANGUAGE: a list of languages by preference, split by ':'
    std::string strLcAll;      // LC_ALL
    std::string strLcMessages; // LC_MESSAGES
    std::string strLang;       // LANG
};

// The catalogue to use, or empty for the texts as written (Chinese). The first variable that is
// set decides; each language it names is tried in turn: Chinese (zh, zh_*), C and POSIX keep the
// texts as written, a language with a catalogue (hasCatalogue, by its full name such as pt_BR,
// then by its language alone) gets it. A desktop that names only languages without a catalogue
// gets English. LANGUAGE counts in the C locale too, unlike the C library's own rule.
std::string ChooseLanguage(const asLANGUAGEVARIABLES& variables,
                           const std::function<bool(const std::string&)>& hasCatalogue);

// Chooses the language and, unless it is Chinese, makes Tr look its texts up in that catalogue,
// found beside the executable in the build tree or under the install prefix's share/locale.
// Call before anything is translated and before any thread starts. Returns the language put in
// use, empty for the texts as written.
std::string UseDesktopLanguage(const asLANGUAGEVARIABLES& variables);
