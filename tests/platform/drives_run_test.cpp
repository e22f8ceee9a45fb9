#include "platform/drives/drive_sources.h"
#include "platform/drives/drives.h"
#include "platform/drives/run_drive.h"
#include "platform/store/player_presence.h"

#include "drives_test_support.h"
#include "tests/support/Sandbox.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {
using platform::DriveKind;

class RunDriveTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = scratch.path().toStdString();
        std::filesystem::create_directory(folder + "/copied");
        for (const char* file : {"/disc.cue", "/notes.txt"})
            std::ofstream(folder + file) << "x";
    }
    void TearDown() override { platform::ForgetDriveForThisRun(); }

    std::string Letters() const {
        std::string letters;
        for (const platform::Drive& drive : platform::CurrentDriveTable().drives)
            letters += drive.letter;
        return letters;
    }

    QTemporaryDir scratch;
    std::string folder;
    drives_test::ScopedDriveSources sources{{"/dev/sr0", "/dev/sr1"}};
};

TEST_F(RunDriveTest, ADiscTakesTheLetterAfterEveryOtherSoTheListedDrivesKeepTheirPlaces) {
    sources.mappings->stored['G'] = folder + "/copied";
    ASSERT_EQ(Letters(), "CDEG");
    EXPECT_EQ(platform::PlaceDiscForThisRun(folder + "/disc.cue"), 'H');
    EXPECT_EQ(Letters(), "CDEGH");
    EXPECT_EQ(platform::GetDriveTypeA("H:\\"), platform::DRIVE_CDROM);
    EXPECT_EQ(platform::LookupDrive('h')->kind, DriveKind::MappedImage);
    EXPECT_TRUE(platform::IsDriveForThisRun("h:"));
    EXPECT_FALSE(platform::IsDriveForThisRun("G:"));
    // Nothing of it reaches the stored mappings.
    EXPECT_EQ(sources.mappings->stored.size(), 1u);

    // Placing another disc replaces the first; forgetting frees the letter.
    EXPECT_EQ(platform::PlaceDiscForThisRun(scratch.path().toStdString() + "/./copied/.."), 'H');
    EXPECT_EQ(platform::LookupDrive('H')->kind, DriveKind::MappedFolder);
    platform::ForgetDriveForThisRun();
    EXPECT_EQ(Letters(), "CDEG");
    EXPECT_FALSE(platform::IsDriveForThisRun("H:"));
}

TEST_F(RunDriveTest, ADiscThatHasALetterAlreadyKeepsIt) {
    sources.mappings->stored['E'] = folder + "/disc.cue";
    std::filesystem::create_directory_symlink(folder, folder + "/link");
    EXPECT_EQ(platform::PlaceDiscForThisRun(folder + "/link/disc.cue"), 'E');
    EXPECT_EQ(Letters(), "CDEF");
    EXPECT_TRUE(platform::IsDriveForThisRun("E:"));
    EXPECT_FALSE(platform::AddedDriveForThisRun());
}

TEST_F(RunDriveTest, ADeviceThatIsNoListedDriveStandsAsAnOpticalDrive) {
    // Any block device will do for the test; an optical one may not be here.
    std::string device;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", error))
        if (device.empty() && entry.is_block_file(error))
            device = entry.path().string();
    if (device.empty())
        GTEST_SKIP() << "no block device here";
    EXPECT_EQ(platform::PlaceDiscForThisRun(device), 'F');
    EXPECT_EQ(platform::LookupDrive('F')->kind, DriveKind::OpticalDrive);
    EXPECT_EQ(platform::LookupDrive('F')->path, device);

    const drives_test::ScopedDriveSources listed({device});
    EXPECT_EQ(platform::PlaceDiscForThisRun(device), 'D') << "a listed drive keeps its letter";
    EXPECT_FALSE(platform::AddedDriveForThisRun());
}

TEST_F(RunDriveTest, WithZTakenTheFirstFreeLetterServes) {
    sources.mappings->stored['Z'] = folder + "/copied";
    EXPECT_EQ(platform::PlaceDiscForThisRun(folder + "/disc.cue"), 'F');
    for (char letter = 'F'; letter < 'Z'; ++letter)
        sources.mappings->stored[letter] = folder + "/copied";
    try {
        platform::PlaceDiscForThisRun(folder + "/disc.cue");
        FAIL() << "placed a disc without a free letter";
    } catch (const platform::EDriveMappingError& error) {
        EXPECT_STREQ(error.what(), "there is no free drive letter for the disc");
    }
}

TEST_F(RunDriveTest, APathThatHoldsNoDiscIsRefusedWithItsReason) {
    const auto reason = [](const std::string& path) {
        try {
            platform::PlaceDiscForThisRun(path);
        } catch (const platform::EDriveMappingError& error) {
            return std::string(error.what());
        }
        return std::string("placed");
    };
    EXPECT_EQ(reason(folder + "/gone.iso"), '"' + folder + "/gone.iso\" does not exist");
    EXPECT_EQ(reason(""), "\"\" does not exist");
    EXPECT_EQ(reason(folder + "/notes.txt"),
              '"' + folder +
                  "/notes.txt\" is neither a folder, an optical drive nor "
                  "a disc image (.cue, .bin, .toc, .nrg, .ccd, .img, .mds, .mdf or .iso)");
    EXPECT_EQ(reason("/dev/null"),
              "\"/dev/null\" is neither a folder, an optical drive nor "
              "a disc image (.cue, .bin, .toc, .nrg, .ccd, .img, .mds, .mdf or .iso)");
    EXPECT_EQ(Letters(), "CDE");
}

TEST(PlayerPresence, IsSeenWhileAPlayerHoldsItAndGoneWithIt) {
    const ConfigSandbox sandbox;
    EXPECT_FALSE(platform::store::IsPlayerRunning());
    {
        const platform::store::PlayerPresence first;
        const platform::store::PlayerPresence second;
        EXPECT_TRUE(platform::store::IsPlayerRunning());
    }
    EXPECT_FALSE(platform::store::IsPlayerRunning());
}

} // namespace
