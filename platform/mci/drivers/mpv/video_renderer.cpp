#include "platform/mci/drivers/mpv/video_renderer.h"

#include "platform/ascii_case.h"
#include "platform/diagnostics.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace platform::mci {
namespace {

std::optional<VideoRenderer>& chosenRenderer() {
    static std::optional<VideoRenderer> renderer;
    return renderer;
}

// Mesa's own reading of the variable: a yes in any of its spellings.
bool openGLForcedIntoSoftware() {
    const char* value = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    if (!value)
        return false;
    for (const char* yes : {"1", "true", "yes", "y"}) {
        if (EqualsIgnoringAsciiCase(value, yes))
            return true;
    }
    return false;
}

std::optional<VideoRenderer> namedRenderer() {
    const char* value = std::getenv(VideoOutputVariable);
    if (!value || !*value)
        return std::nullopt;
    if (EqualsIgnoringAsciiCase(value, "opengl"))
        return VideoRenderer::openGL;
    if (EqualsIgnoringAsciiCase(value, "software"))
        return VideoRenderer::software;
    ReportProblem(std::string("video: ") + VideoOutputVariable + "=" + value +
                  " names no video output (opengl or software); the machine's choice is used");
    return std::nullopt;
}

VideoRenderer machinesRenderer() {
    return HasGraphicsDevice() && !openGLForcedIntoSoftware() ? VideoRenderer::openGL
                                                              : VideoRenderer::software;
}

} // namespace

VideoRenderer ChosenVideoRenderer() {
    std::optional<VideoRenderer>& renderer = chosenRenderer();
    if (!renderer)
        renderer = namedRenderer().value_or(machinesRenderer());
    return *renderer;
}

void SetVideoRenderer(std::optional<VideoRenderer> renderer) {
    chosenRenderer() = renderer;
}

bool HasGraphicsDevice(const std::string& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().filename().string().starts_with("renderD") &&
            access(entry->path().c_str(), R_OK | W_OK) == 0)
            return true;
    }
    return false;
}

} // namespace platform::mci
