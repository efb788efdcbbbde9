// Damaged skins under Wine: frame images missing, empty, one pixel or not a
// bitmap, no frame at all, a caption or sides far larger than the screen,
// huge title shifts, odd frame counts. Whatever the skin, a skinned window
// and a message box stay usable: a client area, a caption to move them by,
// a way to close them, everything on the screen. A skin that cannot be
// opened changes nothing, and changing skins keeps the caption buttons
// until the new ones are built.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/StdCtrls.h"
#include "skin/form/CaptionButtons.h"
#include "skin/form/WinSkinForm.h"
#include "tests/native/skin_data/TestSkin.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/ScreenCapture.h"

namespace {

// The parts of a small sound skin that the damaged ones change.
struct TSkinParts {
  std::string frame_section =
      "Left=l.bmp\nLeftFrame=2\nRight=r.bmp\nRightFrame=2\nTop=t.bmp\nTopFrame=2\n"
      "Bottom=b.bmp\nBottomFrame=2\n";
  std::string title = "TextShift=30\nTextRightClip=40\n";
  TBitmap left = TBitmap(12, 60, RGBColour(120, 120, 120));
  TBitmap right = TBitmap(12, 60, RGBColour(120, 120, 120));
  TBitmap top = TBitmap(60, 52, RGBColour(80, 80, 150));
  TBitmap bottom = TBitmap(60, 12, RGBColour(120, 120, 120));
  // Files written as they are, in place of the bitmaps of the same name.
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> raw;
  std::vector<std::string> missing;
};

TTestSkin Build(const TSkinParts& p) {
  TTestSkin skin;
  skin.Ini("[Personality]\n" + p.frame_section + p.title +
           "\n[Colours]\nButtonFace=200 210 220\nButtonText=20 30 40\n"
           "\n[ButtonClose]\nButtonImage=close.bmp\nAction=0\nAlign=1\nXcoord=24\nYcoord=4\n"
           "frame=3\n");
  auto keep = [&](const std::string& name) {
    for (const auto& m : p.missing) {
      if (m == name) return false;
    }
    for (const auto& r : p.raw) {
      if (r.first == name) return false;
    }
    return true;
  };
  const std::pair<const char*, const TBitmap*> images[] = {
      {"l.bmp", &p.left}, {"r.bmp", &p.right}, {"t.bmp", &p.top}, {"b.bmp", &p.bottom}};
  for (const auto& [name, bitmap] : images) {
    if (keep(name)) skin.Bitmap(name, *bitmap);
  }
  for (const auto& [name, bytes] : p.raw) skin.File(name, bytes);
  skin.Bitmap("close.bmp", TBitmap(48, 16, RGBColour(200, 40, 40)));
  return skin;
}

std::vector<std::uint8_t> Noise(size_t n) {
  std::vector<std::uint8_t> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 73 + 5);
  return bytes;
}

struct TDamage {
  const char* name;
  std::function<void(TSkinParts&)> damage;
  bool frame_applied;  // whether the engine still draws the skin's frame
};

const TDamage kDamages[] = {
    {"Sound", [](TSkinParts&) {}, true},
    {"LeftMissing", [](TSkinParts& p) { p.missing = {"l.bmp"}; }, false},
    {"TopMissing", [](TSkinParts& p) { p.missing = {"t.bmp"}; }, false},
    {"TopEmpty",
     [](TSkinParts& p) {
       p.raw = {{"t.bmp", {}}};
     },
     false},
    {"BottomNotABitmap",
     [](TSkinParts& p) {
       p.raw = {{"b.bmp", Noise(300)}};
     },
     false},
    {"AllOnePixel",
     [](TSkinParts& p) { p.left = p.right = p.top = p.bottom = TBitmap(1, 1, RGBColour(9, 9, 9)); },
     false},
    {"NoFrameSection", [](TSkinParts& p) { p.frame_section.clear(); }, false},
    {"HugeCaption", [](TSkinParts& p) { p.top = TBitmap(60, 8000, RGBColour(80, 80, 150)); },
     false},
    {"HugeSides",
     [](TSkinParts& p) {
       p.left = TBitmap(6000, 60, RGBColour(120, 120, 120));
       p.right = TBitmap(6000, 60, RGBColour(120, 120, 120));
     },
     false},
    {"HugeTitleShifts", [](TSkinParts& p) { p.title = "TextShift=100000\nTextRightClip=100000\n"; },
     true},
    {"OverflowingTitleShifts",
     [](TSkinParts& p) { p.title = "TextShift=2147483000\nTextRightClip=2147483000\n"; }, true},
    {"NegativeCounts",
     [](TSkinParts& p) {
       p.frame_section =
           "Left=l.bmp\nLeftFrame=-3\nRight=r.bmp\nRightFrame=0\nTop=t.bmp\nTopFrame=-1\n"
           "Bottom=b.bmp\nBottomFrame=-7\n";
     },
     true},
    {"HugeCounts",
     [](TSkinParts& p) {
       p.frame_section =
           "Left=l.bmp\nLeftFrame=100000\nRight=r.bmp\nRightFrame=2\nTop=t.bmp\n"
           "TopFrame=2147483647\nBottom=b.bmp\nBottomFrame=2\n";
     },
     false},
};

RECT WorkArea(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

// Whether a person can move the window (a caption at its top answers the
// hit test as one) and reaches it on the screen with a client area.
::testing::AssertionResult Usable(HWND window) {
  const RECT outer = WindowRect(window);
  const RECT client = ClientScreenRect(window);
  const RECT area = WorkArea(window);
  if (client.right - client.left <= 0 || client.bottom - client.top <= 0) {
    return ::testing::AssertionFailure() << "no client area";
  }
  if (outer.right - outer.left > area.right - area.left) {
    return ::testing::AssertionFailure() << "wider than the screen: " << outer.right - outer.left;
  }
  const int band = client.top - outer.top;
  if (band < kMinSkinnedCaption) return ::testing::AssertionFailure() << "caption of " << band;
  const POINT grip{(outer.left + outer.right) / 2, outer.top + band / 2};
  const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y));
  if (hit != HTCAPTION) return ::testing::AssertionFailure() << "hit test " << hit;
  return ::testing::AssertionSuccess();
}

class DamagedSkinTest : public SkinControlsTest, public ::testing::WithParamInterface<TDamage> {
 protected:
  TForm& ShowWith(const TTestSkin& skin, TSkinData*& data_out) {
    TForm& form = MakeForm(SizableStyle());
    auto& data = OwnedComponent<TSkinData>(form, Environment());
    data.BeginLoading();
    data.Loaded();
    LoadPackage(data, skin.Package());
    data.SetActive(true);
    form.Show();
    SetForegroundWindow(form.Handle());
    data_out = &data;
    return form;
  }
};

TEST_P(DamagedSkinTest, TheWindowAndAMessageBoxStayUsable) {
  TSkinParts parts;
  GetParam().damage(parts);
  TSkinData* data = nullptr;
  TForm& form = ShowWith(Build(parts), data);
  const HWND window = form.Handle();
  ASSERT_TRUE(WaitSkinned(window));
  Pump(200);
  TWinSkinForm& engine = *EngineOf(window);
  EXPECT_EQ(engine.FrameSkinned(), GetParam().frame_applied);
  EXPECT_TRUE(Usable(window));
  // A way to close: the skin's close button, or the window's own caption.
  if (engine.FrameSkinned()) {
    EXPECT_GE(VisibleButton(engine, 0), 0);
  } else {
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  }
  SaveShot(window, std::string("damaged-") + GetParam().name);

  // A message box over it: skinned or not, on the screen with its button
  // inside, closed by the keyboard.
  bool seen = false, box_usable = false, button_inside = false;
  std::string why;
  {
    input::TScriptThread script([&] {
      HWND box = nullptr;
      for (int waited = 0; waited < 4000 && !box; waited += 20) {
        box = FindWindowW(L"#32770", L"Damaged skin box");
        if (!box) input::Pause(20);
      }
      if (!box) return;
      seen = true;
      input::Pause(700);  // skinned meanwhile
      const ::testing::AssertionResult usable = Usable(box);
      box_usable = usable;
      if (!usable) why = usable.message();
      const RECT outer = WindowRect(box);
      if (HWND ok = GetDlgItem(box, IDOK)) {
        RECT b = WindowRect(ok);
        button_inside = b.left >= outer.left && b.right <= outer.right && b.top >= outer.top &&
                        b.bottom <= outer.bottom;
      }
      SaveShot(box, std::string("damaged-box-") + GetParam().name);
      input::Key(VK_RETURN);
    });
    EXPECT_EQ(MessageBoxW(window, L"A message over a damaged skin", L"Damaged skin box", MB_OK),
              IDOK);
  }
  EXPECT_TRUE(seen);
  EXPECT_TRUE(box_usable) << why;
  EXPECT_TRUE(button_inside);
}

// Whatever the skin's title shifts, a skinned caption shows the window's
// title: the caption band holds pixels of the skin's title colour.
TEST_P(DamagedSkinTest, ASkinnedCaptionShowsTheTitle) {
  TSkinParts parts;
  GetParam().damage(parts);
  TSkinData* data = nullptr;
  TForm& form = ShowWith(Build(parts), data);
  const HWND window = form.Handle();
  ASSERT_TRUE(WaitSkinned(window));
  Pump(200);
  TWinSkinForm& engine = *EngineOf(window);
  if (!engine.FrameSkinned()) GTEST_SKIP() << "the system draws this caption";
  const RECT outer = WindowRect(window);
  const RECT band{outer.left, outer.top, outer.right, ClientScreenRect(window).top};
  const TBitmap shot = Capture(band);
  SaveShot(band, std::string("damaged-title-") + GetParam().name);
  EXPECT_GE(CountColour(shot, data->Colours().TitleTextActive, 40), 20);
}

INSTANTIATE_TEST_SUITE_P(Skins, DamagedSkinTest, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<TDamage>& info) {
                           return std::string(info.param.name);
                         });

// --- controls the skin has no images for -----------------------------------

// Whether `rect` of the screen shows a push button in the system's look: its
// face in the system face colour, with a caption in the system text colour.
::testing::AssertionResult SystemButtonShown(const RECT& rect) {
  const TBitmap shot = Capture(rect);
  const int area = shot.Width() * shot.Height();
  if (area <= 0) return ::testing::AssertionFailure() << "no button";
  const int face = CountColour(shot, static_cast<TColor>(GetSysColor(COLOR_BTNFACE)), 6);
  const int text = CountColour(shot, static_cast<TColor>(GetSysColor(COLOR_BTNTEXT)), 40);
  if (face * 2 < area) return ::testing::AssertionFailure() << "face " << face << " of " << area;
  if (text < 12 || text * 4 > area) {
    return ::testing::AssertionFailure() << "caption pixels " << text << " of " << area;
  }
  return ::testing::AssertionSuccess();
}

class PlainLookTest : public SkinControlsTest {};

TEST_F(PlainLookTest, ButtonsOfASkinWithoutButtonImagesKeepTheSystemLook) {
  TSkinParts parts;  // a sound frame, but no push-button images
  TForm& form = MakeForm(SizableStyle());
  TButton& button = Add<TButton>(form, form, 30, 30, 120, 32, L"Visible");
  auto& data = OwnedComponent<TSkinData>(form, Environment());
  data.BeginLoading();
  data.Loaded();
  LoadPackage(data, Build(parts).Package());
  ASSERT_TRUE(data.Buttons().Bitmap.Empty());
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  const HWND window = form.Handle();
  ASSERT_TRUE(WaitSkinned(window));
  Pump(300);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(200);
  SaveShot(window, "no-button-images");
  EXPECT_TRUE(SystemButtonShown(WindowRect(button.Handle())));
  // Pressed and released it still clicks and is drawn again.
  int clicks = 0;
  button.OnClick = [&](TObject*) { ++clicks; };
  Click(Centre(WindowRect(button.Handle())));
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }, 3000));
  Park();
  Pump(300);
  EXPECT_TRUE(SystemButtonShown(WindowRect(button.Handle())));

  // The buttons of a message box over the window keep their look too.
  ::testing::AssertionResult ok_shown = ::testing::AssertionFailure() << "no box";
  {
    input::TScriptThread script([&] {
      HWND box = nullptr;
      for (int waited = 0; waited < 4000 && !box; waited += 20) {
        box = FindWindowW(L"#32770", L"Plain buttons box");
        if (!box) input::Pause(20);
      }
      if (!box) return;
      input::Pause(700);  // skinned meanwhile
      if (HWND ok = GetDlgItem(box, IDOK)) ok_shown = SystemButtonShown(WindowRect(ok));
      SaveShot(box, "no-button-images-box");
      input::Key(VK_RETURN);
    });
    EXPECT_EQ(MessageBoxW(window, L"Buttons in their own look", L"Plain buttons box", MB_OK), IDOK);
  }
  EXPECT_TRUE(ok_shown);
}

// --- skins changed at run time ----------------------------------------------

class SkinChangeTest : public SkinControlsTest {};

TEST_F(SkinChangeTest, ADamagedSkinOpenedLaterChangesNothingAndLaterWindowsAreSkinned) {
  TForm& form = ShowSkinned(1, [](TForm&) {});
  const HWND window = form.Handle();
  TSkinData& data = DataOf(form);
  const int buttons = EngineOf(window)->CaptionButtonCount();
  ASSERT_GT(buttons, 0);
  const std::wstring path = L"damaged-skin-test.skn";
  {
    const std::vector<std::uint8_t> noise = Noise(900);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, noise.data(), static_cast<DWORD>(noise.size()), &written, nullptr);
    CloseHandle(file);
  }
  {
    // The reader tells the user that the package is damaged; the message is
    // answered as a person would.
    input::TScriptThread script([] {
      for (int waited = 0; waited < 3000; waited += 50) {
        HWND box = FindWindowW(L"#32770", nullptr);
        if (box && IsWindowVisible(box)) {
          input::Pause(200);
          input::Key(VK_RETURN);
          return;
        }
        input::Pause(50);
      }
    });
    data.SetSkinFile("damaged-skin-test.skn");
  }
  DeleteFileW(path.c_str());
  Flush();
  Pump(300);
  EXPECT_FALSE(data.NotReady());
  ASSERT_NE(EngineOf(window), nullptr);
  EXPECT_TRUE(EngineOf(window)->FrameSkinned());
  EXPECT_EQ(EngineOf(window)->CaptionButtonCount(), buttons);
  EXPECT_GE(VisibleButton(*EngineOf(window), 0), 0);
  // A window made afterwards is skinned.
  TForm& later = MakeForm(MainLikeStyle(L"Later window"));
  later.Show();
  SetForegroundWindow(later.Handle());
  EXPECT_TRUE(WaitSkinned(later.Handle()));
}

TEST_F(SkinChangeTest, CaptionButtonsStayWhileANewStoredSkinWaitsAndCloseWorksMeanwhile) {
  TForm& form = ShowSkinned(2, [](TForm&) {});
  const HWND window = form.Handle();
  TSkinData& data = DataOf(form);
  TWinSkinForm* engine = EngineOf(window);
  const int close = VisibleButton(*engine, 0);
  ASSERT_GE(close, 0);
  const POINT at = Centre(ButtonScreenRect(*engine, close));
  MoveTo(at);
  data.LoadFromSkinStore(&Store(), 4);
  // The command waits its 250 ms; the buttons are there meanwhile.
  EXPECT_TRUE(Manager().TimerRunning());
  EXPECT_GT(engine->CaptionButtonCount(), 0);
  EXPECT_GE(VisibleButton(*engine, 0), 0);
  int closes = 0;
  form.OnClose = [&](TObject*, TCloseAction& action) {
    ++closes;
    action = caHide;
  };
  input::Click(at.x, at.y);
  Pump(100);
  EXPECT_TRUE(PumpUntil([&] { return closes > 0; }, 2000));
}

TEST_F(SkinChangeTest, AWindowGetsItsOwnFrameFromAnUnusableSkinAndTheSkinsFrameBack) {
  TForm& form = ShowSkinned(3, [](TForm&) {});
  const HWND window = form.Handle();
  TSkinData& data = DataOf(form);
  ASSERT_TRUE(EngineOf(window)->FrameSkinned());
  TSkinParts parts;
  parts.missing = {"t.bmp"};
  LoadPackage(data, Build(parts).Package());
  data.ApplyNewSkin();
  Flush();
  EXPECT_TRUE(PumpUntil([&] { return EngineOf(window) && EngineOf(window)->Finished(); }, 3000));
  ASSERT_NE(EngineOf(window), nullptr);
  EXPECT_FALSE(EngineOf(window)->FrameSkinned());
  EXPECT_TRUE(Usable(window));
  data.LoadFromSkinStore(&Store(), 3);
  Flush();
  EXPECT_TRUE(PumpUntil(
      [&] {
        return EngineOf(window) && EngineOf(window)->FrameSkinned() && EngineOf(window)->Finished();
      },
      3000));
  EXPECT_TRUE(Usable(window));
}

}  // namespace
