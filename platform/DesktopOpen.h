// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Handing a file to the desktop's chosen program (the browser for a page).
#pragma once

#include <string>

// Starts `xdg-open path` without waiting for it. False, with error set, when it cannot be started
// (not installed, or no process could be made).
bool OpenWithDesktop(const std::string& path, std::string& error);
