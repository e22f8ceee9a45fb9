#include "platform/mci/drivers/mpv/opengl_video_output.h"

#include "platform/diagnostics.h"
#include "platform/mci/drivers/mpv/mpv_library.h"
#include "platform/mci/drivers/mpv/prepared_context.h"
#include "platform/mci/drivers/mpv/video_surface_format.h"
#include "platform/mci/drivers/mpv/video_window.h"

#include <mpv/render_gl.h>

#include <memory>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace platform::mci {
namespace {

void* glProcAddress(void* context, const char* name) {
    return reinterpret_cast<void*>(static_cast<QOpenGLContext*>(context)->getProcAddress(name));
}

} // namespace

OpenGLVideoOutput::OpenGLVideoOutput() : context_(PreparedContext::Take()) {
    if (!context_)
        context_ = std::make_unique<QOpenGLContext>();
    // Qt may tear the context down on its own (a lost context); the render
    // context must not outlive it.
    connect(context_.get(), &QOpenGLContext::aboutToBeDestroyed, this,
            &OpenGLVideoOutput::freeRenderContext);
}

std::unique_ptr<VideoOutput> OpenGLVideoOutput::Create(mpv_handle* core, std::string& failure) {
    std::unique_ptr<OpenGLVideoOutput> output(new OpenGLVideoOutput());
    failure = output->start(core);
    if (!failure.empty())
        return nullptr;
    return output;
}

std::string OpenGLVideoOutput::start(mpv_handle* core) {
    if (!context_->isValid()) {
        context_->setFormat(VideoSurfaceFormat());
        context_->create();
    }
    if (!context_->isValid())
        return "no OpenGL context can be made";
    offscreen_.setFormat(context_->format());
    offscreen_.create();
    if (!context_->makeCurrent(&offscreen_))
        return "the OpenGL context cannot be made current";
    mpv_opengl_init_params glInit{glProcAddress, context_.get()};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context* render = nullptr;
    const int result = Mpv().render_context_create(&render, core, params);
    if (result >= 0)
        listenTo(render); // an mpv_render_* call too: with the context current
    context_->doneCurrent();
    if (result < 0)
        return std::string("mpv cannot render with it: ") + Mpv().error_string(result);
    return {};
}

OpenGLVideoOutput::~OpenGLVideoOutput() {
    disconnect(context_.get(), nullptr, this, nullptr);
    freeRenderContext();
    removeSurface();
}

// Every mpv_render_* call needs the render context's GL context current.
bool OpenGLVideoOutput::makeCurrentForRenderer() {
    if (context_->makeCurrent(&offscreen_))
        return true;
    if (!lossReported_)
        ReportProblem("video: the OpenGL context cannot be made current; no pictures are drawn");
    lossReported_ = true;
    return false;
}

void OpenGLVideoOutput::freeRenderContext() {
    if (!render())
        return;
    // The render context must be freed before the core goes (mpv aborts the
    // process otherwise), so it is freed whatever happens to the GL context.
    const bool current = makeAnyContextCurrent();
    Mpv().render_context_free(stopListening());
    if (current)
        QOpenGLContext::currentContext()->doneCurrent();
}

// The render context frees its GL objects, which needs a context current. A
// context lost to the driver is replaced by a new one: the names it deletes
// are unknown there, and GL ignores deleting unknown names. Where not even
// that can be made current, GL calls go to the dispatcher's stubs for "no
// context", which do nothing; the video is lost either way, the process is not.
bool OpenGLVideoOutput::makeAnyContextCurrent() {
    if (context_->makeCurrent(&offscreen_))
        return true;
    ReportProblem("video: the OpenGL context is lost; its pictures are freed without it");
    // Kept beside the lost one, which may be in the middle of its own teardown.
    standIn_ = std::make_unique<QOpenGLContext>();
    standIn_->setFormat(VideoSurfaceFormat());
    return standIn_->create() && standIn_->makeCurrent(&offscreen_);
}

QWidget* OpenGLVideoOutput::makeSurface(QWidget* host) {
    // The context's own format, so that the window suits it, without the
    // wait for vertical sync.
    QSurfaceFormat format = context_->format();
    format.setSwapInterval(VideoSurfaceFormat().swapInterval());
    auto* window = new VideoWindow(format);
    window->OnExposed = [this] { draw(); };
    window_ = window;
    // The container owns the window from here on. The mouse goes to it as if
    // the picture were an ordinary widget, and from there to its parents.
    QWidget* container = QWidget::createWindowContainer(window, host);
    window->OnMouse = [container](QMouseEvent* event) {
        const std::unique_ptr<QEvent> copy(event->clone());
        QCoreApplication::sendEvent(container, copy.get());
    };
    return container;
}

void OpenGLVideoOutput::draw() {
    if (!render())
        return;
    if (window_ && window_->isExposed() && context_->makeCurrent(window_)) {
        int blockForTargetTime = 0;
        const qreal ratio = window_->devicePixelRatio();
        mpv_opengl_fbo target{static_cast<int>(context_->defaultFramebufferObject()),
                              static_cast<int>(window_->width() * ratio),
                              static_cast<int>(window_->height() * ratio), 0};
        int flipY = 1;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_OPENGL_FBO, &target},
            {MPV_RENDER_PARAM_FLIP_Y, &flipY},
            {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        Mpv().render_context_render(render(), params);
        context_->swapBuffers(window_);
        Mpv().render_context_report_swap(render());
    } else if (context_->makeCurrent(&offscreen_)) {
        skipFrame();
    }
}

} // namespace platform::mci
