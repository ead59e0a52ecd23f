// The window kit under Wine: no failure crosses a window procedure, a failed
// creation names its call, and an object knows when its window is gone.
#include "toolkit/win32/Buttons.h"
#include "toolkit/win32/Dpi.h"
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

}  // namespace
}  // namespace pastimo
