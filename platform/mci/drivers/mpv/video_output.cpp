#include "platform/mci/drivers/mpv/video_output.h"

#include "platform/diagnostics.h"
#include "platform/mci/drivers/mpv/video_window.h"

#include <mpv/render.h>
#include <mpv/render_gl.h>

#include <QGuiApplication>
#include <QWidget>

namespace platform::mci {
namespace {

void* glProcAddress(void* context, const char* name) {
    return reinterpret_cast<void*>(static_cast<QOpenGLContext*>(context)->getProcAddress(name));
}

} // namespace

VideoOutput::VideoOutput() {
    // Qt may tear the context down on its own (a lost context); the render
    // context must not outlive it.
    connect(&context_, &QOpenGLContext::aboutToBeDestroyed, this, &VideoOutput::freeRenderContext);
}

std::unique_ptr<VideoOutput> VideoOutput::Create(mpv_handle* core) {
    std::unique_ptr<VideoOutput> output(new VideoOutput());
    if (!output->start(core))
        return nullptr;
    return output;
}

bool VideoOutput::start(mpv_handle* core) {
    context_.setFormat(QSurfaceFormat::defaultFormat());
    if (!context_.create()) {
        ReportProblem("video: no OpenGL context");
        return false;
    }
    surface_.setFormat(context_.format());
    surface_.create();
    if (!context_.makeCurrent(&surface_)) {
        ReportProblem("video: cannot use the OpenGL context");
        return false;
    }
    mpv_opengl_init_params glInit{glProcAddress, &context_};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    const int result = mpv_render_context_create(&render_, core, params);
    context_.doneCurrent();
    if (result < 0) {
        render_ = nullptr;
        ReportProblem(std::string("video: mpv cannot render: ") + mpv_error_string(result));
        return false;
    }
    mpv_render_context_set_update_callback(
        render_,
        [](void* self) {
            // Any mpv thread: hand the frame to the GUI thread, once per batch.
            auto* output = static_cast<VideoOutput*>(self);
            if (!output->frameQueued_.exchange(true))
                QMetaObject::invokeMethod(output, &VideoOutput::DrawAnnouncedFrame,
                                          Qt::QueuedConnection);
        },
        this);
    return true;
}

VideoOutput::~VideoOutput() {
    freeRenderContext();
    removeWindow();
}

void VideoOutput::freeRenderContext() {
    if (!render_)
        return;
    mpv_render_context_set_update_callback(render_, nullptr, nullptr);
    context_.makeCurrent(&surface_);
    mpv_render_context_free(render_);
    render_ = nullptr;
    context_.doneCurrent();
}

void VideoOutput::removeWindow() {
    // A container owns its window; a window of its own stands alone.
    if (container_)
        delete container_.data();
    else if (window_)
        delete window_.data();
}

void VideoOutput::SetHost(QWidget* host) {
    if (window_ && host_ == host)
        return;
    removeWindow();
    host_ = host;
    hosted_ = host != nullptr;
    auto* window = new VideoWindow(context_.format());
    window->OnExposed = [this] { draw(); };
    window_ = window;
    if (host) {
        container_ = QWidget::createWindowContainer(window, host);
        container_->setFocusPolicy(Qt::NoFocus);
        container_->setGeometry(geometry_);
        container_->show();
    } else {
        window->setTitle(QGuiApplication::applicationDisplayName());
        window->resize(geometry_.size());
    }
}

void VideoOutput::SetGeometry(const QRect& rect) {
    geometry_ = rect;
    if (container_)
        container_->setGeometry(rect);
    else if (window_)
        window_->resize(rect.size());
}

void VideoOutput::PlaybackStarted() {
    // Video inside a display window shows with that window, and not at all
    // once the window is gone.
    if (hosted_)
        return;
    if (!window_)
        SetHost(nullptr);
    if (!window_->isVisible())
        window_->show();
}

void VideoOutput::DrawAnnouncedFrame() {
    if (!frameQueued_.exchange(false))
        return;
    if (render_ && (mpv_render_context_update(render_) & MPV_RENDER_UPDATE_FRAME))
        draw();
}

void VideoOutput::draw() {
    if (!render_)
        return;
    int blockForTargetTime = 0;
    if (window_ && window_->isExposed() && context_.makeCurrent(window_)) {
        const qreal ratio = window_->devicePixelRatio();
        mpv_opengl_fbo target{static_cast<int>(context_.defaultFramebufferObject()),
                              static_cast<int>(window_->width() * ratio),
                              static_cast<int>(window_->height() * ratio), 0};
        int flipY = 1;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_OPENGL_FBO, &target},
            {MPV_RENDER_PARAM_FLIP_Y, &flipY},
            {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        mpv_render_context_render(render_, params);
        context_.swapBuffers(window_);
        mpv_render_context_report_swap(render_);
    } else if (context_.makeCurrent(&surface_)) {
        // Nowhere to show it: the frame is still taken, or mpv would stall
        // waiting for it to be drawn.
        int skip = 1;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
            {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        mpv_render_context_render(render_, params);
    }
}

} // namespace platform::mci
