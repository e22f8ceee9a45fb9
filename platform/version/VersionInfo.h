#pragma once
// Version information read from an executable file, in the shape of the Windows
// version API. On Linux the VS_VERSIONINFO block lives in an ELF section of the
// executable (see VersionSection.h) instead of a resource.
#include "platform/wintypes.h"

#include <cstddef>
#include <span>

namespace platform {

inline constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
inline constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000;
inline constexpr DWORD VS_FFI_FILEFLAGSMASK = 0x0000003F;
inline constexpr DWORD VOS_NT_WINDOWS32 = 0x00040004;
inline constexpr DWORD VFT_APP = 0x00000001;

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

// The buffer size that GetFileVersionInfoA needs for the file's version
// information, or 0 when the file has none or cannot be read. Sets *handle to
// 0 when handle is not null.
DWORD GetFileVersionInfoSizeA(const char* fileName, DWORD* handle);

// Loads the file's version information into data, which must hold len bytes.
// handle is ignored. Fails (returns 0, data untouched) when the file has no
// version information or len is less than GetFileVersionInfoSizeA gives:
// a cut-off block could not be queried safely.
BOOL GetFileVersionInfoA(const char* fileName, DWORD handle, DWORD len, void* data);

// Looks up a value in a block loaded by GetFileVersionInfoA. subBlock "\" gives
// the VS_FIXEDFILEINFO (len: its size in bytes); "\VarFileInfo\Translation" the
// array of language and code-page WORD pairs (len in bytes);
// "\StringFileInfo\<language><code page>\<name>" a zero-terminated UTF-8 text
// (len in characters with the terminator). Keys match regardless of ASCII case.
// On failure *buffer is null and *len 0. The pointers stay valid as long as
// the block does.
BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* len);

namespace version {

// GetFileVersionInfoSizeA and GetFileVersionInfoA for a VS_VERSIONINFO block
// already in memory (bytes past the block's own length are ignored).
DWORD VersionInfoSize(std::span<const std::byte> section);
BOOL LoadVersionInfo(std::span<const std::byte> section, DWORD len, void* data);

} // namespace version
} // namespace platform
