#include "app/uMain.h"

TdlgMain::TdlgMain(QWidget* parent) : QMainWindow(parent) {}
