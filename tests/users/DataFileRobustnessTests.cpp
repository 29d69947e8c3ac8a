// SPDX-FileCopyrightText: 2026 The Zimbly developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The data file against bad input and a hostile file system: the fuzzer's seed corpus, files
// with a byte missing or doubled anywhere, edge counts and lengths through the loader, a
// directory that cannot be written, a full disk and a save killed in the middle of its write.
#include "tests/users/DataFileBuilder.h"
#include "tests/users/UserDataFixture.h"
#include "users/DataFile.h"
#include "users/UserLayout.h"
#include "users/UserScreen.h"

#include <csignal>
#include <cstdio>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using Bytes = std::vector<uint8_t>;

// A user record whose name is given by raw length-prefix and name bytes.
Bytes OneUserFile(const CDataFileBuilder& name, uint32_t version = DATA_FILE_VERSION) {
    CDataFileBuilder file;
    file.Start(version).I32(1).Text(
        {reinterpret_cast<const char*>(name.Bytes().data()), name.Bytes().size()});
    return file.History(55, 4).I32(0).Bytes();
}

// A name "Amy" (or its UTF-16 form behind the wide marker) in each of the four length forms.
CDataFileBuilder NameInForm(int form, bool wide, uint64_t length = 3) {
    CDataFileBuilder name;
    if (wide) name.U8(0xFF).U16(0xFFFE);
    switch (form) {
    case 1:
        name.U8(uint8_t(length));
        break;
    case 3:
        name.U8(0xFF).U16(uint16_t(length));
        break;
    case 7:
        name.U8(0xFF).U16(0xFFFF).U32(uint32_t(length));
        break;
    default:
        name.U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).U64(length);
        break;
    }
    for (char c : std::string("Amy")) {
        name.U8(uint8_t(c));
        if (wide) name.U8(0);
    }
    return name;
}

// Valid files in every length-prefix form, an older one without sets and a newer one.
std::vector<std::pair<std::string, Bytes>> FilesInEveryForm() {
    std::vector<std::pair<std::string, Bytes>> files;
    for (bool wide : {false, true})
        for (int form : {1, 3, 7, 15})
            files.emplace_back((wide ? "wide " : "narrow ") + std::to_string(form),
                               OneUserFile(NameInForm(form, wide)));
    files.emplace_back("older", OneUserFile(NameInForm(1, false), DATA_FILE_VERSION - 1));
    files.emplace_back("newer", OneUserFile(NameInForm(1, true), 0xFFFFFFFF));
    return files;
}

class DataFileRobustness : public CUserDataTest {
protected:
    void SetUp() override {
        CUserDataTest::SetUp();
        SetSentinelState();
    }

    // A state no file here loads to, so that any change by a refused file shows.
    static void SetSentinelState() {
        g_arrUsers.clear();
        AppendUser(User("keep", {1}));
        g_nCurrentUser = 0;
        std::fill(std::begin(g_ExerciseSets), std::end(g_ExerciseSets), ExerciseSet{5, 6, 7});
    }
    static bool IsSentinelState() {
        return g_arrUsers.size() == 1 && g_arrUsers[0].strName == "keep" && g_nCurrentUser == 0 &&
               std::all_of(std::begin(g_ExerciseSets), std::end(g_ExerciseSets),
                           [](const ExerciseSet& set) { return set.nRange == 5; });
    }

    // What the rest of the program relies on after any load.
    static ::testing::AssertionResult StateIsSound() {
        for (const asUSERINFO& user : g_arrUsers) {
            if (user.strName.size() > size_t(MAX_NAME_BYTES))
                return ::testing::AssertionFailure() << "a name of " << user.strName.size();
            if (user.nLastScore < -1 || user.nLastScore >= SCORE_HISTORY_SIZE)
                return ::testing::AssertionFailure() << "newest result at " << user.nLastScore;
        }
        if (!g_arrUsers.empty() &&
            (g_nCurrentUser < 0 || size_t(g_nCurrentUser) >= g_arrUsers.size()))
            return ::testing::AssertionFailure() << "current user " << g_nCurrentUser;
        return ::testing::AssertionSuccess();
    }

    // Loads bytes as the data file and checks the loader's promise: it agrees with the decoder;
    // a refused file changes nothing, and one that is not empty is kept whole beside it. True:
    // loaded.
    bool LoadChecked(const Bytes& bytes, const std::string& what) {
        asDATAFILE decoded;
        const DataFileStatus status = DecodeDataFile(bytes, decoded);
        std::filesystem::remove(m_strPath + ".bad");
        WriteFile(m_strPath, bytes);
        SetSentinelState();
        const bool loaded = LoadUserData();
        EXPECT_EQ(loaded, status == DataFileStatus::VALID) << what;
        if (loaded) {
            EXPECT_TRUE(StateIsSound()) << what;
            return true;
        }
        EXPECT_TRUE(IsSentinelState()) << what;
        // Nothing the game cannot read is lost: only an empty file needs no copy.
        if (status == DataFileStatus::DAMAGED || !bytes.empty())
            EXPECT_EQ(FileBytes(m_strPath + ".bad"), bytes) << what;
        else
            EXPECT_FALSE(std::filesystem::exists(m_strPath + ".bad")) << what;
        return false;
    }

    // The data held now, for comparing what a save leaves behind.
    void PrepareSave() {
        SetDefaultExerciseSets();
        g_arrUsers.clear();
        AppendUser(User("Tom", {80}));
        ASSERT_TRUE(SaveUserData());
        m_arrOld = FileBytes(m_strPath);
        AppendUser(User("\xD0\xA1\xC3\xF7", {90, 100}));
        m_arrNew = EncodeDataFile(g_ExerciseSets, g_arrUsers, 0);
        ASSERT_GT(m_arrNew.size(), m_arrOld.size());
    }

    Bytes m_arrOld;
    Bytes m_arrNew;
};

} // namespace

TEST_F(DataFileRobustness, EverySeedOfTheFuzzCorpusLoadsSoundlyOrIsRefusedWithoutAChange) {
    // Beside this file's folder in the source tree (the build passes absolute source paths).
    const std::filesystem::path corpus =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "fuzz" / "corpus";
    ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
    int seeds = 0, loaded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        ++seeds;
        loaded += LoadChecked(FileBytes(entry.path().string()), entry.path().filename()) ? 1 : 0;
    }
    EXPECT_GE(seeds, 20);
    EXPECT_GT(loaded, 10);
    EXPECT_LT(loaded, seeds);
    std::printf("robustness: %d corpus seeds, %d of them loaded, the rest refused\n", seeds,
                loaded);
}

TEST_F(DataFileRobustness, AnEmptyFileIsNoDataFileAndTheSaveFillsIt) {
    WriteFile(m_strPath, {});
    EXPECT_FALSE(LoadChecked({}, "empty"));
    EXPECT_FALSE(std::filesystem::exists(m_strPath + ".bad"));
    g_arrUsers.clear();
    SetDefaultExerciseSets();
    ASSERT_TRUE(SaveUserData());
    EXPECT_EQ(FileBytes(m_strPath).size(), 134u);
}

// Every byte of a file with users, one at a time: a sweep the developers' fast loop leaves to CI.
using DataFileByteSoak = DataFileRobustness;

TEST_F(DataFileByteSoak, AByteCutMissingOrDoubledAnywhereNeverLoadsAnUnsoundState) {
    size_t cases = 0, loaded = 0;
    for (const auto& [form, whole] : FilesInEveryForm()) {
        ASSERT_TRUE(LoadChecked(whole, form)) << form;
        for (size_t at = 0; at < whole.size(); ++at) {
            const auto offset = std::ptrdiff_t(at);
            const Bytes cut(whole.begin(), whole.begin() + offset);
            Bytes missing = whole;
            missing.erase(missing.begin() + offset);
            Bytes doubled = whole;
            doubled.insert(doubled.begin() + offset, whole[at]);
            // A file with nothing after its current-user word, cut anywhere, never loads.
            ASSERT_FALSE(LoadChecked(cut, form + " cut at " + std::to_string(at)));
            loaded += LoadChecked(missing, form + " without byte " + std::to_string(at));
            loaded += LoadChecked(doubled, form + " with byte " + std::to_string(at) + " doubled");
            cases += 3;
            if (HasFailure()) return;
        }
    }
    std::printf("robustness: %zu damaged files (cut, a byte missing, a byte doubled), %zu of "
                "them loaded, all soundly\n",
                cases, loaded);
}

TEST_F(DataFileRobustness, UserCountsAtTheEdgesThroughTheLoader) {
    // Two real records follow the count in every case.
    auto withCount = [](int32_t count) {
        CDataFileBuilder file;
        file.Start().I32(count).U8(3).Text("Tom").History(80, 0);
        return file.U8(3).Text("Amy").History(60, 0).I32(1).Bytes();
    };
    for (int32_t count : {0, -1, INT32_MIN}) {
        // No records are read: the first record's bytes give the current index, made sound.
        ASSERT_TRUE(LoadChecked(withCount(count), std::to_string(count)));
        EXPECT_TRUE(g_arrUsers.empty()) << count;
        EXPECT_EQ(g_nCurrentUser, -1) << count;
    }
    ASSERT_TRUE(LoadChecked(withCount(1), "1"));
    ASSERT_EQ(g_arrUsers.size(), 1u);
    EXPECT_EQ(g_nCurrentUser, 0) << "the second record's length and name are no index";
    ASSERT_TRUE(LoadChecked(withCount(2), "2"));
    EXPECT_EQ(g_nCurrentUser, 1);
    for (int32_t count : {3, 4, 1 << 20, INT32_MAX})
        EXPECT_FALSE(LoadChecked(withCount(count), std::to_string(count)));
}

TEST_F(DataFileRobustness, MoreUsersThanTheNameEntryAllowsLoadAndTheScreensCopeWithThem) {
    CDataFileBuilder file;
    file.Start().I32(12);
    for (int k = 0; k < 12; ++k)
        file.U8(2).Text("u" + std::string(1, char('a' + k))).History(uint8_t(k), 0);
    ASSERT_TRUE(LoadChecked(file.I32(11).Bytes(), "12 users"));
    ASSERT_EQ(g_arrUsers.size(), 12u);

    // Every page paints the twelve rows with the hand on the last one.
    CUserScreen screen;
    CImageLayer layer;
    ASSERT_EQ(layer.CreateSurface(1024, 768), 1);
    const int x = 300, y = UserRow(11).top + 5;
    screen.PlacePanel(x, y);
    EXPECT_TRUE(screen.m_rcPanel.IsEmpty()) << "the twelfth row has no settings";
    for (UserPage page :
         {USER_PAGE_MAIN, USER_PAGE_SCORES, USER_PAGE_NEW_NAME, USER_PAGE_DELETE, USER_PAGE_CHOOSE})
        PaintUserScreen(layer, screen, page, x, y);
    // The twelfth, current, user sits in the middle of its row, right of the current-user line.
    PaintUserScreen(layer, screen, USER_PAGE_CHOOSE, -1, -1);
    int face = 0;
    for (int py = UserRow(11).top; py < UserRow(11).bottom; ++py)
        for (int px = g_rcCurrentUser.right; px < UserRow(11).right; ++px)
            face += (layer.m_hBitmap->GetPixel(px, py) & 0xFFFFFF) == EMBOSSED_TEXT_COLOR;
    EXPECT_GT(face, 0) << "the twelfth user's row is drawn";

    screen.OpenNameEntry();
    EXPECT_FALSE(screen.TypeNameByte('x', false)) << "the list is full: typing is refused";
    EXPECT_TRUE(screen.m_strNewName.empty());
    DeleteUserAt(x, y);
    ASSERT_EQ(g_arrUsers.size(), 11u);
    EXPECT_EQ(g_arrUsers.back().strName, "uk");
    EXPECT_EQ(g_nCurrentUser, 0) << "the current user was the deleted twelfth";
}

TEST_F(DataFileRobustness, LengthsAtTheEndOfEveryPrefixFormAreRefused) {
    struct Edge {
        int form;
        uint64_t length;
    };
    // The largest length each form holds, one more than the bytes present, and 2^63.
    const Edge edges[] = {{1, 0xFE}, {1, 4},           {3, 0xFFFD}, {3, 4}, {7, 0xFFFFFFFE},
                          {7, 4},    {15, 1ull << 63}, {15, ~0ull}, {15, 4}};
    int cases = 0;
    for (bool wide : {false, true}) {
        for (const Edge& edge : edges) {
            const uint64_t length = edge.length; // units behind the wide marker
            const std::string what = std::string(wide ? "wide " : "narrow ") +
                                     std::to_string(edge.form) + "-byte form, length " +
                                     std::to_string(length);
            EXPECT_FALSE(LoadChecked(OneUserFile(NameInForm(edge.form, wide, length)), what));
            ++cases;
        }
    }
    EXPECT_EQ(cases, 18);
}

namespace {

// Runs checks with directory read-only. Returns the number of the first check that failed, or 0.
int InReadOnlyDirectory(const std::string& directory, const std::function<int()>& checks) {
    chmod(directory.c_str(), 0555);
    const int result = RunWithoutRoot(checks);
    chmod(directory.c_str(), 0700);
    return result;
}

} // namespace

TEST_F(DataFileRobustness, AReadOnlyDirectoryLoadsButNeitherSavesNorKeepsADamagedCopy) {
    PrepareSave();
    ASSERT_EQ(chmod(m_strDirectory.c_str(), 0755), 0);
    ASSERT_EQ(chmod(m_strPath.c_str(), 0644), 0);
    const std::string path = m_strPath;
    const Bytes old = m_arrOld;
    const int failed = InReadOnlyDirectory(m_strDirectory, [&] {
        if (SaveUserData()) return 1;
        if (ReadFileBytes(path) != old) return 2;
        g_arrUsers.clear();
        if (!LoadUserData() || g_arrUsers.size() != 1) return 3;
        return 0;
    });
    EXPECT_EQ(failed, 0) << "check " << failed << (failed == 100 ? " (could not drop root)" : "");
    EXPECT_EQ(FileBytes(m_strPath), m_arrOld);
    EXPECT_TRUE(StrayFiles().empty());

    // A damaged file there is refused as anywhere else; only its copy cannot be made.
    Bytes damaged = m_arrOld;
    damaged.resize(damaged.size() - 1);
    WriteFile(m_strPath, damaged);
    ASSERT_EQ(chmod(m_strPath.c_str(), 0644), 0);
    const size_t held = g_arrUsers.size();
    const int failedDamaged = InReadOnlyDirectory(m_strDirectory, [&] {
        if (LoadUserData()) return 4;
        if (g_arrUsers.size() != held) return 5;
        return 0;
    });
    EXPECT_EQ(failedDamaged, 0) << "check " << failedDamaged;
    EXPECT_FALSE(std::filesystem::exists(m_strPath + ".bad"));
}

TEST_F(DataFileRobustness, APathThatCannotHoldAFileNeitherLoadsNorSaves) {
    WriteFile(m_strDirectory + "/plain", {1, 2, 3});
    std::filesystem::create_directory(m_strDirectory + "/folder");
    for (const std::string& path :
         {m_strDirectory + "/plain/Sumora.cfg", m_strDirectory + "/folder",
          m_strDirectory + "/missing/Sumora.cfg"}) {
        UseDataFilePlace({path, path});
        EXPECT_FALSE(LoadUserData()) << path;
        EXPECT_TRUE(IsSentinelState()) << path;
        EXPECT_FALSE(SaveUserData()) << path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(m_strDirectory + "/folder"));
    EXPECT_TRUE(std::filesystem::is_empty(m_strDirectory + "/folder"));
    EXPECT_EQ(FileBytes(m_strDirectory + "/plain"), (Bytes{1, 2, 3}));
    EXPECT_EQ(StrayFiles().size(), 2u) << "only plain and folder";
}

namespace {

// Files may grow to limit bytes while it is in force; a write beyond it fails as on a full
// disk (after a short write that fills the room left), and the signal it raises is ignored.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit now = m_old;
        now.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &now);
    }
    ~CFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST_F(DataFileRobustness, AFullDiskAtAnyByteLeavesTheOldFileAndNoLeftovers) {
    PrepareSave();
    for (size_t room = 0; room < m_arrNew.size(); ++room) {
        bool saved = true;
        {
            CFileSizeLimit limit(room);
            saved = SaveUserData();
        }
        ASSERT_FALSE(saved) << "room for " << room;
        ASSERT_EQ(FileBytes(m_strPath), m_arrOld) << "room for " << room;
        ASSERT_TRUE(StrayFiles().empty()) << "room for " << room;
    }
    ASSERT_TRUE(SaveUserData());
    EXPECT_EQ(FileBytes(m_strPath), m_arrNew);
    std::printf("robustness: full disk after each of %zu bytes: old file kept every time\n",
                m_arrNew.size());
}

TEST_F(DataFileRobustness, ASaveKilledAtAnyByteOfItsWriteLeavesTheOldFileOrTheNewOneWhole) {
    PrepareSave();
    // The child dies of the file-size signal at the first write past room: a crash in the
    // middle of the save. room >= the new size lets it finish.
    std::vector<size_t> rooms;
    for (size_t room = 0; room < m_arrNew.size(); room += (room < 16 ? 1 : 37))
        rooms.push_back(room);
    rooms.push_back(m_arrNew.size());
    int killed = 0, finished = 0;
    for (size_t room : rooms) {
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_DFL);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = room;
            setrlimit(RLIMIT_FSIZE, &limit);
            _exit(SaveUserData() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const Bytes now = FileBytes(m_strPath);
        if (WIFSIGNALED(status)) {
            ++killed;
            ASSERT_EQ(WTERMSIG(status), SIGXFSZ) << "room for " << room;
            ASSERT_EQ(now, m_arrOld) << "killed with room for " << room;
        } else {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "room for " << room;
            ASSERT_EQ(now, m_arrNew) << "finished with room for " << room;
            ++finished;
        }
    }
    EXPECT_EQ(killed, int(rooms.size()) - 1);
    EXPECT_EQ(finished, 1);
    // Each killed save leaves its temporary file; none of them is taken for the data file and
    // the next save goes through.
    EXPECT_EQ(StrayFiles().size(), size_t(killed));
    g_arrUsers.clear();
    ASSERT_TRUE(LoadUserData());
    EXPECT_EQ(g_arrUsers.size(), 2u);
    AppendUser(User("Amy", {70}));
    ASSERT_TRUE(SaveUserData());
    EXPECT_EQ(FileBytes(m_strPath), EncodeDataFile(g_ExerciseSets, g_arrUsers, 0));
    std::printf("robustness: save killed at %d points of its write: old file intact every time\n",
                killed);
}
