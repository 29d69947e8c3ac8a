// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's texts in the family's language: every text a player reads goes through Tr.
#pragma once

// The texts are written in Chinese (UTF-8) and looked up in the zimbly catalogue of the language
// chosen at start-up; with no catalogue in use a text is itself. The result stays valid for the
// whole run. xgettext finds the texts by this name (po/CMakeLists.txt).
// The compiler checks a text used as a printf format against its arguments.
[[gnu::format_arg(1)]] const char* Tr(const char* text);

// The same for a text that reads differently where context says so (a word alone, or ending a
// sentence elsewhere): the catalogue keys it by context and text. xgettext: TrIn:1c,2.
[[gnu::format_arg(2)]] const char* TrIn(const char* context, const char* text);

// A text with a count, in the form the language gives that count ("1 time", "2 times"); Chinese
// has one form, so both arguments are the same text. xgettext: TrN:1,2.
[[gnu::format_arg(1), gnu::format_arg(2)]] const char* TrN(const char* text, const char* plural,
                                                           unsigned long count);

// The catalogues' text domain: zimbly.mo under <locale folder>/<language>/LC_MESSAGES.
constexpr const char* TEXT_DOMAIN = "zimbly";
