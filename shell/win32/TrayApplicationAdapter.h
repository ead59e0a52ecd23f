#pragma once
// The application object as the tray icon sees it.

#include "tray/TraySeams.h"

namespace pastimo {

class TrayApplicationAdapter : public TrayApplication {
public:
    THandle Handle() override;
    void Minimize() override;
    void Restore() override;
    void SetMinimizeHook(std::function<void()> hook) override;
    void SetRestoreHook(std::function<void()> hook) override;
    void ShowMainForm() override;
    THandle MainFormHandle() override;
    void ProcessMessages() override;
    void HandleException(const std::exception& failure) override;
};

}  // namespace pastimo
