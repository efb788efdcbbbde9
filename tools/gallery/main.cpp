// SkinGallery.exe: the skin gallery. Its one argument chooses the skin to
// start with: a stored skin's index 0-4, or the path of a .skn file.
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>

#include "framework/Application.h"
#include "framework/Unicode.h"
#include "skin/form/SkinEngine.h"
#include "tools/gallery/GalleryForm.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    std::wstring argument;
    int count = 0;
    if (LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count)) {
      if (count > 1) argument = args[1];
      LocalFree(args);
    }
    // The skin environment outlives the application and every window.
    HWND main_window = nullptr;
    const std::unique_ptr<TSkinEnvironment> skins =
        MakeSkinEngineEnvironment([&main_window] { return main_window; }, "Tonmill");
    TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(L"Tonmill 皮肤预览");
    auto& form =
        OwnedComponent<TGalleryForm>(application, *skins, ParseGalleryCommandLine(argument));
    main_window = form.Handle();
    form.SetMainForm(true);
    form.Show();
    if (form.FocusedButton) SetFocus(form.FocusedButton->Handle());
    application.Run();
    return 0;
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, Utf8ToWide(e.what()).c_str(), L"Tonmill 皮肤预览", MB_OK | MB_ICONERROR);
    return 1;
  }
}
