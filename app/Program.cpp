// Program entry: initialise the application object, set its title, create
// the main window as the main form and run the message loop.
#include <windows.h>

#include <exception>

#include "app/Main.h"
#include "app/MainTexts.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "framework/Unicode.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    // The skin environment (and with it the skin manager) lives for the
    // whole run: it goes after the application and every window.
    const std::unique_ptr<TSkinEnvironment> skins = MakeProgramSkinEnvironment(texts::kTitle);
    TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(texts::kTitle);
    auto& main_form = OwnedComponent<TFrmMain>(application, *skins);
    main_form.SetMainForm(true);
    main_form.Show();
    application.Run();
    return 0;
  } catch (const std::exception& e) {
    // Nothing is left to save at this point; say why the program stops.
    MessageBoxW(nullptr, Utf8ToWide(e.what()).c_str(), texts::kTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
}
