#pragma once
// Reads the project's version data file (Name=Value lines, # comments).
#include "platform/version/VersionBlockWriter.h"

#include <istream>

// Throws std::runtime_error naming the line of the first problem.
platform::version::VersionResource ParseVersionData(std::istream& input);
