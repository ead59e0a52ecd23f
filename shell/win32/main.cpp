// Program entry: the application object, its title, the main window, the
// message loop; the main window and its components are destroyed on the way out.

#include <windows.h>
#include <commctrl.h>

#include "shell/win32/Unit1.h"
#include "toolkit/win32/Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
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
    return application.Run();
}
