// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Texts looked up in the C library's message catalogues.
#include "platform/Translate.h"

#include <libintl.h>
#include <string>

const char* Tr(const char* text) {
    return dgettext(TEXT_DOMAIN, text);
}

const char* TrN(const char* text, const char* plural, unsigned long count) {
    return dngettext(TEXT_DOMAIN, text, plural, count);
}

const char* TrIn(const char* context, const char* text) {
    // The catalogue's key: context, the EOT byte, text. A found translation is the catalogue's own
    // string, valid for the whole run; a key not found is given back, and then the text is.
    const std::string key = std::string(context) + '\004' + text;
    const char* const found = dgettext(TEXT_DOMAIN, key.c_str());
    return found == key.c_str() ? text : found;
}
