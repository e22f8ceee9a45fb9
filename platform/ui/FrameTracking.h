#pragma once
// The frame the window manager puts round the program's windows: learnt from
// each framed normal window, and waited for by a window placed before it had
// one. For the placement calls; not meant for the program.
#include <QMargins>
#include <QRect>

class QWidget;

namespace platform {

// Neither minimised, maximised nor full screen.
bool InNormalState(const QWidget* window);

// The frame of `window` when it is framed and normal (remembered for every
// window), else the one seen last; null while none has been seen.
QMargins FrameOf(const QWidget* window);
// The frame seen last, without looking at any window.
QMargins KnownFrame();

// The normal rectangle of the outer frame, in screen coordinates; for a
// window still waiting for its frame, the rectangle it was given.
QRect NormalFrameOf(QWidget* window);

// Gives `window` the outer rectangle `outer` once the window manager has
// framed it; a window nobody frames keeps the rectangle it has. A fit still
// waiting is cancelled first by the caller.
void FitFrameOnceFramed(QWidget* window, QRect outer);
// Forgets a fit still waiting, as a newer placement replaces it.
void CancelFrameFit(QWidget* window);

} // namespace platform
