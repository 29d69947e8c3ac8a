// Where the data file lives, and loading and saving it.
#include "users/UserData.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "users/DataFile.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* DATA_FILE_NAME = "Sumora.cfg";
constexpr const char* DAMAGED_COPY_SUFFIX = ".bad";

std::string FindDataFilePath() {
    const std::string executableDirectory = GetExecutableDirectory();
    if (!executableDirectory.empty() && IsDirectoryWritable(executableDirectory))
        return executableDirectory + DATA_FILE_NAME;
    const std::string userDirectory = GetUserDataDirectory();
    if (!userDirectory.empty()) return userDirectory + DATA_FILE_NAME;
    // Read-only beside the executable and no home: reading still works there.
    return executableDirectory + DATA_FILE_NAME;
}

} // namespace

std::string GetDataFilePath() {
    if (const char* overridden = std::getenv("ZIMBLY_DATA_FILE"); overridden && *overridden)
        return overridden;
    // Worked out once, so that the save at exit writes where the load read even if the
    // executable's directory changes its permissions in between.
    static const std::string s_strPath = FindDataFilePath();
    return s_strPath;
}

bool IsDataFileValid(const std::string& path) {
    const auto head = ReadFileBytes(path, DATA_FILE_HEADER_SIZE);
    return head && HasDataFileHeader(*head);
}

bool LoadUserData() {
    const std::string path = GetDataFilePath();
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return false;

    asDATAFILE file;
    switch (DecodeDataFile(*bytes, file)) {
    case DataFileStatus::FOREIGN:
        return false;
    case DataFileStatus::DAMAGED:
        // The save at exit replaces this file; keep what is in it for whoever can mend it.
        WriteFileAtomically(path + DAMAGED_COPY_SUFFIX, *bytes);
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

bool SaveUserData() {
    const std::string path = GetDataFilePath();
    std::vector<uint8_t> bytes = EncodeDataFile(g_ExerciseSets, g_arrUsers, g_nCurrentUser);
    // An in-place overwrite would leave the old file's tail behind the new content; keep it so
    // the file holds the same bytes. An unreadable old file has no tail worth keeping.
    if (const auto old = ReadFileBytes(path); old && old->size() > bytes.size())
        bytes.insert(bytes.end(), old->begin() + std::ptrdiff_t(bytes.size()), old->end());
    return WriteFileAtomically(path, bytes);
}
