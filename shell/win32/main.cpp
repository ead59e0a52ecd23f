// Program entry: the application object, its title, the main window, the
// message loop; the main window and its components are destroyed on the way out.

#include "shell/win32/ProgramFiles.h"
#include "shell/win32/SingleInstance.h"
#include "shell/win32/Unit1.h"
#include "toolkit/win32/Application.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A copy already runs from this folder: it shows its window, and this
    // start counts no launch, shows no box and touches no file. A copy that
    // is ending instead hands its guard over, and this start runs.
    pastimo::SingleInstance copies(pastimo::ExecutableFolder());
    if (!copies.WaitForTurn()) return 0;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    pastimo::TApplication application;
    application.Initialize(instance);
    application.SetTitle("Pastimo");
    // Owned by the application, which destroys it (and so runs FormDestroy)
    // on the way out, unless File, Exit has released it already.
    auto* form = new pastimo::TForm1(&application);
    application.SetMainForm(form);
    try {
        form->FormCreate();
    } catch (const std::exception& error) {
        application.HandleException(error);
    }
    // Ready: a later start's request now comes after everything start-up did
    // (it would otherwise be undone by start-up hiding the window).
    copies.Serve(form->Handle());
    return application.Run();
}
