#pragma once
// Where an mpv core's pictures appear: a surface at the destination rectangle
// inside the display window, or a top-level window of its own when no display
// window was given. How the pictures are drawn onto it is the renderer's part
// (video_renderer.h): OpenGL or mpv's software renderer.
//
// Teardown order: the render context is freed first (each renderer frees its
// own, with whatever that needs); then the surface; the core goes afterwards
// (its owner's job).
#include <atomic>
#include <memory>
#include <QObject>
#include <QPointer>
#include <QRect>

struct mpv_handle;
struct mpv_render_context;
class QWidget;

namespace platform::mci {

class VideoOutput : public QObject {
public:
    // Makes the chosen renderer's render context for `core`; where OpenGL
    // is chosen and fails, says so and uses the software renderer, then and
    // for every later output. Null (after reporting why) when neither is
    // possible. GUI thread.
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

protected:
    VideoOutput() = default;
    // From here on mpv announces its frames to DrawAnnouncedFrame.
    void listenTo(mpv_render_context* render);
    // Stops the announcements; the renderer then frees `render`.
    mpv_render_context* stopListening();
    mpv_render_context* render() const { return render_; }
    // Takes mpv's current frame without drawing it: nowhere to show it, and
    // mpv waits for every frame to be drawn.
    void skipFrame();
    // Deletes the surface; a renderer whose surface needs what it owns calls
    // this from its destructor, after freeing the render context.
    void removeSurface();

private:
    // Readies the renderer's own state for an mpv_render_* call (OpenGL: its
    // context current); false when that cannot be done.
    virtual bool makeCurrentForRenderer() { return true; }
    // The widget the pictures go onto, a child of `host` or top-level.
    virtual QWidget* makeSurface(QWidget* host) = 0;
    // Draws mpv's current frame onto the surface, or takes it without
    // drawing when the surface cannot show it: mpv waits for every frame.
    virtual void draw() = 0;

    mpv_render_context* render_ = nullptr;
    std::atomic<bool> frameQueued_{false};
    QPointer<QWidget> host_;
    bool hosted_ = false;
    QPointer<QWidget> surface_;
    QRect geometry_;
};

} // namespace platform::mci
