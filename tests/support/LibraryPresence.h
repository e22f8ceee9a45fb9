#pragma once
// Takes a built-in library away, in place of the program's answer that every
// one is there: an executable that calls these links this answer instead.
namespace LibraryPresence {

// Whether the library named `fileName` can be loaded (all can by default).
void SetPresent(const char* fileName, bool present);
// How many times a load of it was asked for.
int LoadAttempts(const char* fileName);

} // namespace LibraryPresence
