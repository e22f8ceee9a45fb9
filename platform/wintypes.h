#pragma once
// The scalar types of the Windows interfaces that platform/ reproduces, at their
// Windows widths, so that every service and every caller agrees on one DWORD.
#include <cstdint>

class QWidget;

namespace platform {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using BOOL = int; // zero is failure, anything else success
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using HMODULE = void*;
using HANDLE = void*;
// A window is the toolkit's widget.
using HWND = QWidget*;

// 100-nanosecond intervals since 1 January 1601 (UTC).
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

// How a window is shown: a window's placement, a shell "open".
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_RESTORE = 9;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

} // namespace platform
