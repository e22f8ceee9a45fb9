#include "platform/mci/drivers/mpv/opengl_video_output.h"

#include "platform/diagnostics.h"
#include "platform/mci/drivers/mpv/prepared_context.h"
#include "platform/mci/drivers/mpv/video_window.h"

#include <mpv/render.h>
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

std::unique_ptr<VideoOutput> OpenGLVideoOutput::Create(mpv_handle* core) {
    std::unique_ptr<OpenGLVideoOutput> output(new OpenGLVideoOutput());
    if (!output->start(core))
        return nullptr;
    return output;
}

bool OpenGLVideoOutput::start(mpv_handle* core) {
    if (!context_->isValid()) {
        context_->setFormat(QSurfaceFormat::defaultFormat());
        context_->create();
    }
    if (!context_->isValid()) {
        ReportProblem("video: no OpenGL context");
        return false;
    }
    offscreen_.setFormat(context_->format());
    offscreen_.create();
    if (!context_->makeCurrent(&offscreen_)) {
        ReportProblem("video: cannot use the OpenGL context");
        return false;
    }
    mpv_opengl_init_params glInit{glProcAddress, context_.get()};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context* render = nullptr;
    const int result = mpv_render_context_create(&render, core, params);
    context_->doneCurrent();
    if (result < 0) {
        ReportProblem(std::string("video: mpv cannot render: ") + mpv_error_string(result));
        return false;
    }
    listenTo(render);
    return true;
}

OpenGLVideoOutput::~OpenGLVideoOutput() {
    disconnect(context_.get(), nullptr, this, nullptr);
    freeRenderContext();
    removeSurface();
}

void OpenGLVideoOutput::freeRenderContext() {
    mpv_render_context* render = stopListening();
    if (!render)
        return;
    context_->makeCurrent(&offscreen_);
    mpv_render_context_free(render);
    context_->doneCurrent();
}

QWidget* OpenGLVideoOutput::makeSurface(QWidget* host) {
    auto* window = new VideoWindow(context_->format());
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
        mpv_render_context_render(render(), params);
        context_->swapBuffers(window_);
        mpv_render_context_report_swap(render());
    } else if (context_->makeCurrent(&offscreen_)) {
        skipFrame();
    }
}

} // namespace platform::mci
