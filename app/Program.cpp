// Program entry: initialise the application object, set its title, create
// the main window as the main form and run the message loop.
#include <windows.h>

#include "app/Main.h"
#include "app/MainTexts.h"
#include "framework/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TApplication application(nullptr);
  application.Initialize();
  application.SetTitle(texts::kTitle);
  auto& main_form = OwnedComponent<TFrmMain>(application);
  main_form.SetMainForm(true);
  main_form.Show();
  application.Run();
  return 0;
}
