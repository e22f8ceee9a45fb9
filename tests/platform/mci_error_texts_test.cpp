// The media device's error texts in the user's language, as the error box
// shows them, and cut to a short buffer without splitting a character.
#include "tests/support/Catalogues.h"

#include "platform/mci/mci.h"

#include <gtest/gtest.h>
#include <QString>
#include <string>

namespace {

QString ErrorText(platform::MCIERROR error, platform::UINT room = 256) {
    std::string buffer(room, '\x7f');
    EXPECT_TRUE(platform::mciGetErrorStringA(error, buffer.data(), room));
    return QString::fromUtf8(buffer.c_str());
}

TEST(MCIErrorTexts, AreTheProgramsEnglishWithoutACatalogue) {
    EXPECT_EQ(ErrorText(platform::MCIERR_FILE_READ), "The media file cannot be read.");
    EXPECT_EQ(ErrorText(platform::MCIERR_FILE_READ, 10), "The media");
}

TEST(MCIErrorTexts, AreChineseUnderTheChineseCatalogueAndCutBetweenCharacters) {
    const CatalogueScope chinese("zh_CN");
    ASSERT_FALSE(chinese.Language().isEmpty()) << BuiltCatalogues().toStdString();
    EXPECT_EQ(ErrorText(platform::MCIERR_FILE_READ), "无法读取媒体文件。");
    EXPECT_EQ(ErrorText(platform::MCIERR_CREATEWINDOW), "无法创建视频窗口。");
    // Three bytes a character: room for two and a third leaves two.
    EXPECT_EQ(ErrorText(platform::MCIERR_FILE_READ, 8), "无法");
    EXPECT_EQ(ErrorText(platform::MCIERR_FILE_READ, 3), "");
}

} // namespace
