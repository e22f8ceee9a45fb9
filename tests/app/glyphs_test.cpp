// The glyphs are compiled into static libraries, so a lost resource or a file
// the SVG renderer cannot fully understand only shows up as a blank button at
// run time. These tests load every glyph the way the windows will.
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>

static void InitGlyphResources() {
    Q_INIT_RESOURCE(app_glyphs);
    Q_INIT_RESOURCE(windows_glyphs);
}

namespace {

QStringList rendererWarnings;

void CollectWarning(QtMsgType, const QMessageLogContext&, const QString& message) {
    rendererWarnings << message;
}

QImage RenderGlyph(const QString& path, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

bool HasOpaquePixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                return true;
    return false;
}

class GlyphsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitGlyphResources(); }
};

TEST_F(GlyphsTest, EveryToolbarAndDialogGlyphLoadsCleanlyAt16Pixels) {
    const QStringList names = {"rescan", "pause", "play", "stop", "fastforward",
                               "rewind", "about", "exit", "loop", "fullscreen",
                               "log",    "clock", "copy", "door"};
    for (const QString& name : names) {
        const QString path = ":/glyphs/" + name + ".svg";
        rendererWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(CollectWarning);
        QSvgRenderer renderer(path);
        qInstallMessageHandler(previous);
        ASSERT_TRUE(renderer.isValid()) << path.toStdString();
        EXPECT_TRUE(rendererWarnings.isEmpty())
            << path.toStdString() << ": " << rendererWarnings.join("; ").toStdString();
        EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 16, 16)) << path.toStdString();
        EXPECT_TRUE(HasOpaquePixel(RenderGlyph(path, 16))) << path.toStdString();
    }
}

TEST_F(GlyphsTest, ClockLeavesItsCornersTransparent) {
    const QImage clock = RenderGlyph(":/glyphs/clock.svg", 16);
    EXPECT_EQ(qAlpha(clock.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(clock.pixel(15, 15)), 0);
}

// The About box keys the program picture's transparency on its bottom-left
// pixel; anything but the plain background yellow there would punch holes
// into the disc or leave a yellow square around it.
TEST_F(GlyphsTest, ProgramPictureIsKeyedOnPlainYellowBottomLeft) {
    const QString path = ":/glyphs/program.svg";
    QSvgRenderer renderer(path);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 64, 64));

    const QImage picture = RenderGlyph(path, 64);
    const QRgb key = picture.pixel(0, picture.height() - 1);
    EXPECT_EQ(key, qRgba(255, 255, 0, 255));
    EXPECT_EQ(picture.pixel(picture.width() - 1, 0), key);
    EXPECT_NE(picture.pixel(20, 20), key) << "the disc must not be keyed away";
    EXPECT_NE(picture.pixel(45, 45), key) << "the play triangle must not be keyed away";
}

} // namespace
