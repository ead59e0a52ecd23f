// The library files' two encodings, against the POSIX code page
// (Windows-1252). Any UTF-8 text or list of names, once written, reads back
// the same; a file in the code page that is read and written again keeps
// exactly the bytes the byte-level format gives, so a library that never
// needed UTF-8 never changes encoding.

#include "fuzz/FuzzCheck.h"
#include "library/FileEncoding.h"
#include "library/TextFormats.h"
#include "toolkit/Unicode.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace pastimo;

namespace {

bool StartsWithMark(std::string_view bytes) { return bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark; }

// Text as the multi-line field gives it: valid UTF-8, no NUL, breaks CR LF.
std::string TypedText(std::string_view bytes) {
    std::string text = Utf16ToUtf8(Utf8ToUtf16(bytes));
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return ItemTextFromFile(text, LeadBytes());
}

// Names split at 0x1F, with CR, LF and NUL dropped: valid UTF-8 each.
std::vector<std::string> TypedNames(std::string_view bytes) {
    std::vector<std::string> names(1);
    for (char c : Utf16ToUtf8(Utf8ToUtf16(bytes))) {
        if (c == '\x1f') names.emplace_back();
        else if (c != '\r' && c != '\n' && c != '\0') names.back() += c;
    }
    if (bytes.empty()) names.clear();
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CodePage& codePage = PlatformCodePage();

    const std::string text = TypedText(bytes);
    const std::string textFile = EncodeItemTextFile(text, codePage);
    FUZZ_CHECK(DecodeItemTextFile(textFile, codePage) == text);
    const std::optional<std::string> ansi = codePage.FromUtf8(text);
    if (ansi && !StartsWithMark(*ansi)) FUZZ_CHECK(textFile == *ansi);

    const std::vector<std::string> names = TypedNames(bytes);
    FUZZ_CHECK(DecodeNameListFile(EncodeNameListFile(names, codePage), codePage) == names);

    if (!StartsWithMark(bytes)) {
        const std::vector<std::string> read = DecodeNameListFile(bytes, codePage);
        FUZZ_CHECK(EncodeNameListFile(read, codePage) == JoinNameListText(SplitNameListText(bytes)));
        const std::string itemText = DecodeItemTextFile(bytes, codePage);
        FUZZ_CHECK(EncodeItemTextFile(itemText, codePage) == ItemTextFromFile(bytes, codePage.GetLeadBytes()));
    }

    // Whatever a file held, what the program writes of it is stable.
    const std::string rewritten = EncodeItemTextFile(DecodeItemTextFile(bytes, codePage), codePage);
    FUZZ_CHECK(EncodeItemTextFile(DecodeItemTextFile(rewritten, codePage), codePage) == rewritten);
    const std::string relisted = EncodeNameListFile(DecodeNameListFile(bytes, codePage), codePage);
    FUZZ_CHECK(EncodeNameListFile(DecodeNameListFile(relisted, codePage), codePage) == relisted);
    return 0;
}
