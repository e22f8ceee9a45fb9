#include "system/DATAssociation.h"

#include "system/MCIExtension.h"

#include "platform/ascii_case.h"
#include "platform/ui/Dialogs.h"

#include <QCoreApplication>
#include <QString>

namespace {

// Translated when shown, not at start-up, before the catalogue is loaded.
const char* const ChangesMade =
    QT_TRANSLATE_NOOP("DATAssociation", "Your changes have been made.  Please restart Quelvo "
                                        "Player.  You may need to restart windows for them to "
                                        "take effect.");
const char* const NoChangesNeeded =
    QT_TRANSLATE_NOOP("DATAssociation", "No changes needed to be made");
const char* const RepairQuestion = QT_TRANSLATE_NOOP(
    "DATAssociation",
    "Your DAT file extension does not appear to be set correctly in Windows.  Quelvo Player may "
    "need to change this in order to playback VCD files.  Do you want to make this change "
    "now?\r\n\r\nNote: You can fix this later by clicking \"No\" and then selecting the About "
    "Box button on the toolbar.");

QString Translated(const char* text) {
    return QCoreApplication::translate("DATAssociation", text);
}

// Letter case aside; blanks count.
bool IsDATAssociationRight(const std::string& WinIniDevice, const std::string& Handler,
                           const std::string& MCI32Driver) {
    return platform::AsciiUpper(WinIniDevice) == "MPEGVIDEO" &&
           platform::AsciiUpper(Handler) == "MPEGVIDEO" &&
           platform::AsciiUpper(MCI32Driver) == "MCIQTZ32.DLL";
}

} // namespace

void CheckDATAssociation(bool Ask, bool UseMPEGDriver, bool ShowNoChange) {
    std::string datDevice, datHandler, datDriver, datDriver32;
    std::string mpgDevice, mpgHandler, mpgDriver, mpgDriver32;
    ReadMCIExtension(".dat", datDevice, datHandler, datDriver, datDriver32);
    ReadMCIExtension(".mpg", mpgDevice, mpgHandler, mpgDriver, mpgDriver32);

    if (UseMPEGDriver) {
        WriteMCIExtension(".dat", mpgDevice, mpgHandler, mpgDriver, mpgDriver32);
        platform::ShowInformation(Translated(ChangesMade));
        return;
    }

    if (IsDATAssociationRight(datDevice, datHandler, datDriver32)) {
        if (ShowNoChange)
            platform::ShowInformation(Translated(NoChangesNeeded));
        return;
    }

    if (Ask && !platform::AskConfirmation(Translated(RepairQuestion)))
        return;
    WriteMCIExtension(".dat", "MPEGVideo", "MPEGVideo", "", "mciqtz32.dll");
    platform::ShowInformation(Translated(ChangesMade));
}
