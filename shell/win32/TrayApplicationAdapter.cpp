#include "shell/win32/TrayApplicationAdapter.h"

#include "toolkit/win32/Application.h"
#include "toolkit/win32/Form.h"

namespace pastimo {
namespace {

THandle HandleValue(HWND hwnd) { return reinterpret_cast<THandle>(hwnd); }

}  // namespace

THandle TrayApplicationAdapter::Handle() { return HandleValue(Application->Handle()); }

void TrayApplicationAdapter::Minimize() { Application->Minimize(); }

void TrayApplicationAdapter::Restore() { Application->Restore(); }

void TrayApplicationAdapter::SetMinimizeHook(std::function<void()> hook) { Application->OnMinimize = std::move(hook); }

void TrayApplicationAdapter::SetRestoreHook(std::function<void()> hook) { Application->OnRestore = std::move(hook); }

void TrayApplicationAdapter::ShowMainForm() {
    if (TForm* form = Application->MainForm()) form->Show();
}

THandle TrayApplicationAdapter::MainFormHandle() {
    TForm* form = Application->MainForm();
    return form ? HandleValue(form->Handle()) : 0;
}

void TrayApplicationAdapter::ProcessMessages() { Application->ProcessMessages(); }

void TrayApplicationAdapter::HandleException(const std::exception& failure) { Application->HandleException(failure); }

}  // namespace pastimo
