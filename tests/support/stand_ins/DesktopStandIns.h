#pragma once
// Stands in for the user and the desktop in every test executable: the
// program's message boxes, bell and shell "open" reach the responder a test
// installs instead. Without one, a message box or an open fails the test (no
// box waits forever for a click, no browser starts) and the bell is not heard.
#include "platform/shell/shell.h"
#include "platform/ui/Dialogs.h"

#include <functional>

namespace DesktopStandIns {

using DialogResponder = std::function<platform::DialogButton(const platform::DialogRequest&)>;
using BeepResponder = std::function<void()>;
// True when the request was handed on.
using ShellResponder = std::function<bool(const platform::ShellRequest&)>;

// Each installs its responder (empty: none) and returns the previous one.
DialogResponder SetDialogResponder(DialogResponder responder);
BeepResponder SetBeepResponder(BeepResponder responder);
ShellResponder SetShellResponder(ShellResponder responder);

} // namespace DesktopStandIns
