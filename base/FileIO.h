#pragma once

#include "CFileResult.h"

#include <string>
#include <string_view>

// Writes the bytes to a temporary file in the target's folder, flushes it to disk and
// renames it over the target, so that a failed write leaves an existing file as it was
// and never leaves a partial one.
CFileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file into bytes.
CFileResult ReadWholeFile(const std::string& path, std::string& bytes);
