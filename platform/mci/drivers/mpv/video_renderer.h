#pragma once
// How video is drawn. OpenGL, where the machine has graphics hardware to run
// it. Without any, OpenGL itself runs in software: its driver takes a tenth of
// a second to start, compiles every shader with a full compiler on first use
// and then pushes each pixel through it. mpv's own software renderer converts
// and scales the picture directly and is ready at once, so it draws instead.
#include <optional>
#include <string>

namespace platform::mci {

enum class VideoRenderer { openGL, software };

// The environment variable that names the renderer: "opengl" or "software".
inline constexpr const char* VideoOutputVariable = "QUELVO_VIDEO_OUTPUT";

// The renderer for every video output this process makes: the one set by
// SetVideoRenderer, else the one QUELVO_VIDEO_OUTPUT names, else OpenGL when
// a graphics device can be opened and OpenGL is not forced into software
// (LIBGL_ALWAYS_SOFTWARE), else software. A value of QUELVO_VIDEO_OUTPUT that
// names neither is reported and left to the machine's choice.
VideoRenderer ChosenVideoRenderer();

// Puts `renderer` in place of the machine's choice for later outputs; none
// goes back to the machine's choice. GUI thread, while no device is open.
void SetVideoRenderer(std::optional<VideoRenderer> renderer);

// True when `folder` (the kernel's DRM device folder) holds a render node
// this process may open.
bool HasGraphicsDevice(const std::string& folder = "/dev/dri");

} // namespace platform::mci
