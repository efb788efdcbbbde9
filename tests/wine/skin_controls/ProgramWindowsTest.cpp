// The program's own windows under every stored skin: the main window's
// buttons, group boxes, panels and job list, and the gallery's controls,
// all taken over by the skin; a picture of each is kept for people to look
// at (the test data folder named by TONMILL_SHOTS).
#include <windows.h>

#include <cwctype>
#include <string>

#include "app/Main.h"
#include "app/StoredSkins.h"
#include "framework/Unicode.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tools/gallery/GalleryForm.h"

namespace {

class ProgramWindowsTest : public SkinControlsTest {
 protected:
  // Shows stored skin `skin` on a window that has its own store.
  void Choose(HWND window, TSkinData& data, TSkinStore& store, int skin) {
    data.LoadFromSkinStore(&store, skin);
    Flush();
    EXPECT_TRUE(WaitSkinned(window));
    Pump(300);
  }
};

bool Skinned(const TWinControl& control) {
  return SendMessageW(control.Handle(), SKM_ISSKINNED, 0, 0) == 1;
}

TEST_F(ProgramWindowsTest, MainWindowControlsAreSkinnedUnderEveryStoredSkin) {
  TFrmMain& main = OwnedComponent<TFrmMain>(App(), Environment());
  main.Show();
  SetForegroundWindow(main.Handle());
  ASSERT_TRUE(WaitSkinned(main.Handle()));
  Pump(300);
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    Choose(main.Handle(), *main.SkinData1, *main.SkinStore1, skin);
    TWinSkinForm* engine = EngineOf(main.Handle());
    ASSERT_NE(engine, nullptr);
    for (TButton* b : {main.btnAdd, main.btnDelete, main.btnClear, main.btnAddFolder, main.Button8,
                       main.btnConvert}) {
      EXPECT_TRUE(Skinned(*b));
    }
    EXPECT_TRUE(Skinned(*main.GroupBox3));
    EXPECT_TRUE(Skinned(*main.lvwFiles));
    EXPECT_TRUE(Skinned(*main.ProgressBar1));
    EXPECT_EQ(main.Panel1->Color(), main.SkinData1->Colours().ButtonFace);
    // The group boxes' captions and labels in the new skin's text colour.
    const TColor ink = main.SkinData1->Colours().ButtonText;
    const RECT caption = WindowRect(main.GroupBox2->Handle());
    EXPECT_GT(CountColour(Capture({caption.left, caption.top, caption.left + 60, caption.top + 14}),
                          ink, 40),
              10);
    EXPECT_GT(CountColour(Capture(WindowRect(main.Label1->Handle())), ink, 40), 10);
    EXPECT_NE(ButtonCell(main.btnAdd->Handle(), *main.SkinData1), 0) << "the skin's image";
    SaveShot(main.Handle(), std::string("main-") + kSkinFiles[skin]);
  }
}

TEST_F(ProgramWindowsTest, GalleryControlsAreSkinnedUnderEveryStoredSkin) {
  auto& gallery = OwnedComponent<TGalleryForm>(App(), Environment(), TGalleryStart{});
  gallery.Show();
  SetForegroundWindow(gallery.Handle());
  ASSERT_TRUE(WaitSkinned(gallery.Handle()));
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    gallery.ChooseStored(skin);
    Flush();
    EXPECT_TRUE(WaitSkinned(gallery.Handle()));
    Pump(300);
    // The title names the skin by its own name.
    std::wstring name = Utf8ToWide(kSkinFiles[skin]);
    name[0] = static_cast<wchar_t>(std::towupper(name[0]));
    EXPECT_NE(gallery.Caption().find(L"Tonmill 皮肤预览 — " + name), std::wstring::npos);
    TWinSkinForm* engine = EngineOf(gallery.Handle());
    ASSERT_NE(engine, nullptr);
    EXPECT_GT(engine->ControlCount(), 40);
    EXPECT_TRUE(Skinned(*gallery.FocusedButton));
    EXPECT_NE(dynamic_cast<TSkinListView*>(ObjectOf(gallery, *gallery.List)), nullptr);
    EXPECT_TRUE(Skinned(*gallery.Memo));
    EXPECT_TRUE(Skinned(*gallery.Status));
    SaveShot(gallery.Handle(), std::string("gallery-") + kSkinFiles[skin]);
  }
  // No skin: every control has its own procedure back.
  gallery.ChooseNone();
  Flush();
  Pump(200);
  EXPECT_EQ(EngineOf(gallery.Handle()), nullptr);
  EXPECT_FALSE(Skinned(*gallery.FocusedButton));
  EXPECT_FALSE(Skinned(*gallery.Memo));
  SaveShot(gallery.Handle(), "gallery-none");
}

}  // namespace
