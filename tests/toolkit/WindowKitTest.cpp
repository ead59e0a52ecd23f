// The window kit under Wine: no failure crosses a window procedure, a failed
// creation names its call, and an object knows when its window is gone.
#include "toolkit/win32/Buttons.h"
#include "toolkit/win32/Dpi.h"
#include "toolkit/win32/Edit.h"
#include "toolkit/win32/Form.h"
#include "toolkit/win32/ListBox.h"
#include "toolkit/win32/Win32Error.h"
#include "toolkit/win32/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pastimo {
namespace {

constexpr UINT kThrowStd = WM_APP + 1;
constexpr UINT kThrowOther = WM_APP + 2;

class ThrowingWindow : public Window {
public:
    explicit ThrowingWindow(HWND parent = nullptr) {
        WindowPlacement placement;
        placement.style = parent ? WS_CHILD : WS_POPUP;
        placement.left = placement.top = 0;
        placement.parent = parent;
        Create({L"PastimoKitTestWindow"}, placement);
    }
    std::vector<std::string> reported;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kThrowStd) throw Exception("handler failed");
        if (message == kThrowOther) throw 42;
        return DefaultHandling(message, wParam, lParam);
    }
    void HandleException(const std::exception& failure) override { reported.push_back(failure.what()); }
};

class Control : public Window {
public:
    void Make(HWND parent) {
        WindowPlacement placement;
        placement.style = WS_CHILD;
        placement.left = placement.top = 0;
        placement.width = placement.height = 10;
        placement.parent = parent;
        CreateControl(L"BUTTON", placement, true);
    }
};

TEST(WindowKit, FailuresStopAtTheWindowAndGoToItsReport) {
    ThrowingWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_EQ(Window::FromHandle(window.Handle()), &window);
    EXPECT_EQ(SendMessageW(window.Handle(), kThrowStd, 0, 0), 0);
    EXPECT_EQ(SendMessageW(window.Handle(), kThrowOther, 0, 0), 0);
    EXPECT_EQ(window.reported, (std::vector<std::string>{"handler failed", "Unexpected failure"}));
    // A second window of the same class: the class is registered once.
    ThrowingWindow second;
    EXPECT_NE(second.Handle(), nullptr);
}

TEST(WindowKit, AFailedCreationNamesTheCallAndTheError) {
    Control control;
    try {
        control.Make(reinterpret_cast<HWND>(static_cast<uintptr_t>(0xDEAD0)));  // no such parent
        FAIL() << "a child of no window was made";
    } catch (const EWin32Error& failure) {
        EXPECT_EQ(std::string(failure.what()), "CreateWindowExW failed, error " + std::to_string(failure.Error));
        EXPECT_EQ(failure.Error, static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    }
    EXPECT_EQ(control.Handle(), nullptr);
}

TEST(WindowKit, ASubclassedControlIsUnboundWhenItsParentDestroysIt) {
    ThrowingWindow parent;
    Control control;
    control.Make(parent.Handle());
    const HWND button = control.Handle();
    EXPECT_EQ(Window::FromHandle(button), &control);
    DestroyWindow(parent.Handle());
    EXPECT_EQ(parent.Handle(), nullptr);
    EXPECT_EQ(control.Handle(), nullptr) << "nothing reaches a window that is gone";
    EXPECT_FALSE(IsWindow(button));
}

// A form moved to a screen of another resolution lays itself out again:
// every control at its row's size for the new DPI, with fonts to match.
TEST(WindowKit, AFormIsLaidOutAgainWhenItsDpiChanges) {
    static constexpr LayoutFont kFonts[] = {{"MS Sans Serif", -11, false}};
    static constexpr ControlLayout kRows[] = {
        {1, 0, ControlKind::Button, {10, 20, 75, 23}, "&OK", nullptr, 0, csNone, 0},
        {2, 0, ControlKind::ListBox, {10, 50, 101, 61}, "", nullptr, 0, csNone, 1, RowHeight(13)},
    };
    static constexpr FormLayout kLayout{"Resolution", 200, 120, kNoColor, kFonts, 1, kRows, 2};
    struct TestForm : TForm {
        TestForm() : TForm(nullptr) { CreateFromLayout({L"PastimoKitTestForm"}, kLayout, {{1, ok}, {2, list}}); }
        TButton ok;
        TListBox list;
    } form;
    const int dpi = form.Dpi();
    const int newDpi = dpi * 3 / 2;
    RECT suggested{0, 0, 400, 300};
    SendMessageW(form.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(newDpi, newDpi),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.Dpi(), newDpi);
    for (const ControlLayout& row : kRows) {
        HWND control = GetDlgItem(form.Handle(), row.id);
        RECT rect;
        GetWindowRect(control, &rect);
        const LayoutRect expected = ScaleToDpi(row.bounds, newDpi);
        EXPECT_EQ(rect.right - rect.left, expected.width) << row.id;
        EXPECT_EQ(rect.bottom - rect.top, expected.height) << row.id;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, ScaleToDpi(-11, newDpi)) << row.id;
    }
    EXPECT_EQ(SendMessageW(form.list.Handle(), LB_GETITEMHEIGHT, 0, 0), ScaleToDpi(13, newDpi));
    RECT window;
    GetWindowRect(form.Handle(), &window);
    EXPECT_EQ(window.right - window.left, 400) << "where the system suggests";
}

// At every change of DPI the title bar gets the icon drawn for the new size;
// the one it replaces is destroyed then, not kept until the window goes.
TEST(WindowKit, AnIconReplacedByADpiChangeIsDestroyed) {
    static constexpr LayoutFont kFonts[] = {{"MS Sans Serif", -11, false}};
    static constexpr ControlLayout kRows[] = {
        {1, 0, ControlKind::Button, {10, 20, 75, 23}, "&OK", nullptr, 0, csNone, 0},
    };
    static constexpr FormLayout kLayout{"Icons", 200, 120, kNoColor, kFonts, 1, kRows, 1};
    struct TestForm : TForm {
        TestForm() : TForm(nullptr) {
            CreateArgs args;
            args.className = L"PastimoKitIconForm";
            args.iconName = L"MAINICON";
            CreateFromLayout(args, kLayout, {{1, ok}});
        }
        TButton ok;
    } form;
    auto changeDpi = [&](int dpi) {
        RECT suggested{0, 0, 400, 300};
        SendMessageW(form.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        return reinterpret_cast<HICON>(SendMessageW(form.Handle(), WM_GETICON, ICON_BIG, 0));
    };
    const int dpi = form.Dpi();
    HICON first = changeDpi(dpi * 3 / 2);
    ASSERT_NE(first, nullptr);
    HICON second = changeDpi(dpi * 2);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(first, &info)) << "the replaced icon is gone";
    ASSERT_TRUE(GetIconInfo(second, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, SystemMetricForDpi(SM_CXICON, dpi * 2));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// A field shows the user's text in the layout's face while that face draws
// every character of it, and in the form's wide face otherwise: set from
// anywhere or typed, there and back. The face is chosen before the field
// takes a text, emptying it first when the face changes; the text must
// still arrive whole, and a field on screen must stay on screen.
TEST(WindowKit, AFieldTakesTheWideFaceForCharactersTheLayoutsFaceLacksAndGivesItBack) {
    static constexpr LayoutFont fonts[] = {{"MS Sans Serif", -11, false}};
    static constexpr ControlLayout rows[] = {
        {1, 0, ControlKind::Edit, {10, 10, 300, 65}, "", nullptr, 0, csMultiLine | csScrollV, 0},
        {2, 0, ControlKind::Edit, {10, 80, 300, 21}, "", nullptr, 0, csNone, 1},
    };
    static constexpr FormLayout layout{"Faces", 330, 120, kNoColor, fonts, 1, rows, 2};
    struct TestForm : TForm {
        TestForm() : TForm(nullptr) { CreateFromLayout({L"PastimoKitFacesForm"}, layout, {{1, memo}, {2, line}}); }
        TEdit memo, line;
    } form;
    const HFONT layoutFace = form.LayoutFont(0), wideFace = form.WideFont(0);
    ASSERT_NE(layoutFace, wideFace);
    auto face = [](const TEdit& field) {
        return reinterpret_cast<HFONT>(SendMessageW(field.Handle(), WM_GETFONT, 0, 0));
    };
    std::string lines;  // many lines, so that a lost or cut text shows
    for (int i = 0; i < 200; ++i) lines += "line " + std::to_string(i) + "\r\n";
    const std::string tokyo = "Tokyo \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x99\x82\r\n";  // CJK and an emoji

    for (const bool shown : {false, true}) {
        if (shown) ShowWindow(form.Handle(), SW_SHOWNA);
        for (TEdit* field : {&form.memo, &form.line}) {
            const std::string text = field == &form.memo ? lines : "a name";
            field->SetText(text);
            EXPECT_EQ(face(*field), layoutFace);
            field->SetText(text + tokyo);
            EXPECT_EQ(face(*field), wideFace) << "a character the layout's face lacks";
            EXPECT_EQ(field->Text(), text + tokyo) << "whole, though the field was emptied for the new face";
            field->SetText(text);
            EXPECT_EQ(face(*field), layoutFace) << "back once the text is ASCII";
            EXPECT_EQ(field->Text(), text);
            EXPECT_EQ(IsWindowVisible(field->Handle()) != FALSE, shown);
        }
    }
    EXPECT_TRUE(GetWindowLongW(form.memo.Handle(), GWL_STYLE) & WS_VISIBLE) << "drawn again after taking the text";

    // Typed: one character beyond the layout's face, then Backspace.
    form.memo.SetText(lines);
    SendMessageW(form.memo.Handle(), EM_SETSEL, 0, 0);
    SendMessageW(form.memo.Handle(), WM_CHAR, 0x6771, 1);
    EXPECT_EQ(face(form.memo), wideFace);
    SendMessageW(form.memo.Handle(), WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(form.memo.Text(), lines);
    EXPECT_EQ(face(form.memo), layoutFace);
}

}  // namespace
}  // namespace pastimo
