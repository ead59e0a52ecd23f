// The ANSI code page's lead bytes on Win32.

#include "library/TextFormats.h"

#include <windows.h>

namespace pastimo {
namespace {

bool IsLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

}  // namespace

LeadBytePredicate PlatformLeadBytePredicate() {
    // Single-byte code pages have no lead bytes: skip the per-byte call.
    CPINFO info;
    if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1) return nullptr;
    return &IsLeadByte;
}

}  // namespace pastimo
