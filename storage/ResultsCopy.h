// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The copy, made once, of the results a game started from its build folder kept there, into the
// folder where they are kept from then on.
#pragma once

#include "storage/FileIo.h"

#include <string>
#include <vector>

// True when toDir holds no data file named dataFileName yet and fromDir (another folder) holds a
// data file or an answer record.
bool HasResultsToCopy(const std::string& fromDir, const std::string& toDir,
                      const std::string& dataFileName);

struct asRESULTSCOPY {
    std::vector<std::string> arrCopied; // the names copied, in order
    std::string strFailed;              // empty, or what could not be copied and why
};

// When HasResultsToCopy: copies the answer record, then the data file, from fromDir into toDir,
// each one only when toDir does not hold it yet, so that a copy a crash cut short is taken up
// again at the next start. Each copy is crash-safe, with its source's permission bits and group;
// links are followed as the saves follow them (a refused one stops the copy). A record with a
// write-ahead log or a journal beside it is copied as the database they make together, at rest.
// fromDir is left as it is; on failure so is toDir (what this call copied is removed again). Only
// for a caller that holds the writer locks of both folders.
asRESULTSCOPY CopyResultsOnce(const std::string& fromDir, const std::string& toDir,
                              const std::string& dataFileName,
                              const asFILEOPS& ops = SystemFileOps());
