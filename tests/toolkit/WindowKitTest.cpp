// The window kit under Wine: no failure crosses a window procedure, a failed
// creation names its call, and an object knows when its window is gone.
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
    void ReportFailure(const std::exception& failure) override { reported.push_back(failure.what()); }
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

}  // namespace
}  // namespace pastimo
