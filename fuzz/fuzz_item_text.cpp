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
bool ShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

std::string SlowItemText(std::string_view bytes, LeadBytePredicate isLeadByte) {
    std::string out;
    size_t n = 0;
    while (n < bytes.size() && bytes[n] != '\0') ++n;
    for (size_t i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (isLeadByte && isLeadByte(static_cast<unsigned char>(c)) && i + 1 < n) {
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

    const std::string plain = ItemTextFromFile(bytes, nullptr);
    FUZZ_CHECK(plain == SlowItemText(bytes, nullptr));
    FUZZ_CHECK(plain.find('\0') == std::string::npos);
    for (size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == '\r') FUZZ_CHECK(i + 1 < plain.size() && plain[i + 1] == '\n');
        if (plain[i] == '\n') FUZZ_CHECK(i > 0 && plain[i - 1] == '\r');
    }
    FUZZ_CHECK(ItemTextFromFile(plain, nullptr) == plain);

    const std::string dbcs = ItemTextFromFile(bytes, ShiftJisLead);
    FUZZ_CHECK(dbcs == SlowItemText(bytes, ShiftJisLead));
    FUZZ_CHECK(dbcs.find('\0') == std::string::npos);
    FUZZ_CHECK(ItemTextFromFile(dbcs, ShiftJisLead) == dbcs);
    return 0;
}
