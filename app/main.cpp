#include "app/uMain.h"
#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    TdlgMain dlgMain;
    dlgMain.show();
    return application.exec();
}
