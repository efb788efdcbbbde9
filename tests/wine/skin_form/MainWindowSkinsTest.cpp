// The program's main window under each stored skin, chosen from its system
// menu as a person would: the client area keeps its size, the frame is the
// skin's, and a picture of each look (active and inactive) is kept for
// people to look at.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/Main.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "skin/data/SkinManage.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;

TEST(MainWindowSkins, EveryStoredSkinAndNoSkinKeepTheClientArea) {
  // The environment outlives the application and its windows.
  const std::unique_ptr<TSkinEnvironment> skins = MakeProgramSkinEnvironment(L"Tonmill");
  TApplication app(nullptr);
  app.Initialize();
  input::MoveTo(1, 1);
  auto& form = OwnedComponent<TFrmMain>(app, *skins);
  form.Show();
  const HWND window = form.Handle();
  SetForegroundWindow(window);
  auto skinned = [&] {
    TWinSkinForm* engine = SkinManager->FindSkinForm(window);
    return engine && engine->Finished() && engine->SkinState() == ksActive;
  };
  ASSERT_TRUE(PumpUntil(app, skinned, 5s));
  ASSERT_NE(form.SkinChoice, nullptr);
  EXPECT_EQ(form.SkinChoice->Current(), 2);
  // A small window of the program to make the main window inactive.
  TFormStyle other_style;
  other_style.caption = L"Other";
  other_style.client_width = 120;
  other_style.client_height = 60;
  auto& other = OwnedComponent<TForm>(app, other_style);

  for (int skin : {0, 1, 2, 3, 4, -1}) {
    SCOPED_TRACE(skin);
    SetForegroundWindow(window);
    SendMessageW(window, WM_SYSCOMMAND, form.SkinChoice->CommandOf(skin), 0);
    if (skin >= 0) {
      ASSERT_TRUE(PumpUntil(app, skinned, 5s));
    } else {
      PumpUntil(
          app, [] { return false; }, 100ms);
      EXPECT_EQ(SendMessageW(window, SKM_ISSKINNED, 0, 0), 0);
    }
    PumpUntil(
        app, [] { return false; }, 150ms);
    const RECT client = ClientScreenRect(window);
    EXPECT_EQ(client.right - client.left, 533);
    EXPECT_EQ(client.bottom - client.top, 456);
    const std::string name = skin >= 0 ? kSkinFiles[skin] : "none";
    SaveShot(window, "main-" + name + "-active");
    // Inactive: another window of the program comes to the front beside it.
    const RECT r = WindowRect(window);
    other.Show();
    SetWindowPos(other.Handle(), nullptr, r.right + 4, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(other.Handle());
    PumpUntil(
        app, [] { return false; }, 150ms);
    SaveShot(window, "main-" + name + "-inactive");
    other.SetVisible(false);
  }
}

}  // namespace
