// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// File operations that fail once, at a chosen step, as an I/O error would: for checking that a
// write cut short at any point leaves everything as it was.
#pragma once

#include "storage/FileIo.h"

#include <cerrno>
#include <memory>

// Counts every call made through the returned operations (create, one per write call, flush,
// close, rename) from 1; the stepth fails with EIO and does nothing, except that a failing close
// still releases the descriptor, as a real one does. Every other call is the system's.
inline asFILEOPS FileOpsFailingAtStep(int step) {
    const auto steps = std::make_shared<int>(0);
    const auto fails = [steps, step] {
        if (++*steps != step) return false;
        errno = EIO;
        return true;
    };
    const asFILEOPS& system = SystemFileOps();
    return {
        [=](const char* path, int flags, mode_t mode) {
            return fails() ? -1 : system.fnOpen(path, flags, mode);
        },
        [=](int fd, const void* data, size_t size) -> ssize_t {
            return fails() ? -1 : system.fnWrite(fd, data, size);
        },
        [=](int fd) { return fails() ? -1 : system.fnFsync(fd); },
        [=](int fd) {
            if (!fails()) return system.fnClose(fd);
            system.fnClose(fd);
            errno = EIO;
            return -1;
        },
        [=](const char* from, const char* to) { return fails() ? -1 : system.fnRename(from, to); },
    };
}
