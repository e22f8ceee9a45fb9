#include "system/DATAssociation.h"
#include "tests/support/AssociationFiles.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Sandbox.h"
#include "windows/AboutBoxUnit.h"
#include "windows/LinkLabel.h"

#include "platform/mci/system_defaults.h"
#include "platform/shell/shell.h"
#include "platform/ui/dialog_presenter.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

using platform::DialogIcon;

namespace {

// Takes every shell request while it lives, with the cursor it was made under.
class ShellRecorder {
public:
    ShellRecorder()
        : FPrevious(DesktopStandIns::SetShellResponder([this](
                                                           const platform::ShellRequest& request) {
              Requests.push_back(request);
              CursorShapes.push_back(QApplication::overrideCursor()
                                         ? std::optional(QApplication::overrideCursor()->shape())
                                         : std::nullopt);
              return true;
          })) {}
    ~ShellRecorder() { DesktopStandIns::SetShellResponder(FPrevious); }
    std::vector<platform::ShellRequest> Requests;
    std::vector<std::optional<Qt::CursorShape>> CursorShapes;

private:
    DesktopStandIns::ShellResponder FPrevious;
};

// Runs `inside` while the About box opened from `owner` is on the screen,
// then closes it with its Close button.
void WithAboutBoxOpen(QWidget& owner, const std::function<void(TAboutBox&)>& inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        if (AboutBox) {
            inside(*AboutBox);
            ran = true;
            AboutBox->BitBtn1->click();
        }
    });
    ShowAboutBox(&owner);
    EXPECT_TRUE(ran) << "the box was shown modally";
}

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Sandbox::ClearConfiguration();
        platform::EnsureSystemDefaults();
    }
    QWidget owner;
};

TEST(LinkLabelTest, LooksLikeALinkAndItsLinkIsItsHint) {
    QWidget parent;
    parent.setFont(QFont("MS Sans Serif", 8));
    auto* label = new TLinkLabel(&parent);
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(label->font().underline());
    EXPECT_EQ(label->font().family(), parent.font().family()) << "the rest comes from the parent";
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(label->Link().isEmpty());

    label->setToolTip("design hint");
    label->SetLink("file:///tmp/readme.txt");
    EXPECT_EQ(label->toolTip(), "file:///tmp/readme.txt");
}

TEST(LinkLabelTest, AClickOpensTheLinkUnderTheHourglassThenFiresOnClickWithoutIt) {
    ShellRecorder shell;
    TLinkLabel label;
    label.resize(100, 17);
    std::vector<bool> hourglassAtClick;
    label.OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, &label);
        hourglassAtClick.push_back(QApplication::overrideCursor() != nullptr);
    };

    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_TRUE(shell.Requests.empty()) << "an empty Link starts nothing";
    EXPECT_EQ(hourglassAtClick, std::vector<bool>({false}));

    label.SetLink("https://www.example.org/docs");
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(shell.Requests.size(), 1u);
    EXPECT_EQ(shell.Requests[0].Operation, "open");
    EXPECT_EQ(shell.Requests[0].File, "https://www.example.org/docs");
    EXPECT_EQ(shell.Requests[0].ShowCmd, platform::SW_SHOWMAXIMIZED);
    EXPECT_EQ(shell.Requests[0].Owner, &label);
    EXPECT_EQ(shell.CursorShapes[0], Qt::WaitCursor);
    EXPECT_EQ(hourglassAtClick, std::vector<bool>({false, false}));

    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_EQ(shell.Requests.size(), 1u) << "only the left button clicks";
}

TEST(LinkLabelTest, TheHourglassGoesEvenWhenTheShellFails) {
    const DesktopStandIns::ShellResponder previous = DesktopStandIns::SetShellResponder(
        [](const platform::ShellRequest&) -> bool { throw std::runtime_error("no desktop"); });
    TLinkLabel label;
    label.SetLink("https://www.example.org/");
    EXPECT_THROW(label.Click(), std::runtime_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    DesktopStandIns::SetShellResponder(previous);
}

TEST_F(AboutBoxTest, EachOpeningIsAFreshBoxShowingTheVersionAndItIsGoneAfterwards) {
    QPointer<TAboutBox> first;
    WithAboutBoxOpen(owner, [&](TAboutBox& box) {
        first = &box;
        EXPECT_TRUE(box.isModal());
        EXPECT_EQ(box.lblversion->text(), "v1.30");
        EXPECT_EQ(box.windowTitle(), "About Quelvo Player");
        EXPECT_EQ(box.size(), QSize(312, 216));
        box.lblversion->setText("left over");
    });
    EXPECT_TRUE(first.isNull()) << "destroyed when it closed";
    EXPECT_EQ(AboutBox, nullptr);

    WithAboutBoxOpen(owner, [&](TAboutBox& box) {
        EXPECT_EQ(box.lblversion->text(), "v1.30");
        EXPECT_EQ(box.ProductName->text(), "Quelvo Player");
        EXPECT_EQ(box.lblProduct2->geometry().translated(2, 2), box.ProductName->geometry());
        EXPECT_EQ(box.GroupBox2->title(), " DAT Support ");
        EXPECT_EQ(box.BitBtn1->text(), "&Close");
    });
    EXPECT_EQ(AboutBox, nullptr);
}

TEST_F(AboutBoxTest, TabSkipsTheLinkLabels) {
    WithAboutBoxOpen(owner, [](TAboutBox& box) {
        box.BitBtn1->setFocus();
        for (int press = 0; press < 4; ++press) {
            QTest::keyClick(box.focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(box.focusWidget(), box.BitBtn1);
        }
        EXPECT_EQ(box.LinkLabel1->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(box.LinkLabel2->focusPolicy(), Qt::NoFocus);
    });
}

TEST_F(AboutBoxTest, TheMakerLabelOpensTheIndexPageOfTheAddressItsHintShows) {
    ShellRecorder shell;
    WithAboutBoxOpen(owner, [](TAboutBox& box) {
        EXPECT_EQ(box.lblnorvane->toolTip(), MakerHomePage());
        QTest::mouseClick(box.lblnorvane, Qt::LeftButton);
    });
    ASSERT_EQ(shell.Requests.size(), 1u);
    EXPECT_EQ(QString::fromStdString(shell.Requests[0].File), MakerHomePage() + "/index.html");
    EXPECT_TRUE(MakerHomePage().startsWith("https://www.example.")) << "a reserved example domain";
    EXPECT_EQ(shell.Requests[0].Operation, "open");
    EXPECT_EQ(shell.Requests[0].ShowCmd, platform::SW_SHOWMAXIMIZED);
}

TEST_F(AboutBoxTest, TheMakerLabelOpensOnlyWhenTheButtonIsReleasedOverIt) {
    ShellRecorder shell;
    WithAboutBoxOpen(owner, [](TAboutBox& box) {
        QLabel* label = box.lblnorvane;
        QTest::mousePress(label, Qt::LeftButton);
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 20, 5));
        QTest::mouseRelease(label, Qt::LeftButton); // no press went before it
        QTest::mousePress(label, Qt::RightButton);
        QTest::mouseRelease(label, Qt::RightButton);
    });
    EXPECT_TRUE(shell.Requests.empty());
}

TEST_F(AboutBoxTest, TheRepairLinksRepairWithoutAskingAndReport) {
    AssociationFiles::WriteWinIni("[MCI Extensions]\ndat=WaveAudio\nmpg=MPEGVideo\n");
    DialogRecorder dialogs;
    WithAboutBoxOpen(owner, [](TAboutBox& box) {
        QTest::mouseClick(box.LinkLabel1, Qt::LeftButton);
        QTest::mouseClick(box.LinkLabel1, Qt::LeftButton);
        QTest::mouseClick(box.LinkLabel2, Qt::LeftButton);
    });
    ASSERT_EQ(dialogs.Shown.size(), 3);
    EXPECT_TRUE(dialogs.Shown[0].Text.startsWith("Your changes have been made."));
    EXPECT_EQ(dialogs.Shown[1].Text, "No changes needed to be made");
    EXPECT_TRUE(dialogs.Shown[2].Text.startsWith("Your changes have been made."))
        << "the MPEG driver link reports even when the association was right";
}

TEST_F(AboutBoxTest, ARepairTheHiveRefusesShowsTheRegistryErrorAndNoSuccess) {
    AssociationFiles::WriteWinIni("[MCI Extensions]\ndat=WaveAudio\n");
    // A handler the repair must change: one that is right already needs no write.
    AssociationFiles::WriteHandlers("WaveAudio", "MPEGVideo");
    AssociationFiles::LockMachineHive();
    DialogRecorder dialogs;
    WithAboutBoxOpen(owner,
                     [](TAboutBox& box) { QTest::mouseClick(box.LinkLabel1, Qt::LeftButton); });
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Text, "Failed to set data for 'MCIHandler'");
    EXPECT_EQ(dialogs.Shown[0].Icon, DialogIcon::Error);
}

TEST_F(AboutBoxTest, TheRealQuestionBoxTakesEscapeAsNo) {
    AssociationFiles::WriteWinIni("[MCI Extensions]\ndat=WaveAudio\n");
    const std::string winIni = AssociationFiles::WinIni();
    const DesktopStandIns::DialogResponder test =
        DesktopStandIns::SetDialogResponder(platform::RunMessageBox);
    QString seen;
    QTimer::singleShot(0, [&seen] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        seen = box->windowTitle();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    CheckDATAssociation(true, false, false);
    DesktopStandIns::SetDialogResponder(test);
    EXPECT_EQ(seen, "Confirm");
    EXPECT_EQ(AssociationFiles::WinIni(), winIni);
}

} // namespace
