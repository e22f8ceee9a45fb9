#include "app/uMain.h"
#include "system/SettingsStore.h"
#include "tests/support/Sandbox.h"
#include "windows/uLogging.h"

#include "platform/drives/run_drive.h"
#include "platform/mci/system_defaults.h"
#include "platform/paths/drive_letters.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QTemporaryDir>

#include <memory>

namespace {

const std::string Product = "Quelvo Player";

class DiscForThisRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        Sandbox::ClearConfiguration();
        // As the program starts: the association check finds a configured system.
        platform::EnsureSystemDefaults();
        Sandbox::MapDrive("D:");
        Sandbox::MapDrive("E:");
        SaveSetting(Product, "", "Drive", "1");
        letter = QString::fromStdString(
            platform::DriveName(platform::PlaceDiscForThisRun(disc.path().toStdString())));
    }
    void TearDown() override { platform::ForgetDriveForThisRun(); }

    // One run of the player that ends with `chosen` selected in the drive list.
    void RunChoosing(const QString& chosen) {
        auto window = std::make_unique<TdlgMain>();
        auto log = std::make_unique<TdlgLog>();
        window->cmbcd->setCurrentIndex(window->cmbcd->findText(chosen));
        window->show();
        ASSERT_EQ(window->cmbcd->currentText(), chosen);
        window->close();
    }

    QTemporaryDir disc;
    QString letter;
};

TEST_F(DiscForThisRunTest, IsListedAfterTheOtherDrivesAndLeavesTheStoredDriveAlone) {
    {
        const TdlgMain window;
        EXPECT_EQ(window.cmbcd->itemText(window.cmbcd->count() - 1), letter);
        EXPECT_EQ(window.cmbcd->currentText(), "E:");
    }

    RunChoosing(letter);
    EXPECT_EQ(LoadSetting(Product, "", "Drive"), "1");
    EXPECT_EQ(LoadSetting(Product, "", "Zoom"), "5");
}

TEST_F(DiscForThisRunTest, AnotherDriveChosenDuringTheRunIsStoredAsAlways) {
    RunChoosing("D:");
    EXPECT_EQ(LoadSetting(Product, "", "Drive"), "0");
}

TEST_F(DiscForThisRunTest, ItsLetterChosenByHandInTheListIsStored) {
    auto window = std::make_unique<TdlgMain>();
    auto log = std::make_unique<TdlgLog>();
    window->show();
    const int index = window->cmbcd->findText(letter);
    window->cmbcd->setCurrentIndex(index);
    emit window->cmbcd->activated(index); // as a pick in the list does
    window->close();
    EXPECT_EQ(LoadSetting(Product, "", "Drive"), std::to_string(index));
}

} // namespace
