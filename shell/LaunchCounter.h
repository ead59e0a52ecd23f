#pragma once
// Counts the launches of the program in a small file of its own beside the
// executable, so that a copy of the program in a fresh folder starts as a
// first launch. Portable: no Windows headers.

#include "library/FileSystem.h"

#include <string>

namespace pastimo {

constexpr const char* kLaunchCounterFileName = "LAUNCHES.DAT";

// The stored count: 0 when nothing is stored yet or it does not hold a count.
int ReadLaunchCount(FileSystem& fileSystem, const std::string& path);

// Reads the count, adds one and stores it; `counted` holds the new count as
// soon as it is known, so that it stands for this run even when storing it
// fails. Throws EFOpenError when the file exists but cannot be read (the
// caller then counts 0 for this run) and EFCreateError when the new count
// cannot be stored.
void CountLaunch(FileSystem& fileSystem, const std::string& path, int& counted);

}  // namespace pastimo
