#include "platform/mci/drivers/mpv/video_output.h"

#include "platform/diagnostics.h"
#include "platform/mci/drivers/mpv/mpv_library.h"
#include "platform/mci/drivers/mpv/opengl_video_output.h"
#include "platform/mci/drivers/mpv/software_video_output.h"
#include "platform/mci/drivers/mpv/video_renderer.h"

#include <QGuiApplication>
#include <QWidget>
#include <utility>

namespace platform::mci {

std::unique_ptr<VideoOutput> VideoOutput::Create(mpv_handle* core) {
    if (ChosenVideoRenderer() == VideoRenderer::openGL) {
        std::string failure;
        if (std::unique_ptr<VideoOutput> output = OpenGLVideoOutput::Create(core, failure))
            return output;
        // Said once: the outputs made after this one go the software way at once.
        ReportProblem("video: OpenGL cannot be used (" + failure +
                      "); the pictures are drawn in software instead");
        SetVideoRenderer(VideoRenderer::software);
    }
    return SoftwareVideoOutput::Create(core);
}

VideoOutput::~VideoOutput() {
    // The renderer has freed its render context by now.
    removeSurface();
}

void VideoOutput::removeSurface() {
    delete surface_.data();
}

void VideoOutput::listenTo(mpv_render_context* render) {
    render_ = render;
    Mpv().render_context_set_update_callback(
        render_,
        [](void* self) {
            // Any mpv thread: hand the frame to the GUI thread, once per batch.
            auto* output = static_cast<VideoOutput*>(self);
            if (!output->frameQueued_.exchange(true))
                QMetaObject::invokeMethod(output, &VideoOutput::DrawAnnouncedFrame,
                                          Qt::QueuedConnection);
        },
        this);
}

mpv_render_context* VideoOutput::stopListening() {
    if (render_)
        Mpv().render_context_set_update_callback(render_, nullptr, nullptr);
    return std::exchange(render_, nullptr);
}

void VideoOutput::skipFrame() {
    int skip = 1;
    int blockForTargetTime = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    Mpv().render_context_render(render_, params);
}

void VideoOutput::SetHost(QWidget* host) {
    if (surface_ && host_ == host)
        return;
    removeSurface();
    host_ = host;
    hosted_ = host != nullptr;
    surface_ = makeSurface(host);
    surface_->setFocusPolicy(Qt::NoFocus);
    if (host) {
        surface_->setGeometry(geometry_);
        surface_->show();
    } else {
        surface_->setWindowTitle(QGuiApplication::applicationDisplayName());
        surface_->resize(geometry_.size());
    }
}

void VideoOutput::SetGeometry(const QRect& rect) {
    geometry_ = rect;
    if (!surface_)
        return;
    if (hosted_)
        surface_->setGeometry(rect);
    else
        surface_->resize(rect.size());
}

void VideoOutput::PlaybackStarted() {
    // Video inside a display window shows with that window, and not at all
    // once the window is gone.
    if (hosted_)
        return;
    if (!surface_)
        SetHost(nullptr);
    // Closing a window of its own only hides it; the device plays on, and
    // the next play shows it again.
    if (!surface_->isVisible())
        surface_->show();
}

void VideoOutput::DrawAnnouncedFrame() {
    if (!frameQueued_.exchange(false))
        return;
    if (render_ && makeCurrentForRenderer() &&
        (Mpv().render_context_update(render_) & MPV_RENDER_UPDATE_FRAME))
        draw();
}

} // namespace platform::mci
