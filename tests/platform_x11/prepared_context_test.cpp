// The OpenGL context made on a worker thread while the program starts: it
// reaches the GUI thread ready to draw, the first video output takes it, and
// one nobody takes goes quietly with the preparation.
#include "platform/mci/drivers/mpv/prepared_context.h"
#include "platform/mci/drivers/mpv/video_renderer.h"
#include "platform/mci/mci.h"
#include "platform/mci/system_defaults.h"
#include "tests/support/TestMedia.h"

#include <gtest/gtest.h>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QThread>

using namespace platform;
using mci::PreparedContext;

namespace {

TEST(PreparedContext, ReachesTheGuiThreadCreatedAndCurrentNowhereOnlyOnce) {
    PreparedContext preparation;
    std::unique_ptr<QOpenGLContext> context = PreparedContext::Take();
    ASSERT_NE(context, nullptr);
    EXPECT_TRUE(context->isValid());
    EXPECT_EQ(context->thread(), QThread::currentThread());
    EXPECT_EQ(QOpenGLContext::currentContext(), nullptr);

    // It draws here as any context made here would.
    QOffscreenSurface surface;
    surface.setFormat(context->format());
    surface.create();
    ASSERT_TRUE(context->makeCurrent(&surface));
    EXPECT_NE(context->functions()->glGetString(GL_RENDERER), nullptr);
    context->doneCurrent();

    EXPECT_EQ(PreparedContext::Take(), nullptr) << "taken already";
}

TEST(PreparedContext, TheFirstOpenGLOutputTakesItAndTheNextMakesItsOwn) {
    EnsureSystemDefaults();
    mci::SetVideoRenderer(mci::VideoRenderer::openGL);
    PreparedContext preparation;
    const std::string clip = TestMedia::PalVcdClip();
    for (int open = 0; open < 2; ++open) {
        MCI_OPEN_PARMSA parameters{};
        parameters.lpstrElementName = clip.c_str();
        ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT,
                                  reinterpret_cast<DWORD_PTR>(&parameters)),
                  0u);
        EXPECT_EQ(PreparedContext::Take(), nullptr) << "open " << open;
        MCI_GENERIC_PARMS close{0};
        EXPECT_EQ(mciSendCommandA(parameters.wDeviceID, MCI_CLOSE, MCI_WAIT,
                                  reinterpret_cast<DWORD_PTR>(&close)),
                  0u);
    }
    mci::SetVideoRenderer(std::nullopt);
}

TEST(PreparedContext, NothingIsPreparedOnceThePreparationIsGone) {
    { PreparedContext untaken; }
    EXPECT_EQ(PreparedContext::Take(), nullptr);
}

} // namespace
