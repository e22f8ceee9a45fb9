// The file calls on letters that stand for host folders: Windows paths, case,
// order, masks and errors.
#include "platform/diagnostics.h"
#include "platform/files/name_mask.h"
#include "platform/paths/drive_path.h"
#include "tests/platform/drives_test_support.h"
#include "tests/platform/files_test_support.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace platform;
using namespace files_test;
using Strings = std::vector<std::string>;

namespace {

TEST(DrivePath, TakesWindowsPathsApartTheWayWindowsReadsThem) {
    struct Case {
        const char* text;
        char letter;
        Strings names;
    };
    for (const Case& c :
         {Case{"D:\\MPEGAV\\", 'D', {"MPEGAV"}}, Case{"d:/mpegav", 'D', {"mpegav"}},
          Case{"E:\\MPEGAV\\AVSEQ01.DAT", 'E', {"MPEGAV", "AVSEQ01.DAT"}}, Case{"D:", 'D', {}},
          Case{"D:\\", 'D', {}}, Case{"D:MPEG2", 'D', {"MPEG2"}},
          Case{"D:\\\\a\\.\\b\\..\\c\\", 'D', {"a", "c"}}, Case{"D:\\..\\..\\x", 'D', {"x"}},
          Case{"D:\\MPEGAV\\*.*", 'D', {"MPEGAV", "*.*"}}}) {
        SCOPED_TRACE(c.text);
        const std::optional<DrivePath> path = ParseDrivePath(c.text);
        ASSERT_TRUE(path);
        EXPECT_EQ(path->letter, c.letter);
        EXPECT_EQ(path->names, c.names);
    }
    for (const char* text : {"", "D", "\\MPEGAV", "MPEGAV\\x", "\\\\server\\share", "1:\\",
                             "D:\\a|b", "D:\\a\"b", "D:\\a:b", "D:\\a\tb"})
        EXPECT_FALSE(ParseDrivePath(text)) << text;
}

TEST(NameMask, MatchesAsFindFirstFileDoes) {
    for (const auto& [name, mask] :
         std::vector<std::pair<const char*, const char*>>{{"AVSEQ01.DAT", "*.*"},
                                                          {"README", "*.*"},
                                                          {".", "*.*"},
                                                          {"..", "*"},
                                                          {"avseq01.dat", "*.DAT"},
                                                          {"AVSEQ01.DAT", "avseq??.dat"},
                                                          {"AVSEQ01", "AVSEQ01.*"},
                                                          {"a.b.c", "*.c"},
                                                          {"aaab", "*a*b"}}) {
        EXPECT_TRUE(MatchesMask(name, mask)) << name << " ~ " << mask;
    }
    for (const auto& [name, mask] :
         std::vector<std::pair<const char*, const char*>>{{"AVSEQ01.DAT", "*.MPG"},
                                                          {"AVSEQ01.DATA", "*.DAT"},
                                                          {"AVSEQ1.DAT", "AVSEQ??.DAT"},
                                                          {"README", "*.DAT"},
                                                          {"x.dat", "y*"}}) {
        EXPECT_FALSE(MatchesMask(name, mask)) << name << " ~ " << mask;
    }
    // A long run of stars against a long name must not take exponential time.
    EXPECT_FALSE(MatchesMask(std::string(200, 'a'), std::string(50, '*') + "b"));
}

class HostFolderLetters : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFolder.isValid());
        FSources.mappings->stored['E'] = Root();
    }

    std::string Root() const { return FFolder.path().toStdString(); }

    void Make(const std::string& relative, std::uintmax_t size = 0) const {
        const std::filesystem::path path = Root() + "/" + relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << std::string(size, 'x');
    }

    void MakeFolder(const std::string& relative) const {
        std::filesystem::create_directories(Root() + "/" + relative);
    }

    QTemporaryDir FFolder;
    drives_test::ScopedDriveSources FSources;
};

TEST_F(HostFolderLetters, EveryFormOfAFolderPathFindsTheFolderWhateverItsCase) {
    MakeFolder("MpegAV");
    Make("MpegAV/Avseq01.Dat", 5);
    for (const char* path : {"E:\\MPEGAV\\", "E:\\MPEGAV", "e:\\mpegav\\", "E:/mpegav/",
                             "E:\\MPEGAV\\.", "E:\\x\\..\\MPEGAV", "E:\\", "E:", "e:/"})
        EXPECT_TRUE(IsFolder(path)) << path;
    const DWORD file = GetFileAttributesA("E:\\mpegav\\AVSEQ01.DAT");
    ASSERT_NE(file, INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(file & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(ListAll("E:\\mpegav\\avseq01.dat").at(0).name, "Avseq01.Dat") << "its own spelling";
}

TEST_F(HostFolderLetters, AnExactSpellingWinsOverOtherCases) {
    MakeFolder("mpegav");
    MakeFolder("MPEGAV");
    Make("MPEGAV/upper.dat");
    Make("mpegav/lower.dat");
    EXPECT_EQ(ListNames("E:\\MPEGAV\\*.dat"), Strings{"upper.dat"});
    EXPECT_EQ(ListNames("E:\\mpegav\\*.dat"), Strings{"lower.dat"});
    // Neither spelling given: the first in listing order, the same every time.
    EXPECT_EQ(ListNames("E:\\MpegAv\\*.dat"), Strings{"upper.dat"});
}

TEST_F(HostFolderLetters, FoldersListInWindowsOrderWithDotEntriesOutsideTheRoot) {
    for (const char* name : {"b.DAT", "_x.mpg", "A.dat", "c.Mpeg", "B.dat", "a0"})
        Make(std::string("MPEGAV/") + name);
    MakeFolder("MPEGAV/Sub.dat");
    EXPECT_EQ(ListNames("E:\\MPEGAV\\*.*"),
              (Strings{".", "..", "A.dat", "a0", "B.dat", "b.DAT", "c.Mpeg", "Sub.dat", "_x.mpg"}));
    EXPECT_EQ(ListNames("E:\\MPEGAV\\*.DAT"), (Strings{"A.dat", "B.dat", "b.DAT", "Sub.dat"}));
    EXPECT_EQ(ListNames("E:\\*.*"), Strings{"MPEGAV"}) << "a root lists no dot entries";

    const std::vector<Listed> entries = ListAll("E:\\MPEGAV\\*");
    for (const Listed& entry : entries) {
        const bool folder = entry.name == "." || entry.name == ".." || entry.name == "Sub.dat";
        EXPECT_EQ(bool(entry.attributes & FILE_ATTRIBUTE_DIRECTORY), folder) << entry.name;
    }
}

TEST_F(HostFolderLetters, WhatIsListedCanBeOpenedAndNamesNoPathCanCarryAreLeftOut) {
    for (const char* name : {"Holiday: day 1.dat", "say \"hi\".dat", "a|b.dat", "a<b>.dat",
                             "star*.dat", "what?.dat", "two\nlines.dat", "latin\xE9.dat",
                             "back\\slash.dat", "a,b.dat", "caf\xC3\xA9.dat", "plain.dat"})
        Make(std::string("MPEGAV/") + name, 3);
    const Strings listed = ListNames("E:\\MPEGAV\\*.dat");
    EXPECT_EQ(listed, (Strings{"a,b.dat", "caf\xC3\xA9.dat", "plain.dat"}));
    for (const std::string& name : listed)
        EXPECT_NE(GetFileAttributesA(("E:\\MPEGAV\\" + name).c_str()), INVALID_FILE_ATTRIBUTES)
            << name;
}

TEST_F(HostFolderLetters, ListingsReportSizesBeyondFourGigabytesAndHiddenNames) {
    Make("big.mpg");
    std::filesystem::resize_file(Root() + "/big.mpg", (std::uintmax_t{5} << 30) + 7);
    Make(".hidden.dat", 3);
    const std::vector<Listed> entries = ListAll("E:\\*.*");
    ASSERT_EQ(Names(entries), (Strings{".hidden.dat", "big.mpg"}));
    EXPECT_TRUE(entries[0].attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(entries[0].size, 3u);
    EXPECT_EQ(entries[1].size, (std::uint64_t{5} << 30) + 7);
    EXPECT_EQ(entries[1].attributes, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(HostFolderLetters, FailuresSetTheErrorsWindowsSets) {
    Make("MPEGAV/a.dat");
    EXPECT_EQ(AttributesError("E:\\MPEG2\\"), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(AttributesError("E:\\MPEG2\\a.dat"), DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(AttributesError("E:\\MPEGAV\\a.dat\\b"), DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(AttributesError("E:\\MPEGAV\\*.dat"), DWORD(ERROR_INVALID_NAME));
    EXPECT_EQ(AttributesError("Q:\\"), DWORD(ERROR_PATH_NOT_FOUND)) << "no such drive";
    EXPECT_EQ(AttributesError("MPEGAV"), DWORD(ERROR_PATH_NOT_FOUND)) << "relative";
    EXPECT_EQ(GetFileAttributesA(nullptr), INVALID_FILE_ATTRIBUTES);

    struct Case {
        const char* pattern;
        LONG error;
    };
    for (const Case& c :
         {Case{"E:\\MPEGAV\\*.mpg", ERROR_FILE_NOT_FOUND},
          Case{"E:\\MPEGAV\\", ERROR_FILE_NOT_FOUND}, Case{"E:\\", ERROR_FILE_NOT_FOUND},
          Case{"E:\\MPEG2\\*.*", ERROR_PATH_NOT_FOUND},
          Case{"E:\\MPEGAV\\a.dat\\*.*", ERROR_DIRECTORY},
          Case{"E:\\MPEG*\\*.*", ERROR_INVALID_NAME}, Case{"Q:\\*.*", ERROR_PATH_NOT_FOUND}}) {
        DWORD error = 0;
        EXPECT_TRUE(ListAll(c.pattern, &error).empty()) << c.pattern;
        EXPECT_EQ(error, DWORD(c.error)) << c.pattern;
    }
    WIN32_FIND_DATAA data{};
    EXPECT_EQ(FindFirstFileA(nullptr, &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileA("E:\\*.*", nullptr), INVALID_HANDLE_VALUE);
}

TEST_F(HostFolderLetters, AListingEndsOnceAndItsHandleClosesOnce) {
    Make("a.dat");
    WIN32_FIND_DATAA data{};
    const HANDLE handle = FindFirstFileA("E:\\*.*", &data);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "a.dat");
    EXPECT_FALSE(FindNextFileA(handle, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
    EXPECT_FALSE(FindNextFileA(handle, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(handle));
    EXPECT_FALSE(FindClose(handle));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FindNextFileA(handle, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

TEST_F(HostFolderLetters, AMappedFolderThatIsGoneIsADriveWithoutDiscReportedOnlyOutsideQuietMode) {
    FSources.mappings->stored['F'] = Root() + "/gone";
    std::vector<std::string> problems;
    const ProblemSink previous =
        SetProblemSink([&](const std::string& text) { problems.push_back(text); });

    const UINT before = SetErrorMode(SEM_FAILCRITICALERRORS);
    EXPECT_EQ(AttributesError("F:\\MPEGAV\\"), DWORD(ERROR_NOT_READY));
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(SetErrorMode(before), SEM_FAILCRITICALERRORS);

    EXPECT_EQ(AttributesError("F:\\MPEGAV\\"), DWORD(ERROR_NOT_READY));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("F:"), std::string::npos) << problems[0];
    SetProblemSink(previous);
}

TEST_F(HostFolderLetters, TheHomeLetterReadsTheHomeFolder) {
    std::filesystem::create_directories(HomeFolder() + "/Videos");
    std::ofstream(HomeFolder() + "/Videos/clip.mpg") << "x";
    EXPECT_EQ(ListNames("C:\\videos\\*.MPG"), Strings{"clip.mpg"});
}

} // namespace
