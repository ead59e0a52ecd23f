#include "tray/TrayIconMsgWindow.h"

#include "toolkit/Errors.h"
#include "toolkit/WindowsNumbers.h"
#include "tray/VXTray95.h"

#include <cstdlib>

namespace pastimo {
namespace {

constexpr int32_t kExitPollInterval = 70;
constexpr int32_t kExitTolerance = 2;  // pixels the cursor may drift and still be over the icon

}  // namespace

TVXTrayIconMsgWindow::TVXTrayIconMsgWindow(TVXTrayIcon95* trayIcon) : TComponent(trayIcon), FTrayIcon(trayIcon) {
    TVXTimerManager& timers = trayIcon->Timers();
    FClickTimer = timers.AddTimer(false, TrayClickDelay, [this](TVXTimerItem*) { ClickTimerTick(); });
    FExitTimer = timers.AddTimer(false, kExitPollInterval, [this](TVXTimerItem*) { ExitTimerTick(); });
}

bool TVXTrayIconMsgWindow::WndProc(TMessage& message) {
    switch (message.Msg) {
        case winapi::kWmQueryEndSession:
            message.Result = 1;
            return true;
        case winapi::kWmEndSession:
            if (message.WParam != 0) FTrayIcon->HideIcon();
            return true;
        case WM_TRAYICONCALLBACK:
            MouseNotification(static_cast<int32_t>(message.LParam));  // a mouse message number
            return true;
        case WM_TRAYDEFERREDCALL:
            FTrayIcon->RunDeferredCall();
            return true;
        default:
            break;
    }
    if (FTrayIcon->IsTaskbarCreated(message.Msg)) {
        FTrayIcon->TaskbarCreated();
        return true;
    }
    return false;
}

void TVXTrayIconMsgWindow::HandleException(const std::exception& failure) { FTrayIcon->HandleException(failure); }

void TVXTrayIconMsgWindow::MouseNotification(int32_t mouseMessage) {
    switch (mouseMessage) {
        case winapi::kWmMouseMove:
            MouseMove();
            break;
        case winapi::kWmLButtonDown:
            ButtonDown(btLeft);
            break;
        case winapi::kWmRButtonDown:
            ButtonDown(btRight);
            break;
        case winapi::kWmMButtonDown:
            ButtonDown(btMiddle);
            break;
        case winapi::kWmLButtonDblClk:
        case winapi::kWmRButtonDblClk:
        case winapi::kWmMButtonDblClk:
            DoubleClick();
            break;
        default:
            break;  // button-up and anything else
    }
}

void TVXTrayIconMsgWindow::ButtonDown(TButton button) {
    FLastButton = button;
    FDoubleClicked = false;
    if (button == btRight && FTrayIcon->AutoPopup() && FTrayIcon->PopupMenu()) {
        FTrayIcon->ShowPopupMenu();
        return;
    }
    if (FTrayIcon->OnDblClick)
        StartClickTimer();
    else
        // No double click to wait for: click as soon as the queue gets there.
        FTrayIcon->DeferCall([this](TComponent*) { ClickTimerTick(); }, FTrayIcon);
}

void TVXTrayIconMsgWindow::DoubleClick() {
    FDoubleClicked = true;
    ClickTimerTick();
}

void TVXTrayIconMsgWindow::StartClickTimer() {
    // When a click is waiting already, enabling the enabled timer changes
    // nothing and its wait goes on.
    FClickTimer->SetInterval(TrayClickDelay);
    FClickTimer->SetEnabled(true);
}

void TVXTrayIconMsgWindow::ClickTimerTick() {
    FClickTimer->SetEnabled(false);
    if (FDoubleClicked) {
        if (FTrayIcon->OnDblClick) FTrayIcon->OnDblClick(FTrayIcon);
    } else {
        if (FTrayIcon->OnClick) FTrayIcon->OnClick(FTrayIcon);
    }
}

void TVXTrayIconMsgWindow::MouseMove() {
    FCursorPos = FTrayIcon->Platform().GetCursorPos();
    if (FTrayIcon->OnMouseEnter || FTrayIcon->OnMouseExit) {
        if (!FMouseInside) {
            MouseEnter(FCursorPos);
            return;  // the entering move is no OnMouseMove
        }
    } else {
        FMouseInside = true;
    }
    if (FTrayIcon->OnMouseMove && !FClickTimer->Enabled() && FMouseInside)
        FTrayIcon->OnMouseMove(FTrayIcon, FTrayIcon->ShiftState(), FCursorPos.X, FCursorPos.Y);
}

void TVXTrayIconMsgWindow::MouseEnter(TPoint p) {
    FMouseInside = true;
    // The shell says nothing when the cursor leaves: poll for it.
    FExitTimer->SetEnabled(true);
    if (FTrayIcon->OnMouseEnter) FTrayIcon->OnMouseEnter(FTrayIcon, FTrayIcon->ShiftState(), p.X, p.Y);
}

void TVXTrayIconMsgWindow::ExitTimerTick() noexcept {
    try {
        const TPoint now = FTrayIcon->Platform().GetCursorPos();
        if (std::abs(FCursorPos.X - now.X) > kExitTolerance || std::abs(FCursorPos.Y - now.Y) > kExitTolerance)
            MouseExit();
    } catch (...) {
        IgnoreFailure("a failing cursor poll or exit handler must not stop the tray icon's timers");
    }
}

void TVXTrayIconMsgWindow::MouseExit() {
    FMouseInside = false;
    if (FTrayIcon->OnMouseExit) FTrayIcon->OnMouseExit(FTrayIcon, FTrayIcon->ShiftState(), FCursorPos.X, FCursorPos.Y);
    FExitTimer->SetEnabled(false);
}

}  // namespace pastimo
