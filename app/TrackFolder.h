#pragma once
// Where a disc keeps its tracks.
#include <functional>
#include <QString>

// The first folder of `Drive` that exists of MPEG2\ (a Super Video CD),
// MPEGAV\ (a Video CD) and the root, with each folder test written to `Log`.
// Raises EError "Cannot access CD" when not even the root can be read.
QString FindTrackFolder(const QString& Drive, const std::function<void(const QString&)>& Log);
