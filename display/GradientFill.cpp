#include "display/GradientFill.h"

#include "platform/library/Library.h"

namespace {

// The service library, kept from its first successful load until the
// program ends.
class GradientService {
public:
    ~GradientService() {
        if (FLibrary)
            platform::FreeLibrary(FLibrary);
    }

    // A missing library is asked for again next time; a library without the
    // export stays unavailable.
    platform::GradientFillProc Entry() {
        if (!FLibrary) {
            FLibrary = platform::LoadLibraryA("MSIMG32.DLL");
            if (FLibrary)
                FEntry = reinterpret_cast<platform::GradientFillProc>(
                    platform::GetProcAddress(FLibrary, "GradientFill"));
        }
        return FEntry;
    }

private:
    platform::HMODULE FLibrary = nullptr;
    platform::GradientFillProc FEntry = nullptr;
};

GradientService Service;

platform::TRIVERTEX vertex(platform::LONG x, platform::LONG y, platform::TColor color) {
    return {x,
            y,
            static_cast<platform::COLOR16>((color & 0xFF) << 8),
            static_cast<platform::COLOR16>(((color >> 8) & 0xFF) << 8),
            static_cast<platform::COLOR16>(((color >> 16) & 0xFF) << 8),
            0};
}

} // namespace

bool FillGradient(const platform::RECT& Rect, platform::HDC DC, platform::TColor StartColor,
                  platform::TColor EndColor, bool Vertical) {
    const platform::GradientFillProc gradientFill = Service.Entry();
    if (!gradientFill)
        return false;
    platform::TRIVERTEX vertices[2] = {
        vertex(Rect.left, Rect.top, platform::ColorToRGB(StartColor)),
        vertex(Rect.right, Rect.bottom, platform::ColorToRGB(EndColor))};
    platform::GRADIENT_RECT mesh{0, 1};
    return gradientFill(DC, vertices, 2, &mesh, 1,
                        Vertical ? platform::GRADIENT_FILL_RECT_V
                                 : platform::GRADIENT_FILL_RECT_H) != 0;
}
