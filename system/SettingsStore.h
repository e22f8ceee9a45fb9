#pragma once
// The per-user settings store, the general registry text routines beneath
// it, and the version reader. None of them keeps state between calls.
#include "platform/registry/registry.h"

#include <string>

// Raises EError "Error encountered saving registry" when the key cannot be
// opened or created; an empty value removes the value instead.
void WriteRegistryString(platform::HKEY root, const std::string& path, const std::string& name,
                         const std::string& value);
// Empty text when the key cannot be opened or the value is missing.
std::string ReadRegistryString(platform::HKEY root, const std::string& path,
                               const std::string& name);

void SaveSetting(const std::string& product, const std::string& subKey, const std::string& name,
                 const std::string& value);
std::string LoadSetting(const std::string& product, const std::string& subKey,
                        const std::string& name);

// The file's ProductVersion text as stored, or "?.?".
std::string GetFileProductVersion(const std::string& fileName);
std::string GetProgramVersion();
// What a program of the player answers to --version, with its line end:
// "quelvo-drive (Quelvo Player) v1.30".
std::string VersionLine(const std::string& program);

std::string BoolToText(bool value);
