#pragma once
// One copy of the program per program folder: two copies in one folder would
// both write its library, each dropping what the other added. The first copy
// owns a named mutex (its guard) and, once its window is ready, marks that
// window and sets a named event. A later start in the same folder asks that
// window to come up and ends without touching anything; if the first copy is
// ending instead, the later start waits for its guard and runs in its place.
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
    // A later start: asks the first copy to show its window in front, as soon
    // as that window is ready. Returns true when the first copy ended instead
    // and this start now holds the guard: it is the first copy and runs.
    bool WaitForTurn();

    // The first copy, once its window is ready for requests: marks it as the
    // one a later start asks and lets the request through to it. Withdraw
    // takes the mark away again before the window goes.
    void Serve(HWND mainWindow);
    static void Withdraw(HWND mainWindow);

    // The message the marked window gets when a later start asks for it.
    static UINT ShowRequest();

private:
    bool AskFirstToShow() const;

    HANDLE FMutex = nullptr;  // the guard; owned while FFirst
    HANDLE FReady = nullptr;  // set while the first copy's window takes requests
    bool FFirst = true;
    uint32_t FFingerprint = 0;  // of the program's folder
};

}  // namespace pastimo
