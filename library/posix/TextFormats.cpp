// No lead bytes on POSIX: the stored bytes are single-byte or UTF-8, and
// UTF-8 never hides a CR or LF inside a character.

#include "library/TextFormats.h"

namespace pastimo {

LeadBytePredicate PlatformLeadBytePredicate() {
    return nullptr;
}

}  // namespace pastimo
