#pragma once
// The program's picture, a silver disc with a red play triangle on yellow,
// drawn the way a picture control draws a transparent bitmap: every pixel of
// the colour of its bottom-left pixel is left out.
#include <QIcon>
#include <QImage>
#include <QPixmap>

// Makes every pixel that has exactly the colour of the bottom-left pixel
// fully transparent.
QImage KeyOutBottomLeftColour(QImage image);

// `size` logical pixels square, sharp at the given device pixel ratio.
QPixmap ProgramPicture(int size, qreal devicePixelRatio);

// The picture at the sizes the desktop asks for, for window and task bar.
QIcon ProgramIcon();
