#pragma once
// The association of one file extension with the media control drivers: four
// texts kept in three stores, always read and written together.
//   WinIniDevice  win.ini [MCI Extensions] under the extension without its dot
//   Handler       HKEY_LOCAL_MACHINE ...\MPlayer2\Extensions\.<EXT> "MCIHandler"
//   MCIDriver     system.ini [MCI] under the handler name
//   MCI32Driver   system.ini [MCI32] under the handler name
// A missing value is empty text. Errors of the profile files
// (platform::EIniFileException) and of the registry
// (platform::ERegistryException) are not caught: they end the call, and what
// was written before stays.
#include <string>

// The extension in the form the stores use: ASCII upper case with a leading
// dot (".dat" and "dat" give ".DAT"). `extension` must not be empty.
std::string NormalizeMCIExtension(const std::string& extension);

// Opening the handler key creates it when it is missing and the registry can
// be written; a key that cannot be opened reads as an empty Handler.
void ReadMCIExtension(const std::string& Extension, std::string& WinIniDevice, std::string& Handler,
                      std::string& MCIDriver, std::string& MCI32Driver);

// Writes every value as given, an empty one as an empty entry. A registry that
// refuses the Handler raises its own error before system.ini is touched.
void WriteMCIExtension(const std::string& Extension, const std::string& WinIniDevice,
                       const std::string& Handler, const std::string& MCIDriver,
                       const std::string& MCI32Driver);
