#pragma once
// The media associations a fresh system comes with, so that a new install
// plays MPEG files and passes the player's association check without a
// question.
namespace platform {

// Writes what is missing, never over what is there: win.ini gets each entry
// of [MCI Extensions] (dat, mpg, mpeg, mpe, m1v, m2v, vob = MPEGVideo) that it
// lacks, system.ini [MCI32] MPEGVideo=mciqtz32.dll when it lacks that entry
// (a missing file is created; a damaged one is mended entry by entry); each of
// the machine-wide keys SOFTWARE\Microsoft\Multimedia\MPlayer2\Extensions\.DAT
// and \.MPG that does not exist yet is created with MCIHandler "MPEGVideo". An
// entry or key that exists stays exactly as it is, even when it names another
// device: that is a broken association for the player to repair.
//
// The program calls it once at start, before anything reads the
// associations. Failures are reported (platform/diagnostics.h), not raised.
void EnsureSystemDefaults();

} // namespace platform
