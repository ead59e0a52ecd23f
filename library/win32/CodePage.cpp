// The system's ANSI code page on Win32.

#include "library/CodePage.h"

#include <windows.h>

namespace pastimo {
namespace {

const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

class AnsiCodePage final : public CodePage {
public:
    AnsiCodePage() : FCodePage(GetACP()) {
        CPINFO info;
        if (GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 2) {
            for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]); i += 2)
                FLeadBytes.Add(info.LeadByte[i], info.LeadByte[i + 1]);
        }
    }

    const LeadBytes& GetLeadBytes() const override { return FLeadBytes; }

protected:
    std::u16string ToUtf16(std::string_view bytes) const override {
        if (bytes.empty()) return std::u16string();
        const int length = static_cast<int>(bytes.size());
        const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
        if (units <= 0) return std::u16string();
        std::u16string out(static_cast<size_t>(units), u'\0');
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(&out[0]), units);
        return out;
    }

    // WC_NO_BEST_FIT_CHARS keeps look-alikes ("8" for "∞") out, the
    // used-default flag reports characters that became "?", and converting
    // back catches anything else that would not read as the same text.
    // A UTF-8 ANSI code page takes neither the flag nor the default.
    // https://learn.microsoft.com/windows/win32/api/stringapiset/nf-stringapiset-widechartomultibyte
    std::optional<std::string> FromUtf16(std::u16string_view utf16) const override {
        if (utf16.empty()) return std::string();
        const bool utf8 = FCodePage == CP_UTF8;
        const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
        const int length = static_cast<int>(utf16.size());
        BOOL usedDefault = FALSE;
        BOOL* const usedDefaultFlag = utf8 ? nullptr : &usedDefault;
        const int size = WideCharToMultiByte(CP_ACP, flags, Wide(utf16), length, nullptr, 0, nullptr, usedDefaultFlag);
        if (size <= 0 || usedDefault) return std::nullopt;
        std::string bytes(static_cast<size_t>(size), '\0');
        if (WideCharToMultiByte(CP_ACP, flags, Wide(utf16), length, &bytes[0], size, nullptr, usedDefaultFlag) !=
                size ||
            usedDefault)
            return std::nullopt;
        if (ToUtf16(bytes) != utf16) return std::nullopt;
        return bytes;
    }

private:
    UINT FCodePage;
    LeadBytes FLeadBytes;
};

}  // namespace

const CodePage& PlatformCodePage() {
    static const AnsiCodePage instance;
    return instance;
}

}  // namespace pastimo
