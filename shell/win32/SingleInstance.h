#pragma once
// One copy of the program per program folder: two copies in one folder would
// both write its library, each dropping what the other added. The first copy
// holds a named mutex and marks its main window; a later start in the same
// folder asks that window to come up, and ends without touching anything.
// Copies in other folders keep libraries of their own and run side by side.

#include <windows.h>

#include <cstdint>
#include <string>

namespace pastimo {

class SingleInstance {
public:
    // `programFolder`: the folder of the running executable, in UTF-8.
    explicit SingleInstance(const std::string& programFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool First() const { return FFirst; }
    // The first copy: marks its main window as the one a later start asks,
    // and takes the mark away again before the window goes.
    void Serve(HWND mainWindow) const;
    static void Withdraw(HWND mainWindow);
    // A later start: asks the first copy to show its window in front. Waits
    // a little for a first copy that is still starting; true when it was asked.
    bool AskFirstToShow() const;

    // The message the marked window gets when a later start asks for it.
    static UINT ShowRequest();

private:
    HANDLE FMutex = nullptr;
    bool FFirst = true;
    uint32_t FFingerprint = 0;  // of the program's folder
};

}  // namespace pastimo
