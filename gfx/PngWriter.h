// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a surface as a PNG file (for snapshots and test failure pictures).
#pragma once

#include "gfx/Surface.h"

#include <string>

bool WritePng(const std::string& path, const Surface& surface);
