#include "shell/win32/TrayApplicationAdapter.h"

#include "toolkit/win32/Application.h"
#include "toolkit/win32/Form.h"

namespace pastimo {
namespace {

// Window handles are 32-bit values in this 32-bit program.
uint32_t HandleValue(HWND hwnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)); }

}  // namespace

uint32_t TrayApplicationAdapter::Handle() { return HandleValue(Application->Handle()); }

void TrayApplicationAdapter::Minimize() { Application->Minimize(); }

void TrayApplicationAdapter::Restore() { Application->Restore(); }

void TrayApplicationAdapter::SetMinimizeHook(std::function<void()> hook) { Application->OnMinimize = std::move(hook); }

void TrayApplicationAdapter::SetRestoreHook(std::function<void()> hook) { Application->OnRestore = std::move(hook); }

void TrayApplicationAdapter::ShowMainForm() {
    if (TForm* form = Application->MainForm()) form->Show();
}

uint32_t TrayApplicationAdapter::MainFormHandle() {
    TForm* form = Application->MainForm();
    return form ? HandleValue(form->Handle()) : 0;
}

void TrayApplicationAdapter::ProcessMessages() { Application->ProcessMessages(); }

void TrayApplicationAdapter::ReportException(const std::exception& failure) { Application->HandleException(failure); }

}  // namespace pastimo
