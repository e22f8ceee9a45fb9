// The main window in the user's language: the toolbar's names and hints, the
// warning over the panel, the log and the message boxes in Chinese under the
// Chinese catalogue, and the program's own English wherever no catalogue
// matches or once the catalogue is gone.
#include "app/uMain.h"
#include "tests/support/Catalogues.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Sandbox.h"
#include "windows/uLogging.h"

#include "platform/mci/system_defaults.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>
#include <QToolButton>

#include <memory>
#include <optional>

namespace {

// Each test starts as a first run on a fresh system, with the catalogue of
// its choice installed before the windows are made.
class TranslationsTest : public ::testing::Test {
protected:
    TranslationsTest() {
        Sandbox::ClearConfiguration();
        platform::EnsureSystemDefaults();
    }

    // The windows, made as the program makes them at start.
    void Start() {
        window = std::make_unique<TdlgMain>();
        log = std::make_unique<TdlgLog>();
    }

    // A scan of drive D: with nothing in it at all; the log lines it wrote.
    QStringList ScanAnEmptyDrive() {
        QDir(QString::fromStdString(Sandbox::MapDrive("D:"))).removeRecursively();
        Start();
        window->cmbcd->setCurrentIndex(0);
        window->cmbcdChange();
        return log->Memo1->toPlainText().split('\n').mid(3);
    }

    std::unique_ptr<TdlgMain> window;
    std::unique_ptr<TdlgLog> log;
};

TEST_F(TranslationsTest, TheChineseCatalogueTranslatesTheWindowItsLogAndItsBoxes) {
    const CatalogueScope chinese("zh_CN");
    ASSERT_FALSE(chinese.Language().isEmpty()) << BuiltCatalogues().toStdString();
    EXPECT_EQ(ScanAnEmptyDrive(),
              QStringList({"正在连接驱动器 1/1：“D:”", "SVCD 文件夹存在 (D:\\MPEG2\\)：False",
                           "VCD 文件夹存在 (D:\\MPEGAV\\)：False", "VCD 加载错误: 无法访问 CD"}));
    EXPECT_EQ(window->btnplay->accessibleName(), "播放");
    EXPECT_EQ(window->btnplay->accessibleDescription(), "播放 VCD");
    EXPECT_EQ(window->btnFullScreen->toolTip(), "全屏显示窗口（按 Esc 取消）");
    EXPECT_EQ(window->trkmm->accessibleName(), "位置");
    EXPECT_EQ(window->cmbtrack->accessibleName(), "曲目");
    EXPECT_EQ(window->Label1->text(), "  光驱： ");
    EXPECT_EQ(window->lblwarning->text(),
              "Quelvo Player 未在驱动器 D: 中找到有效的 VCD\r\n\r\n"
              "请确认您选择了正确的 CD-ROM 驱动器，并插入了有效的 VCD 光盘。");
    EXPECT_EQ(log->windowTitle(), "日志信息");
    EXPECT_EQ(log->Memo1->toPlainText().section('\n', 0, 0), "Quelvo Player v1.30 日志");

    DialogRecorder dialogs;
    window->btnplayClick();
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Title, "信息");
    EXPECT_EQ(dialogs.Shown[0].Text, "请插入有效的 VCD 文件。");
}

TEST_F(TranslationsTest, LanguagesWithoutACatalogueReadTheProgramsEnglish) {
    for (const char* locale : {"de_DE", "zh_TW", "en_US", "C"}) {
        const CatalogueScope none(locale);
        EXPECT_EQ(none.Language(), QString()) << locale;
    }
    const CatalogueScope german("de_DE");
    EXPECT_EQ(ScanAnEmptyDrive().last(), "VCD Load Error: Cannot access CD");
    EXPECT_EQ(window->btnplay->accessibleName(), "Play");
    EXPECT_EQ(window->btnplay->accessibleDescription(), "Play the VCD");
    EXPECT_EQ(window->Label1->text(), "  CD Drive: ");
}

TEST_F(TranslationsTest, TheEnglishTextsComeBackWithTheCatalogueGone) {
    std::optional<CatalogueScope> chinese(std::in_place, "zh_CN");
    ASSERT_FALSE(chinese->Language().isEmpty());
    chinese.reset();
    Start();
    EXPECT_EQ(window->btnplay->accessibleName(), "Play");
    EXPECT_EQ(log->windowTitle(), "Logging Information");
}

} // namespace
