#pragma once
// The registry calls the program expects, kept on disk as one REGEDIT4 text
// file per root in the configuration folder:
//   HKEY_CURRENT_USER  -> <config>/user.reg
//   HKEY_LOCAL_MACHINE -> <config>/system.reg (kept per user)
//
// A handle names a root, a key path and the access it was opened with; it
// holds no data. Every call reads the root's file afresh, and every call that
// changes something re-reads, changes and saves the file under an
// inter-process lock, so processes sharing the files never undo each other's
// changes. Calls may come from any thread.
//
// Strings are UTF-8. Key paths use "\" as separator; a leading "\" and empty
// steps are ignored. Key paths and value names match without regard to ASCII
// letter case and keep the case in which they were first created. The value
// name "" (or a null name) is the key's default value.
#include "platform/winerror.h"
#include "platform/wintypes.h"

#include <string>

namespace platform {

using REGSAM = DWORD;

struct HKEY__;
using HKEY = HKEY__*;

// The predefined roots; they are always open and closing them does nothing.
extern const HKEY HKEY_CURRENT_USER;
extern const HKEY HKEY_LOCAL_MACHINE;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens `subKey` below `key`, creating it and every missing key above it.
// Creating needs a root or a handle with KEY_CREATE_SUB_KEY. When a key must
// be created and the root's folder or file cannot be written, the call fails
// with ERROR_ACCESS_DENIED; an existing key opens whatever `access` asks, and
// a file that cannot be written refuses only the changes that would change
// it. A key more than 512 levels deep (registry::kMaxKeyDepth) is ERROR_INVALID_PARAMETER.
// `disposition` (optional) receives REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
// The caller closes `*result` with RegCloseKey.
LONG RegCreateKeyExA(HKEY key, const char* subKey, REGSAM access, HKEY* result, DWORD* disposition);

// Opens an existing key: ERROR_FILE_NOT_FOUND when it is missing.
LONG RegOpenKeyExA(HKEY key, const char* subKey, REGSAM access, HKEY* result);

// Reads a value. `type` and `dataSize` are optional. With `data` null only the
// type and size are reported. With a buffer, `*dataSize` gives its size on
// entry and the value's size on return; a buffer too small gives
// ERROR_MORE_DATA and leaves the buffer's contents unspecified. A missing value
// is ERROR_FILE_NOT_FOUND.
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* dataSize);

// Stores exactly `dataSize` bytes of `data` with the given type (text types
// include their terminating zero). Needs KEY_SET_VALUE.
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD dataSize);

// Removes a value: ERROR_FILE_NOT_FOUND when there is none. Needs KEY_SET_VALUE.
LONG RegDeleteValueA(HKEY key, const char* valueName);

// Removes the key `subKey` below `key` with its values; a key that still has
// subkeys is refused with ERROR_ACCESS_DENIED.
LONG RegDeleteKeyA(HKEY key, const char* subKey);

// The name and type (both optional) of the value at `index`, in stored order;
// ERROR_NO_MORE_ITEMS past the last one. Needs KEY_QUERY_VALUE.
LONG RegEnumValueA(HKEY key, DWORD index, std::string* valueName, DWORD* type);

// Releases a handle; closing a predefined root is accepted and does nothing.
LONG RegCloseKey(HKEY key);

} // namespace platform
