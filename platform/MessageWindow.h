// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A small window with a message and an OK button, for a start that cannot go on: a parent who
// started the game from the desktop sees no terminal.
#pragma once

#include <string>

// Shows the message and waits until it is closed; does nothing when no window can be shown.
void ShowMessageWindow(const std::string& titleUtf8, const std::string& textUtf8);
