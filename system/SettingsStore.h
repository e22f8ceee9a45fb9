#pragma once
// The per-user settings store, the general registry text routines beneath
// it, and the version reader. None of them keeps state between calls.
#include "platform/registry/registry.h"

#include <string>
#include <utility>
#include <vector>

// Raises EError "Error encountered saving registry" when the key cannot be
// opened or created; an empty value removes the value instead.
void WriteRegistryString(platform::HKEY root, const std::string& path, const std::string& name,
                         const std::string& value);
// Empty text when the key cannot be opened or the value is missing.
std::string ReadRegistryString(platform::HKEY root, const std::string& path,
                               const std::string& name);

void SaveSetting(const std::string& product, const std::string& subKey, const std::string& name,
                 const std::string& value);
// SaveSetting of each (name, value) in order, saved together: a save cut
// short leaves all the old values or all the new ones, and one that fails
// (raising as SaveSetting does) saves none of them.
using SettingValues = std::vector<std::pair<std::string, std::string>>;
void SaveSettings(const std::string& product, const std::string& subKey,
                  const SettingValues& values);
std::string LoadSetting(const std::string& product, const std::string& subKey,
                        const std::string& name);

// The file's ProductVersion text as stored, or "?.?".
std::string GetFileProductVersion(const std::string& fileName);
std::string GetProgramVersion();
// What a program of the player answers to --version, with its line end:
// "quelvo-drive (Quelvo Player) v1.30".
std::string VersionLine(const std::string& program);

std::string BoolToText(bool value);
