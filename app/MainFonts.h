#pragma once
// The main window's typeface, in the sizes its controls use.
#include <QFont>

QFont tahoma(int points, bool bold);
