#pragma once
// A top-level window's placement as the program keeps it: show command,
// minimised and maximised positions, and the normal rectangle of the outer
// frame in work-area coordinates (the primary screen's available area).
//
// Maximise, minimise and full screen are the window manager's work: without
// one they are requests nobody carries out. Where the windowing system does
// not let a client place itself (Wayland), size and state apply and the
// position is left to the compositor.
#include "platform/wintypes.h"

class QObject;
class QWidget;

namespace platform {

struct POINT {
    LONG x;
    LONG y;
};

struct WINDOWPLACEMENT {
    UINT length = sizeof(WINDOWPLACEMENT);
    UINT flags = 0;
    UINT showCmd = 0;
    POINT ptMinPosition{-1, -1};
    POINT ptMaxPosition{-1, -1};
    RECT rcNormalPosition{};
};

constexpr UINT WPF_SETMINPOSITION = 0x1;
constexpr UINT WPF_RESTORETOMAXIMIZED = 0x2;

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;

constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr WPARAM SC_MINIMIZE = 0xF020;

BOOL GetWindowPlacement(QWidget* window, WINDOWPLACEMENT* placement);
// The rectangle applies while the window is in normal state (a maximised or
// minimised window keeps its own), then the show command: SW_HIDE changes
// nothing else, never hiding a window that is being shown. A window whose
// frame is not known yet (not yet mapped) gets its size corrected once the
// window manager has framed it.
BOOL SetWindowPlacement(QWidget* window, const WINDOWPLACEMENT* placement);

// On screen: mapped by the windowing system, not merely asked to show.
BOOL IsWindowVisible(QWidget* window);

// The application as one window: WM_SYSCOMMAND with SC_MINIMIZE posted to it
// minimises every shown top-level window.
QObject* ApplicationWindow();
// For ApplicationWindow(): every shown top-level window is minimised (and
// there is one); for a window: it is minimised.
BOOL IsIconic(QObject* window);

// The window the application was started with; its placement speaks for the
// application's.
void SetApplicationMainWindow(QWidget* window);
QWidget* ApplicationMainWindow();

// The primary screen's size; the width and height of a sizing frame.
int GetSystemMetrics(int index);
// The primary screen's logical pixels per inch.
int ScreenPixelsPerInch();

} // namespace platform
