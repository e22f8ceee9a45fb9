#pragma once
// Whether a built-in library can be loaded: always, in the program. This
// answer is a file of its own so that a test can link its own in its place
// and see the program cope with a library's absence; nothing in the program
// can switch it.
namespace platform {

// Asked once for every load of the library named `fileName`.
bool BuiltInLibraryLoadable(const char* fileName);

} // namespace platform
