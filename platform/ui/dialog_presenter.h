#pragma once
// Where a message box and the bell reach the user: the desktop's own. These
// two live in a file of their own so that a test executable can link a
// stand-in for the user in their place; nothing in the program can switch
// them.
#include "platform/ui/Dialogs.h"

namespace platform {

// Shows the box (RunMessageBox) and returns the button that closed it.
DialogButton PresentDialog(const DialogRequest& request);
// Rings the desktop's bell.
void SoundBell();

// The desktop's modal message box for `request`, whoever stands in.
DialogButton RunMessageBox(const DialogRequest& request);

} // namespace platform
