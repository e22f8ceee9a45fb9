#pragma once
// The About box: the product, the running version, the maker's link and the
// two links that repair the .dat association. A new box is built for every
// showing and destroyed when it closes.
#include "windows/LabelClick.h"

#include <QDialog>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class TLinkLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // Shows the box until it is closed.
    int ShowModal();

    void FormShow();
    void lblnorvaneClick();
    void LinkLabel1Click();
    void LinkLabel2Click();
    void BitBtn1Click();

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* lblProduct2;
    QLabel* lblversion;
    QLabel* lblnorvane;
    QGroupBox* GroupBox2;
    TLinkLabel* LinkLabel1;
    TLinkLabel* LinkLabel2;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TLabelClick FMakerClick;
};

// The box on the screen, or null while there is none.
extern TAboutBox* AboutBox;

// The maker's home page: the root address, and the page a click opens.
QString MakerHomePage();
QString MakerIndexPage();

// Opens a new About box in front of `owner`, which takes no input meanwhile,
// and destroys it when it closes, also when an error escapes the showing.
void ShowAboutBox(QWidget* owner);
