#pragma once
// Saves a window's position, size and state to the current user's registry
// when it closes and puts them back when it is shown. The store is the key
// HKEY_CURRENT_USER\<IniFileName>\<IniSection>; position values are kept once
// per screen size and once for any size.
#include <QObject>
#include <QString>

class QWidget;

class TFormPlacement : public QObject {
public:
    TFormPlacement(QWidget* owner, const QString& iniFileName, const QString& iniSection);

    const QString IniFileName;
    const QString IniSection;
    // The layout version, stored and compared on restore.
    const int Version = 0;
    // Automatic restore on show and save on close; nothing else.
    bool Active = true;

    // Does nothing before the first completed restore while Active.
    void StorePlacement();
    void LoadPlacement();

    // The automatic triggers, run from the owner's own events: the show
    // before the owner's show handler, the close query once the close is
    // allowed, the destruction before the owner's own. Their errors go to
    // the standard error box and no further.
    void FormShowing();
    void FormCloseQueried();
    void FormDestroying();

    bool Restored() const { return FRestored; }
    bool Saved() const { return FSaved; }

private:
    QWidget* FOwner;
    bool FRestored = false;
    bool FSaved = false;
    bool FDestroying = false;
};
