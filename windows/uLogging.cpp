#include "windows/uLogging.h"

TdlgLog::TdlgLog(QWidget* parent) : QDialog(parent) {}
