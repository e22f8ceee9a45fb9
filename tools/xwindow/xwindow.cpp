// Drives a program's top-level window from outside, the way a desktop would:
//   quelvo-xwindow wait TITLE TIMEOUT_MS
//       waits until a window whose title starts with TITLE is shown
//       (exit 1 on time-out)
//   quelvo-xwindow first-frame TITLE TIMEOUT_MS
//       waits for that window, then until the pixel at its centre shows
//       something other than the empty panel (black or the violet-to-black
//       background); prints "shown_ms=<ms> frame_ms=<ms>" from its start
//   quelvo-xwindow close TITLE
//       asks that window to close (WM_DELETE_WINDOW), as a window manager's
//       close button does, so the program runs its normal close
// Used by the run command and the benchmarks under a virtual X server.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string windowTitle(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &remaining, &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

Window findShown(Display* display, Window parent, const std::string& title) {
    Window root = 0, parentOut = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &parentOut, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable &&
            windowTitle(display, children[i]).rfind(title, 0) == 0)
            found = children[i];
        else
            found = findShown(display, children[i], title);
    }
    if (children)
        XFree(children);
    return found;
}

int wait(Display* display, const std::string& title, long timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!findShown(display, DefaultRootWindow(display), title)) {
        if (std::chrono::steady_clock::now() > deadline) {
            std::fprintf(stderr, "quelvo-xwindow: no window \"%s\" within %ld ms\n", title.c_str(),
                         timeoutMs);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
}

// The empty panel is black or a shade between its violet (0x26, 0x05, 0x5C)
// and black: blue about 2.4 times red, and little green.
bool isEmptyPanel(unsigned long pixel) {
    const long red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    return green <= 8 && std::labs(red * 0x5C - blue * 0x26) <= 0x5C * 6;
}

int firstFrame(Display* display, const std::string& title, long timeoutMs) {
    const auto begin = std::chrono::steady_clock::now();
    const auto elapsedMs = [&begin] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
            .count();
    };
    if (wait(display, title, timeoutMs) != 0)
        return 1;
    const double shownMs = elapsedMs();
    while (elapsedMs() < timeoutMs) {
        // Looked up afresh each time: the window may be resized, or replaced,
        // between two looks, and a look that fails is simply repeated.
        const Window window = findShown(display, DefaultRootWindow(display), title);
        XWindowAttributes attributes;
        XImage* image = nullptr;
        if (window && XGetWindowAttributes(display, window, &attributes))
            image = XGetImage(display, window, attributes.width / 2, attributes.height / 2, 1, 1,
                              AllPlanes, ZPixmap);
        const bool empty = !image || isEmptyPanel(XGetPixel(image, 0, 0));
        if (image)
            XDestroyImage(image);
        if (!empty) {
            std::printf("shown_ms=%.1f frame_ms=%.1f\n", shownMs, elapsedMs());
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::fprintf(stderr, "quelvo-xwindow: no picture in \"%s\" within %ld ms\n", title.c_str(),
                 timeoutMs);
    return 1;
}

int close(Display* display, const std::string& title) {
    const Window window = findShown(display, DefaultRootWindow(display), title);
    if (!window) {
        std::fprintf(stderr, "quelvo-xwindow: no window \"%s\" is shown\n", title.c_str());
        return 1;
    }
    XEvent message;
    std::memset(&message, 0, sizeof message);
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &message);
    XFlush(display);
    return 0;
}

// A window that goes away while it is looked at is no reason to stop.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: quelvo-xwindow wait TITLE TIMEOUT_MS\n"
                         "       quelvo-xwindow first-frame TITLE TIMEOUT_MS\n"
                         "       quelvo-xwindow close TITLE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return usage();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "quelvo-xwindow: cannot open the X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreError);
    const std::string command = argv[1];
    int result = 2;
    if (command == "wait" && argc == 4)
        result = wait(display, argv[2], std::atol(argv[3]));
    else if (command == "first-frame" && argc == 4)
        result = firstFrame(display, argv[2], std::atol(argv[3]));
    else if (command == "close" && argc == 3)
        result = close(display, argv[2]);
    else
        result = usage();
    XCloseDisplay(display);
    return result;
}
