// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Texts looked up in the C library's message catalogues.
#include "platform/Translate.h"

#include <libintl.h>

const char* Tr(const char* text) {
    return dgettext(TEXT_DOMAIN, text);
}
