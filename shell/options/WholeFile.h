#pragma once
// Whole-file access for the options file: read everything, or replace
// everything at once. Portable interface; one implementation per platform.

#include <string>

namespace pastimo {

enum class WholeFileRead { rfRead, rfMissing, rfFailed };

// Reads the whole file, opened exclusively for the moment of the read.
// rfMissing when neither the file nor its folder exists.
WholeFileRead ReadWholeFileBytes(const std::string& path, std::string& bytes);

// Replaces the file with `bytes`, crash-safe: written to a temporary sibling,
// flushed and moved over the original. On failure the original stays whole
// and the temporary file is removed.
bool ReplaceWholeFileBytes(const std::string& path, const std::string& bytes);

}  // namespace pastimo
