// The program on a screen of 144 DPI (150 %): its window and every control
// are 1.5 times their 96-DPI sizes, and no caption is cut by its control.

#include "resources/AboutBoxLayout.h"
#include "resources/MainWindowLayout.h"
#include "tests/e2e/Fixture.h"
#include "toolkit/win32/LayoutFont.h"

#include <windows.h>

#include <map>
#include <string>

namespace e2e {
namespace {

using pastimo::ControlKind;
using pastimo::ControlLayout;
using pastimo::FormLayout;
using pastimo::LayoutRect;
using pastimo::ScaleToDpi;

// The screen's resolution for programs started from now on (Wine reads it
// when a program starts), put back as it was when the object goes.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &FKey, nullptr);
        DWORD size = sizeof FOld;
        FHadOld = RegQueryValueExW(FKey, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&FOld), &size) ==
                  ERROR_SUCCESS;
        RegSetValueExW(FKey, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScreenDpi() {
        if (FHadOld)
            RegSetValueExW(FKey, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&FOld), sizeof FOld);
        else
            RegDeleteValueW(FKey, L"LogPixels");
        RegCloseKey(FKey);
    }

private:
    HKEY FKey = nullptr;
    DWORD FOld = 96;
    bool FHadOld = false;
};

struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindId(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<IdSearch*>(param);
    if (GetDlgCtrlID(window) != search->id) return TRUE;
    search->found = window;
    return FALSE;
}

HWND ControlWithId(HWND form, int id) {
    IdSearch search{id, nullptr};
    EnumChildWindows(form, FindId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A row's place as the program makes it: a group box's rows lie relative to
// the group box, but in its parent.
LayoutRect PlaceOf(const FormLayout& layout, const ControlLayout& row) {
    LayoutRect place = row.bounds;
    for (size_t i = 0; i < layout.controlCount; ++i) {
        const ControlLayout& parent = layout.controls[i];
        if (parent.id == row.parent && parent.kind == ControlKind::GroupBox) {
            place.left += parent.bounds.left;
            place.top += parent.bounds.top;
        }
    }
    return place;
}

// Every control of the layout at its size for `dpi`, and its caption within it.
void ExpectLaidOutFor(HWND form, const FormLayout& layout, int dpi) {
    HDC dc = CreateCompatibleDC(nullptr);
    std::map<size_t, HFONT> fonts;
    for (size_t i = 0; i < layout.fontCount; ++i) fonts[i] = pastimo::MakeLayoutFont(layout.fonts[i], dpi);
    for (size_t i = 0; i < layout.controlCount; ++i) {
        const ControlLayout& row = layout.controls[i];
        if (row.kind == ControlKind::Page) continue;
        SCOPED_TRACE("control " + std::to_string(row.id));
        HWND control = ControlWithId(form, row.id);
        ASSERT_NE(control, nullptr);
        RECT rect;
        GetWindowRect(control, &rect);
        const LayoutRect expected = ScaleToDpi(PlaceOf(layout, row), dpi);
        EXPECT_EQ(rect.right - rect.left, expected.width);
        EXPECT_EQ(rect.bottom - rect.top, expected.height);

        const std::wstring caption = Wide(row.caption ? row.caption : "");
        if (caption.empty() || row.kind == ControlKind::Edit) continue;
        SelectObject(dc, fonts[row.font]);
        RECT needed{0, 0, expected.width, 0};
        if (row.kind == ControlKind::Label) {
            DrawTextW(dc, caption.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            EXPECT_LE(needed.right, expected.width) << "the label's text fits its box";
            EXPECT_LE(needed.bottom, expected.height) << "every line of the label shows";
        } else {
            DrawTextW(dc, caption.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
            // A check box's text follows its box and a gap; a button's sits
            // inside its frame.
            const int beside = row.kind == ControlKind::CheckBox ? ScaleToDpi(13 + 4, dpi) : ScaleToDpi(2 * 3, dpi);
            EXPECT_LE(needed.right + beside, expected.width) << "the caption fits on its control";
            EXPECT_LE(needed.bottom, expected.height);
        }
    }
    for (auto& font : fonts) DeleteObject(font.second);
    DeleteDC(dc);
}

TEST_F(ProgramTest, At144DpiTheWindowsAreOneAndAHalfTimesTheirSizeAndNoCaptionIsCut) {
    ScreenDpi screen(144);
    Program& program = StartShown();
    HWND main = program.MainWindow();
    ASSERT_EQ(program.Dpi(), 144);
    RECT client;
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, ScaleToDpi(519, 144));
    EXPECT_EQ(client.bottom, ScaleToDpi(424, 144));
    ExpectLaidOutFor(main, pastimo::kMainWindowLayout, 144);

    program.Menu(kAbout1);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = FindWindowA("TFormAbout", "About")) && IsWindowVisible(about); }));
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, ScaleToDpi(383, 144));
    EXPECT_EQ(client.bottom, ScaleToDpi(304, 144));
    ExpectLaidOutFor(about, pastimo::kAboutBoxLayout, 144);
    PostMessageA(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

}  // namespace
}  // namespace e2e
