#pragma once
// File-search routines over the drive-letter view of the system: the drive
// list, folder tests that stay quiet about missing discs, and folder listings
// filtered by extension.
#include "platform/wintypes.h"

#include <initializer_list>
#include <QString>
#include <QStringList>

// Fills `Strings` with the roots ("D:") whose drive type is in `DriveTypes`,
// every root when it is empty; false when the system could not be asked.
bool GetDriveList(QStringList& Strings, std::initializer_list<platform::UINT> DriveTypes);

// Whether `Folder` exists, asked so that a drive without a disc just answers
// no, with no system dialog.
bool DirectoryExistsQuiet(const QString& Folder);

// Whether the extension of `FileName` is one of the filter's "*.ext;"
// patterns, in any letter case; "*.*" takes everything and ".NOTHING" stands
// for no extension.
bool MatchesFilter(const QString& FileName, const QString& Filter);

// The file name part of `Path` without its extension.
QString ExtractFileNameNoExt(const QString& Path);

// Lists the entries of `Folder` matching `Mask` and passing `Filter` into
// `Strings`, in the order the system gives them: full paths, bare names, or
// names without extension. False when the folder cannot be listed (after
// telling the user, with `ShowErrors`); what was listed so far stays.
bool BuildFileList(QStringList& Strings, const QString& Folder, const QString& Filter,
                   bool FullPath, bool NoExtension, bool ShowErrors, QString Mask);

// `Path` trimmed of blanks and control characters with one trailing "\".
QString AddSlash(const QString& Path);
