// Editing a profile file's text: one entry changes, everything else stays.
#include "platform/profile/profile_text.h"

#include <gtest/gtest.h>

using namespace platform::profile;

namespace {

const std::string systemIni = "; for 16-bit app support\r\n"
                              "[drivers]\r\n"
                              "wave=mmdrv.dll\r\n"
                              "\r\n"
                              "[mci]\r\n"
                              "cdaudio=mcicda.drv\r\n"
                              "[MCI32]\r\n"
                              "  AVIVideo = mciavi32.dll  \r\n"
                              "; MPEG below\r\n"
                              "MPEGVideo=\" mciqtz32.dll\"\r\n"
                              "[mci32]\r\n"
                              "MPEGVideo=ignored.dll\r\n";

TEST(ProfileText, FindsValuesInAnyLetterCaseInTheFirstSectionOfAName) {
    EXPECT_EQ(FindProfileValue(systemIni, "mci32", "avivideo"), "mciavi32.dll");
    EXPECT_EQ(FindProfileValue(systemIni, " MCI32 ", "MPEGVIDEO"), " mciqtz32.dll")
        << "quotes keep the blanks they enclose";
    EXPECT_EQ(FindProfileValue(systemIni, "MCI", "cdaudio"), "mcicda.drv");
    EXPECT_EQ(FindProfileValue(systemIni, "drivers", "cdaudio"), std::nullopt);
    EXPECT_EQ(FindProfileValue(systemIni, "absent", "wave"), std::nullopt);
    EXPECT_EQ(FindProfileValue("[s]\n;k=v\n", "s", ";k"), std::nullopt) << "comments are no keys";
}

TEST(ProfileText, ChangingOneEntryKeepsEveryOtherLine) {
    std::string text = systemIni;
    EXPECT_TRUE(SetProfileValue(text, "mci32", "avivideo", "new.dll"));
    std::string expected = systemIni;
    expected.replace(expected.find("  AVIVideo = mciavi32.dll  "), 27, "AVIVideo=new.dll");
    EXPECT_EQ(text, expected) << "the key keeps the file's spelling";
    EXPECT_FALSE(SetProfileValue(text, "MCI32", "AVIVIDEO", "new.dll")) << "same value: no change";
}

TEST(ProfileText, AddsKeysAfterTheSectionsLastEntryAndNewSectionsAtTheEnd) {
    std::string text = "[MCI Extensions]\nmpg=MPEGVideo\n\n[other]\nx=1";
    EXPECT_TRUE(SetProfileValue(text, "mci extensions", "dat", "MPEGVideo"));
    EXPECT_EQ(text, "[MCI Extensions]\nmpg=MPEGVideo\ndat=MPEGVideo\n\n[other]\nx=1");
    EXPECT_TRUE(SetProfileValue(text, "other", "y", "2"));
    EXPECT_EQ(text, "[MCI Extensions]\nmpg=MPEGVideo\ndat=MPEGVideo\n\n[other]\nx=1\ny=2");
    EXPECT_TRUE(SetProfileValue(text, "MCI32", "MPEGVideo", "mciqtz32.dll"));
    EXPECT_EQ(text, "[MCI Extensions]\nmpg=MPEGVideo\ndat=MPEGVideo\n\n[other]\nx=1\ny=2\n"
                    "[MCI32]\nMPEGVideo=mciqtz32.dll\n");

    std::string windows = "[a]\r\n";
    EXPECT_TRUE(SetProfileValue(windows, "a", "k", "v"));
    EXPECT_TRUE(SetProfileValue(windows, "b", "k", "v"));
    EXPECT_EQ(windows, "[a]\r\nk=v\r\n[b]\r\nk=v\r\n") << "the file's own line breaks";
}

TEST(ProfileText, RemovesAKeyWithoutTouchingItsNeighbours) {
    std::string text = systemIni;
    EXPECT_TRUE(SetProfileValue(text, "mci32", "AVIVideo", std::nullopt));
    std::string expected = systemIni;
    expected.erase(expected.find("  AVIVideo"), 29);
    EXPECT_EQ(text, expected);
    EXPECT_FALSE(SetProfileValue(text, "mci32", "AVIVideo", std::nullopt));
    EXPECT_FALSE(SetProfileValue(text, "absent", "AVIVideo", std::nullopt));
}

TEST(ProfileText, ValuesComeBackExactlyAsWritten) {
    for (const std::string value : {"", " MPEGVideo", "MPEGVideo ", "\"quoted\"", "a=b", "x;y"}) {
        std::string text;
        SetProfileValue(text, "s", "k", value);
        EXPECT_EQ(FindProfileValue(text, "s", "k"), value) << text;
    }
    std::string text;
    SetProfileValue(text, "MCI", "", "");
    EXPECT_EQ(FindProfileValue(text, "MCI", ""), "") << "an empty key is a key too";
}

TEST(ProfileText, RefusesNamesAndValuesThatWouldBreakTheLines) {
    EXPECT_FALSE(IsStorableValue("MPEGVideo\r\n[boot]\r\nshell=evil"));
    EXPECT_FALSE(IsStorableKey("a=b"));
    EXPECT_FALSE(IsStorableKey("[section]"));
    EXPECT_FALSE(IsStorableKey("; comment"));
    EXPECT_FALSE(IsStorableSection("MCI]x"));
    EXPECT_FALSE(IsStorableSection("MCI\n"));
    EXPECT_TRUE(IsStorableKey("MPEGVideo"));
    EXPECT_TRUE(IsStorableValue("mci qtz32.dll"));
}

} // namespace
