#pragma once
// The media associations a fresh system comes with, so that a new install
// plays MPEG files and passes the player's association check without a
// question.
namespace platform {

// Writes what is missing, never over what is there: a win.ini that does not
// exist yet gets [MCI Extensions] (dat, mpg, mpeg, mpe, m1v, m2v, vob =
// MPEGVideo); a system.ini that does not exist yet gets [MCI32]
// MPEGVideo=mciqtz32.dll; each of the machine-wide keys
// SOFTWARE\Microsoft\Multimedia\MPlayer2\Extensions\.DAT and \.MPG that does
// not exist yet is created with MCIHandler "MPEGVideo". An existing file or key
// stays exactly as it is, even when it lacks these entries: that is a broken
// association for the player to repair, not a fresh system.
//
// The program calls it once at start, before anything reads the
// associations. Failures are reported (platform/diagnostics.h), not raised.
void EnsureSystemDefaults();

} // namespace platform
