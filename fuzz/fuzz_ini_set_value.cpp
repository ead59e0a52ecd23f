// The options file is rewritten in place of whatever text it holds. Sets one
// value in arbitrary text and checks: the value reads back; setting it again
// changes nothing; every other line is kept, one line changed or added (or a
// new section at the end); every other section and key reads as before.

#include "fuzz/FuzzCheck.h"
#include "fuzz/IniFuzzHelpers.h"
#include "shell/options/IniText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace pastimo;
using fuzzini::SameName;

namespace {

std::string PickName(FuzzedDataProvider& in, const char* usual, const char* other) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return usual;
        case 1:
            return other;
        default:
            return in.ConsumeRandomLengthString(12);
    }
}

bool HasBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }
bool Trimmed(std::string_view s) { return fuzzini::Trim(s).size() == s.size(); }
bool HasNul(std::string_view s) { return s.find('\0') != std::string_view::npos; }
bool Quoted(std::string_view s) {
    return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = PickName(in, "CLIP", "MINIM");
    const std::string key = PickName(in, "AUTO", "auto");
    const std::string value = PickName(in, "1", "0");
    const std::string text = in.ConsumeRemainingBytesAsString();

    // Names and values the program could write and read back at all: one
    // line each, no blanks around them, no "]" in a section name, no "=" in
    // a key, a key that does not read as a section header, a value that is
    // not in quotes (they would be taken off), no NUL (a name or value ends
    // there).
    if (HasNul(section) || HasNul(key) || HasNul(value)) return -1;
    if (HasBreak(section) || !Trimmed(section) || section.find(']') != std::string::npos) return -1;
    if (HasBreak(key) || !Trimmed(key) || key.find('=') != std::string::npos || (!key.empty() && key[0] == '['))
        return -1;
    if (HasBreak(value) || !Trimmed(value) || value.size() > kIniValueLimit || Quoted(value)) return -1;

    const std::string result = IniSetValue(text, section, key, value);
    FUZZ_CHECK(IniLookup(result, section, key) == value);
    FUZZ_CHECK(IniSetValue(result, section, key, value) == result);

    // Lines: the same before and after, but for one changed or added line,
    // or the new section's two lines at the end.
    const std::vector<std::string_view> before = fuzzini::Lines(text);
    const std::vector<std::string_view> after = fuzzini::Lines(result);
    size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
    size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const size_t removed = before.size() - head - tail;
    const size_t added = after.size() - head - tail;
    if (added == 0) {
        FUZZ_CHECK(removed == 0 && result == text);  // the key's line already read key=value
    } else if (added == 2) {
        FUZZ_CHECK(removed == 0 && tail == 0);
        FUZZ_CHECK(after[head] == "[" + section + "]");
        FUZZ_CHECK(after[head + 1] == key + "=" + value);
    } else {
        FUZZ_CHECK(added == 1 && removed <= 1);
        const std::string_view line = after[head];
        const size_t eq = line.find('=');
        FUZZ_CHECK(eq != std::string_view::npos && SameName(line.substr(0, eq), key) && line.substr(eq + 1) == value);
        if (removed == 1)
            FUZZ_CHECK(SameName(fuzzini::UpToNul(fuzzini::Trim(before[head].substr(0, before[head].find('=')))), key));
    }

    // Every other value reads as before.
    for (const auto& [otherSection, otherKey] : fuzzini::NamedPairs(text, 32)) {
        if (SameName(otherSection, section) && SameName(otherKey, key)) continue;
        FUZZ_CHECK(IniLookup(result, otherSection, otherKey) == IniLookup(text, otherSection, otherKey));
    }
    return 0;
}
