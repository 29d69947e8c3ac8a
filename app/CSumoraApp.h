// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The application: start-up and shut-down in a fixed order around the window's message loop.
#pragma once

#include "app/Environment.h"
#include "facts/ChildReview.h"
#include "storage/HistoryWriter.h"
#include "storage/WriterLock.h"

#include <optional>

class CSumoraApp {
public:
    // Loads the data (or the defaults), opens the window and runs it; saves at the end.
    // Returns the process exit code.
    // fullScreen, when given, overrides the remembered choice for this start.
    // mute silences this start whatever was remembered (and is not remembered itself);
    // noReview draws every page without review this start, whatever the settings file says.
    int Run(const asENVIRONMENT& environment, std::optional<bool> fullScreen = std::nullopt,
            bool mute = false, bool noReview = false);

private:
    // The writer's lock on the data file at path, into lock; false (with the process's exit code)
    // when another holds it. A copy of the game that is closing is waited for.
    static bool TakeWriterLock(const std::string& path, asWRITERLOCK& lock, int& exitCode);
    // Results an earlier start from the build folder kept there are copied to the per-user folder
    // once (both folders' locks held); false (with the exit code) when a copy there is the writer.
    bool MoveResultsFromBuildFolder(const std::string& buildDirectory, const asUSERPLACES& places,
                                    int& exitCode);
    // The saves check the lock before each write, or stop when there is no lock to hold.
    void KeepWithWriterLock();
    bool InitInstance(const asENVIRONMENT& environment, bool fullScreen, bool mute, bool review);
    // The record's path once it is started; empty when this start records nothing.
    std::string StartAnswerRecord();
    int ExitInstance();

    asWRITERLOCK m_WriterLock;
    CHistoryWriter m_History;
    std::optional<CChildReview> m_Review;
};
