// SkinGallery.exe: the skin gallery. Its one argument chooses the skin to
// start with: a stored skin's index 0-4, or the path of a .skn file.
// "--sheet FOLDER [NAME...]" writes the contact sheets into FOLDER instead
// and ends: of every skin, or of the skins named ("nightfall", "none").
#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Unicode.h"
#include "skin/form/SkinEngine.h"
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GallerySheet.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    std::wstring argument;
    std::wstring sheet_folder;
    std::vector<std::wstring> sheet_skins;
    int count = 0;
    if (LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count)) {
      if (count > 1) argument = args[1];
      if (count > 2 && argument == L"--sheet") sheet_folder = args[2];
      for (int i = 3; i < count && !sheet_folder.empty(); ++i) sheet_skins.push_back(args[i]);
      LocalFree(args);
    }
    const bool sheets = argument == L"--sheet";
    if (sheets) argument.clear();
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
    if (sheets) {
      if (sheet_folder.empty()) {
        const char text[] = "SkinGallery: --sheet needs a folder\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, sizeof text - 1, &written, nullptr);
        return 2;
      }
      return WriteContactSheets(application, form, sheet_folder, sheet_skins);
    }
    if (form.FocusedButton) SetFocus(form.FocusedButton->Handle());
    application.Run();
    return 0;
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, Utf8ToWide(e.what()).c_str(), L"Tonmill 皮肤预览", MB_OK | MB_ICONERROR);
    return 1;
  }
}
