#include "display/MMDisplay2.h"

TMMDisplay2::TMMDisplay2(QWidget* parent) : QFrame(parent) {}
