#pragma once
// The check and repair of the association that lets Video CD tracks (.dat
// files) play: .dat must reach the MPEG video device through win.ini, the
// registry and system.ini (see MCIExtension.h).

// The main window runs this as its CheckDATExtension operation.
// Ask: ask before a default repair (No writes nothing).
// UseMPEGDriver: give .dat the association .mpg has, without any test.
// ShowNoChange: say so when the association is already right.
// Every outcome is reported in a modal message box; errors of the profile and
// registry layers pass to the caller, after what was written before them.
void CheckDATAssociation(bool Ask, bool UseMPEGDriver, bool ShowNoChange);
