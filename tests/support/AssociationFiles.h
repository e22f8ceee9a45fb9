#pragma once
// The three stores of the media associations as files on disk, in the test
// process's configuration folder: win.ini and system.ini as profile text, the
// machine-wide hive as REGEDIT4 text.
#include <string>

namespace AssociationFiles {

// Replaces the whole file with `text`.
void WriteWinIni(const std::string& text);
void WriteSystemIni(const std::string& text);
void WriteMachineHive(const std::string& text);
// The hive, with one key per extension (".DAT") and MCIHandler `handler`.
void WriteHandlers(const std::string& datHandler, const std::string& mpgHandler);

// The file as it is now; "<missing>" when there is none.
std::string WinIni();
std::string SystemIni();
std::string MachineHive();

// The handler key of `extension` (".DAT"): whether it exists, and its
// MCIHandler ("" when the key or the value is missing).
bool HandlerKeyExists(const std::string& extension);
std::string Handler(const std::string& extension);

// Makes the machine-wide hive refuse every change, whoever runs the test,
// as the registry layer's own lock does; reading still works.
void LockMachineHive();

} // namespace AssociationFiles
