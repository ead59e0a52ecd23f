#pragma once
// A window, icon or menu handle as portable code holds it. Portable: no
// Windows headers.

#include <cstdint>

namespace pastimo {

// An opaque number as wide as a pointer: a 64-bit Windows hands out handles
// that do not fit in 32 bits, and one cut short names another object or none.
// 0 is no handle.
using THandle = std::uintptr_t;

}  // namespace pastimo
