// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the data file lives, and loading and saving it without ever losing what it holds.
#include "users/UserData.h"

#include "storage/FileIo.h"
#include "storage/FileLinks.h"
#include "users/DataFile.h"

#include <algorithm>

namespace {

// What this session knows about its data file.
struct asDATAFILESTATE {
    asDATAFILEPLACE place;
    asFILEOPS ops = SystemFileOps();
    bool bPlaced = false;
    bool bMayWrite = true;         // false: the file must not be replaced in this session
    bool bLastSaveOk = true;       // false after a save that failed, until one succeeds
    std::string strProblem;        // why results are not kept, for the terminal
    std::vector<uint8_t> arrSaved; // the content last written or loaded (without an old tail)
    // The file the saves replace as it was when the session began: each save keeps its bytes
    // beyond the new content, so every save writes what a single save at exit would.
    std::vector<uint8_t> arrOldFile;
    bool bReadable = true; // false: a link on the way may not be followed
    // The file at the write path as last loaded or written (not yet known before the load).
    bool bOnDiskKnown = false;
    asFILEID onDisk;
    std::vector<uint8_t> arrOnDisk; // its bytes, when they are known
    asSAVEWATCH watch;
};

asDATAFILESTATE g_DataFileState;

std::vector<uint8_t> EncodeState() {
    return EncodeDataFile(g_ExerciseSets, g_arrUsers, g_nCurrentUser);
}

// A file that will be replaced but holds what the game cannot read is kept aside first.
void RescueBeforeReplacing(const std::string& path, const std::string& what) {
    if (!KeepRescueCopy(path, g_DataFileState.ops).empty()) return;
    g_DataFileState.bMayWrite = false;
    g_DataFileState.strProblem =
        path + " is " + what + " and no copy of it could be kept, so it is left as it is";
}

// Stops the saves mid-session; the terminal hears why as the title shows its notice.
void StopSavingAndTell(const std::string& reason) {
    StopKeepingUserData(reason);
    if (g_DataFileState.watch.fnTell) g_DataFileState.watch.fnTell(reason);
}

// An in-place overwrite would leave the old file's tail behind the new content; a save keeps it so
// the file holds the same bytes.
std::vector<uint8_t> WithOldTail(std::vector<uint8_t> bytes) {
    const std::vector<uint8_t>& old = g_DataFileState.arrOldFile;
    if (old.size() > bytes.size())
        bytes.insert(bytes.end(), old.begin() + std::ptrdiff_t(bytes.size()), old.end());
    return bytes;
}

// A file put at the path by another program since the last load or save is kept aside before the
// save replaces it. False when it could not be kept: then it is not written over.
bool KeepWhatAnotherProgramWrote(const std::string& path) {
    asDATAFILESTATE& state = g_DataFileState;
    const asFILEID now = IdentifyFile(path);
    if (!state.bOnDiskKnown || !now.bPresent || now == state.onDisk) return true;
    const std::string copy = KeepRescueCopy(path, state.ops);
    if (copy.empty()) {
        StopSavingAndTell(path + " was changed by another program and no copy of it could be "
                                 "kept, so it is left as it is");
        return false;
    }
    if (state.watch.fnTell)
        state.watch.fnTell(path +
                           " was changed by another program while the game ran; it is "
                           "kept as " +
                           copy);
    state.onDisk = now;
    return true;
}

} // namespace

asDATAFILEPLACE ChooseDataFilePlace(const std::string& executableDirectory,
                                    bool executableDirectoryWritable,
                                    const std::string& userDataDirectory,
                                    const std::function<bool(const std::string&)>& fnExists) {
    const std::string besideExecutable = executableDirectory + DATA_FILE_NAME;
    if ((!executableDirectory.empty() && executableDirectoryWritable) || userDataDirectory.empty())
        return {besideExecutable, besideExecutable};
    const std::string perUser = userDataDirectory + DATA_FILE_NAME;
    const bool readBeside =
        !executableDirectory.empty() && !fnExists(perUser) && fnExists(besideExecutable);
    return {readBeside ? besideExecutable : perUser, perUser};
}

asDATAFILEPLACE FindDataFilePlace(const asUSERPLACES& places) {
    const std::string executableDirectory = GetExecutableDirectory();
    const bool beside = !executableDirectory.empty() && IsDirectoryWritable(executableDirectory) &&
                        !IsInBuildTree(executableDirectory);
    return ChooseDataFilePlace(executableDirectory, beside,
                               beside ? std::string() : GetUserDataDirectory(places), PathExists);
}

void UseDataFilePlace(const asDATAFILEPLACE& place, const asFILEOPS& ops) {
    asDATAFILESTATE& state = g_DataFileState;
    state = {};
    state.ops = ops;
    if (place.strReadPath.empty() || place.strWritePath.empty()) return; // nowhere: no file
    const asRESOLVEDPATH read = ResolveFilePath(place.strReadPath);
    const asRESOLVEDPATH write = ResolveFilePath(place.strWritePath);
    state.place = {read.strPath, write.strPath};
    state.bPlaced = true;
    // Nothing is read through a doubtful link either; one on the read path alone (the family's
    // file in a read-only install) only keeps that file from being read.
    state.bReadable = read.strRefused.empty() && write.strRefused.empty();
    if (!write.strRefused.empty()) StopKeepingUserData(write.strRefused);
}

void WatchSaves(asSAVEWATCH watch) {
    g_DataFileState.watch = std::move(watch);
}

const asDATAFILEPLACE& GetDataFilePlace() {
    return g_DataFileState.place;
}

bool IsDataFileValid(const std::string& path) {
    const auto head = ReadFileBytes(path, DATA_FILE_HEADER_SIZE);
    return head && HasDataFileHeader(*head);
}

bool LoadUserData() {
    asDATAFILESTATE& state = g_DataFileState;
    if (!state.bPlaced) return false;
    const std::string& path = state.place.strReadPath;
    const bool replacedBySaves = path == state.place.strWritePath;
    if (!state.bReadable) return false;
    asFILEREAD read = ReadWholeFile(path, MAX_DATA_FILE_BYTES);
    if (replacedBySaves) {
        state.onDisk = read.id;
        state.bOnDiskKnown = true;
    }
    if (read.nStatus == FileReadStatus::ABSENT) return false;
    if (read.nStatus == FileReadStatus::UNREADABLE) {
        // Whatever it holds may be a family's results: never write over it.
        if (replacedBySaves) {
            state.bMayWrite = false;
            state.strProblem = path + " cannot be read (" + read.strReason + ")";
        }
        return false;
    }

    if (replacedBySaves) state.arrOldFile = state.arrOnDisk = read.arrBytes;
    asDATAFILE file;
    switch (DecodeDataFile(read.arrBytes, file)) {
    case DataFileStatus::FOREIGN:
        // An empty file holds nothing to keep.
        if (replacedBySaves && !read.arrBytes.empty())
            RescueBeforeReplacing(path, "not a data file of this game");
        return false;
    case DataFileStatus::DAMAGED:
        if (replacedBySaves) RescueBeforeReplacing(path, "damaged");
        return false;
    case DataFileStatus::VALID:
        break;
    }

    if (file.dwVersion < DATA_FILE_VERSION)
        SetDefaultExerciseSets();
    else
        std::copy(file.arrSets.begin(), file.arrSets.end(), g_ExerciseSets);
    g_arrUsers = std::move(file.arrUsers);
    g_nCurrentUser = file.nCurrentUser;
    return true;
}

void BeginKeepingUserData() {
    asDATAFILESTATE& state = g_DataFileState;
    if (state.bPlaced && state.bMayWrite) RemoveStaleTemporaryFiles(state.place.strWritePath);
    if (state.bPlaced && !state.bOnDiskKnown) {
        state.onDisk = IdentifyFile(state.place.strWritePath);
        state.bOnDiskKnown = true;
    }
    state.arrSaved = EncodeState();
}

bool SaveUserData() {
    asDATAFILESTATE& state = g_DataFileState;
    if (!state.bPlaced || !state.bMayWrite) return false;
    const std::string& path = state.place.strWritePath;
    if (state.watch.fnStillWriter && !state.watch.fnStillWriter()) {
        StopSavingAndTell("the folder of " + path +
                          " was moved or replaced while the game ran, so another copy may be "
                          "writing there");
        return false;
    }
    if (!KeepWhatAnotherProgramWrote(path)) return false;
    std::vector<uint8_t> content = EncodeState();
    std::vector<uint8_t> bytes = WithOldTail(content);
    state.bLastSaveOk = WriteFileAtomically(path, bytes, state.ops);
    if (state.bLastSaveOk) {
        state.arrSaved = std::move(content);
        state.onDisk = IdentifyFile(path);
        state.bOnDiskKnown = true;
        state.arrOnDisk = std::move(bytes);
    }
    return state.bLastSaveOk;
}

bool SaveUserDataAtExit() {
    const asDATAFILESTATE& state = g_DataFileState;
    const bool onDiskAlready = state.bPlaced && state.bMayWrite && state.bLastSaveOk &&
                               state.bOnDiskKnown && state.onDisk.bPresent &&
                               IdentifyFile(state.place.strWritePath) == state.onDisk &&
                               WithOldTail(EncodeState()) == state.arrOnDisk;
    return onDiskAlready || SaveUserData();
}

bool SaveUserDataIfChanged() {
    if (g_DataFileState.bLastSaveOk && EncodeState() == g_DataFileState.arrSaved) return true;
    return SaveUserData();
}

const std::string& DataFileProblem() {
    static const std::string saveFailed = "the results could not be saved";
    const asDATAFILESTATE& state = g_DataFileState;
    if (state.bMayWrite && !state.bLastSaveOk) return saveFailed;
    return state.strProblem;
}

bool MayWriteUserData() {
    return g_DataFileState.bPlaced && g_DataFileState.bMayWrite;
}

void StopKeepingUserData(const std::string& reason) {
    g_DataFileState.bMayWrite = false;
    g_DataFileState.strProblem = reason;
}
