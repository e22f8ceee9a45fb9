#pragma once
// Where an mpv core's pictures appear: a native child window at the
// destination rectangle inside the display window (a QWindow in a window
// container, which costs far less than a GL widget), or a top-level window of
// its own when no display window was given.
//
// The GL context belongs to this object, not to the window, because the
// render context must exist before the file is loaded, long before any window
// is shown. Teardown order: the render context is freed first, with the GL
// context current; then the windows; the core goes afterwards (its owner's job).
#include <atomic>
#include <memory>
#include <QObject>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPointer>
#include <QRect>

struct mpv_handle;
struct mpv_render_context;
class QWidget;

namespace platform::mci {

class VideoWindow;

class VideoOutput final : public QObject {
public:
    // Makes the GL context and the render context for `core`; null (after
    // reporting why) when that is not possible. GUI thread.
    static std::unique_ptr<VideoOutput> Create(mpv_handle* core);
    ~VideoOutput() override;

    // Shows the video inside `host`, or in a top-level window of its own
    // when `host` is null.
    void SetHost(QWidget* host);
    // The destination, in the host's coordinates.
    void SetGeometry(const QRect& rect);
    // A window of its own appears when playback first starts.
    void PlaybackStarted();
    // Draws a frame mpv has announced, for a caller that holds the GUI
    // thread: mpv waits for each frame to be drawn before it goes on.
    void DrawAnnouncedFrame();

private:
    VideoOutput();
    bool start(mpv_handle* core);
    void draw();
    void freeRenderContext();
    void removeWindow();

    QOpenGLContext context_;
    QOffscreenSurface surface_;
    mpv_render_context* render_ = nullptr;
    std::atomic<bool> frameQueued_{false};
    QPointer<QWidget> host_;
    bool hosted_ = false;
    QPointer<QWidget> container_;
    QPointer<VideoWindow> window_;
    QRect geometry_;
};

} // namespace platform::mci
