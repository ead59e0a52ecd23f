// The item text reader gets whatever bytes an item file holds. Checks it
// against a byte-by-byte reading of the same rules, with and without a
// two-byte code page, and that reading its own output changes nothing.

#include "fuzz/FuzzCheck.h"
#include "library/TextFormats.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace pastimo;

namespace {

// Lead bytes of a double-byte code page (Shift JIS ranges).
const LeadBytes kShiftJisLead{{0x81, 0x9F}, {0xE0, 0xFC}};
const LeadBytes kNoLead;

std::string SlowItemText(std::string_view bytes, const LeadBytes& leadBytes) {
    std::string out;
    size_t n = 0;
    while (n < bytes.size() && bytes[n] != '\0') ++n;
    for (size_t i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (leadBytes.Contains(static_cast<unsigned char>(c)) && i + 1 < n) {
            out += c;
            out += bytes[++i];
        } else if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string plain = ItemTextFromFile(bytes, kNoLead);
    FUZZ_CHECK(plain == SlowItemText(bytes, kNoLead));
    FUZZ_CHECK(plain.find('\0') == std::string::npos);
    for (size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == '\r') FUZZ_CHECK(i + 1 < plain.size() && plain[i + 1] == '\n');
        if (plain[i] == '\n') FUZZ_CHECK(i > 0 && plain[i - 1] == '\r');
    }
    FUZZ_CHECK(ItemTextFromFile(plain, kNoLead) == plain);

    const std::string dbcs = ItemTextFromFile(bytes, kShiftJisLead);
    FUZZ_CHECK(dbcs == SlowItemText(bytes, kShiftJisLead));
    FUZZ_CHECK(dbcs.find('\0') == std::string::npos);
    FUZZ_CHECK(ItemTextFromFile(dbcs, kShiftJisLead) == dbcs);
    return 0;
}
