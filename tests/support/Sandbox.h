#pragma once
// The test process's own configuration (see test_main.cpp), set up the way a
// test needs it.
#include <string>

namespace Sandbox {

// Removes every hive and profile file, as on a first run.
void ClearConfiguration();
// Makes the configuration folder impossible to create or write.
void BreakConfiguration();
// Maps LETTER (like "D:") to a fresh empty folder, so it counts as a CD-ROM
// drive; returns the folder.
std::string MapDrive(const std::string& letter);
// Maps LETTER to a disc image or a folder that exists already.
void MapDriveTo(const std::string& letter, const std::string& target);
// Stores a REG_DWORD under HKEY_CURRENT_USER.
void StoreDword(const std::string& key, const std::string& name, unsigned value);

} // namespace Sandbox
