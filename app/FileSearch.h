#pragma once
// File-search routines over the drive-letter view of the system.
#include "platform/drives/drives.h"

#include <initializer_list>
#include <QStringList>

// Fills `Strings` with the roots ("D:") whose drive type is in `DriveTypes`,
// every root when it is empty; false when the system could not be asked.
bool GetDriveList(QStringList& Strings, std::initializer_list<platform::UINT> DriveTypes);
