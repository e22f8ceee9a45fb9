#pragma once
// What the toolkit's forms and application object do for the program's
// windows: centring a form on the screen and the application-wide hourglass.
class QWidget;

namespace platform {

// Moves the window, frame included, to the middle of the primary screen's
// free area; nothing happens without a screen.
void CenterOnScreen(QWidget& window);

// Shows the hourglass over the whole application while it lives, and the
// cursor that was there before once it is gone, however the scope ends.
class HourglassCursor {
public:
    HourglassCursor();
    ~HourglassCursor();
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;
};

} // namespace platform
