// The library files' forms, against the POSIX code page (Windows-1252). Any
// UTF-8 text or list of names, once written in any form, reads back the
// same; a file without the mark that is read and written again in the form
// it was read in keeps exactly the bytes the byte-level format gives, so a
// file never changes form unless its text has to.

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
        if (c == '\x1f')
            names.emplace_back();
        else if (c != '\r' && c != '\n' && c != '\0')
            names.back() += c;
    }
    if (bytes.empty()) names.clear();
    return names;
}

size_t Replacements(std::string_view text) {
    size_t count = 0;
    for (size_t at = text.find("\xEF\xBF\xBD"); at != std::string_view::npos; at = text.find("\xEF\xBF\xBD", at + 3))
        ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CodePage& codePage = PlatformCodePage();

    const std::string text = TypedText(bytes);
    const std::vector<std::string> names = TypedNames(bytes);
    for (const TFileForm asked : {TFileForm::ffAnsi, TFileForm::ffUtf8, TFileForm::ffUtf8WithMark}) {
        TFileForm form = asked;
        const std::string textFile = EncodeItemTextFile(text, codePage, form);
        FUZZ_CHECK(DecodeItemTextFile(textFile, codePage) == text);
        FUZZ_CHECK(form == asked || form == TFileForm::ffUtf8WithMark);
        if (asked == TFileForm::ffAnsi) {
            const std::optional<std::string> ansi = codePage.FromUtf8(text);
            if (ansi && FormOfFile(*ansi) == TFileForm::ffAnsi) FUZZ_CHECK(textFile == *ansi);
        }
        form = asked;
        FUZZ_CHECK(DecodeNameListFile(EncodeNameListFile(names, codePage, form), codePage) == names);
    }

    const TFileForm form = FormOfFile(bytes);
    if (form != TFileForm::ffUtf8WithMark) {
        TFileForm kept = form;
        const std::vector<std::string> read = DecodeNameListFile(bytes, codePage);
        FUZZ_CHECK(EncodeNameListFile(read, codePage, kept) == JoinNameListText(SplitNameListText(bytes)));
        FUZZ_CHECK(kept == form);
        const std::string itemText = DecodeItemTextFile(bytes, codePage);
        const LeadBytes leadBytes = form == TFileForm::ffAnsi ? codePage.GetLeadBytes() : LeadBytes();
        FUZZ_CHECK(EncodeItemTextFile(itemText, codePage, kept) == ItemTextFromFile(bytes, leadBytes));
        FUZZ_CHECK(kept == form);
    }

    // After the mark a line of UTF-8 is read as it is, and no name holds a
    // replacement character its line did not spell.
    const std::string marked = std::string(kUtf8Mark) + std::string(bytes);
    const std::vector<std::string> lines = SplitNameListText(bytes);
    const std::vector<std::string> markedNames = DecodeNameListFile(marked, codePage);
    FUZZ_CHECK(markedNames.size() == lines.size());
    for (size_t i = 0; i < lines.size() && i < markedNames.size(); ++i) {
        if (IsValidUtf8(lines[i])) FUZZ_CHECK(markedNames[i] == lines[i]);
        FUZZ_CHECK(Replacements(markedNames[i]) <= Replacements(lines[i]));
    }

    // Whatever a file held, what the program writes of it is stable.
    TFileForm textForm = form;
    const std::string rewritten = EncodeItemTextFile(DecodeItemTextFile(bytes, codePage), codePage, textForm);
    FUZZ_CHECK(EncodeItemTextFile(DecodeItemTextFile(rewritten, codePage), codePage, textForm) == rewritten);
    TFileForm listForm = form;
    const std::string relisted = EncodeNameListFile(DecodeNameListFile(bytes, codePage), codePage, listForm);
    FUZZ_CHECK(EncodeNameListFile(DecodeNameListFile(relisted, codePage), codePage, listForm) == relisted);
    return 0;
}
