// The system's high-contrast mode: while it is on every window shows the
// system's look (its own frame, no region, the system's colours read back
// from the screen) and new windows stay so; when it goes off the skin comes
// back, without a restart. The mode is told through the manager's query
// (Wine may not switch the real one) and announced as the system announces
// it, by a setting change sent to every top-level window; switching it while
// a message box is open is safe. Where Wine switches the real mode, that is
// tested too.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "framework/Form.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

// What the system tells every top-level window when the mode is switched.
void AnnounceContrastChange() {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG,
                      2000, &answer);
}

bool Skinned(HWND window) {
  return SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1;
}

bool HasRegion(HWND window) {
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(window, probe);
  DeleteObject(probe);
  return kind != ERROR;
}

bool Near(TColor colour, COLORREF want, int tolerance = 6) {
  return std::abs(RedOf(colour) - GetRValue(want)) <= tolerance &&
         std::abs(GreenOf(colour) - GetGValue(want)) <= tolerance &&
         std::abs(BlueOf(colour) - GetBValue(want)) <= tolerance;
}

// Share of the pixels of `shot` near `want`.
double ShareNear(const TBitmap& shot, COLORREF want) {
  long matching = 0;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) matching += Near(shot.Pixel(x, y), want) ? 1 : 0;
  }
  return shot.Empty() ? 0 : static_cast<double>(matching) / (shot.Width() * shot.Height());
}

// Share of the pixels of `shot` whose channels lie between those of the
// system's active caption and its gradient (the caption strip as the
// system draws it).
double CaptionShare(const TBitmap& shot) {
  const COLORREF a = GetSysColor(COLOR_ACTIVECAPTION), b = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
  auto between = [](int v, int p, int q) {
    return v >= std::min(p, q) - 6 && v <= std::max(p, q) + 6;
  };
  long inside = 0;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const TColor c = shot.Pixel(x, y);
      if (between(RedOf(c), GetRValue(a), GetRValue(b)) &&
          between(GreenOf(c), GetGValue(a), GetGValue(b)) &&
          between(BlueOf(c), GetBValue(a), GetBValue(b))) {
        ++inside;
      }
    }
  }
  return shot.Empty() ? 0 : static_cast<double>(inside) / (shot.Width() * shot.Height());
}

// A strip across the window's caption line, clear of its text and buttons.
RECT CaptionStrip(HWND window, int caption_height) {
  const RECT w = WindowRect(window);
  const int mid = (w.left + w.right) / 2;
  return RECT{mid, w.top + caption_height / 2 - 2, mid + 60, w.top + caption_height / 2 + 2};
}

// The lowest rows of the client area, where the system's frame stood.
RECT ClientBottom(HWND window) {
  const RECT c = ClientScreenRect(window);
  return RECT{c.left + 10, c.bottom - 8, c.right - 10, c.bottom};
}

// A patch in the middle of the client area.
RECT ClientPatch(HWND window) {
  const POINT c = Centre(ClientScreenRect(window));
  return RECT{c.x - 10, c.y - 10, c.x + 10, c.y + 10};
}

class HighContrastFixture : public SkinEngineTest {
 protected:
  // The mode as the manager is told it; the script thread of a test may
  // switch it.
  void AnswerContrast() {
    Manager().SetHighContrastQuery([this] { return contrast_.load(); });
  }
  void Switch(bool on) {
    contrast_ = on;
    AnnounceContrastChange();
  }
  bool Settled() { return !Manager().ContrastSwitchPending(); }

  std::atomic<bool> contrast_{false};
};

class HighContrastTest : public HighContrastFixture, public ::testing::WithParamInterface<int> {};

TEST_P(HighContrastTest, OnShowsTheSystemsLookEverywhereAndOffBringsTheSkinBack) {
  const int skin = GetParam();
  const std::string name = kSkinFiles[skin];
  TForm& form = ShowSkinnedForm(skin, SizableStyle());
  const HWND window = form.Handle();
  AnswerContrast();
  ASSERT_FALSE(Manager().HighContrast());
  const TColor face = EngineOf(window)->SkinData()->Colours().ButtonFace;
  const int skin_caption = EngineOf(window)->Metrics().caption;
  ASSERT_TRUE(HasRegion(window)) << "the skin's outline";
  EXPECT_GT(ShareNear(Capture(ClientPatch(window)), static_cast<COLORREF>(ColorToRGB(face))), 0.9);

  Switch(true);
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(window) && Settled(); }, 5000));
  Pump(200);
  EXPECT_TRUE(Manager().HighContrast());
  EXPECT_EQ(EngineOf(window), nullptr);
  EXPECT_FALSE(HasRegion(window)) << "no region of the skin's";
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU))
      << "the system's caption and buttons are back";
  EXPECT_GT(ShareNear(Capture(ClientPatch(window)), GetSysColor(COLOR_BTNFACE)), 0.9)
      << "the form's own colour";
  const int system_caption = GetSystemMetrics(SM_CYFRAME) * 2 + GetSystemMetrics(SM_CYCAPTION);
  EXPECT_GT(CaptionShare(Capture(CaptionStrip(window, system_caption))), 0.9)
      << "the system's caption";
  SaveShot(window, "contrast-" + name + "-on");

  // A window shown while the mode is on keeps the system's look.
  TForm& later = MakeForm(MainLikeStyle(L"Shown in high contrast"));
  later.Show();
  SetForegroundWindow(later.Handle());
  Pump(600);
  EXPECT_FALSE(Skinned(later.Handle()));
  EXPECT_FALSE(HasRegion(later.Handle()));

  Switch(false);
  ASSERT_TRUE(
      PumpUntil([&] { return Skinned(window) && Skinned(later.Handle()) && Settled(); }, 5000));
  ASSERT_TRUE(WaitSkinned(window));
  ASSERT_TRUE(WaitSkinned(later.Handle()));
  Pump(200);
  EXPECT_FALSE(Manager().HighContrast());
  EXPECT_TRUE(HasRegion(window));
  EXPECT_EQ(EngineOf(window)->Metrics().caption, skin_caption);
  EXPECT_GT(ShareNear(Capture(ClientPatch(window)), static_cast<COLORREF>(ColorToRGB(face))), 0.9)
      << "the skin's face again";
  SetForegroundWindow(window);
  Pump(300);
  EXPECT_GT(ShareNear(Capture(ClientBottom(window)), static_cast<COLORREF>(ColorToRGB(face))), 0.9)
      << "no trace of the system's frame in the client area";
  SaveShot(window, "contrast-" + name + "-off");
}

INSTANTIATE_TEST_SUITE_P(Skins, HighContrastTest, ::testing::Values(0, 1, 2, 3, 4),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(kSkinFiles[info.param]);
                         });

class HighContrastSwitchTest : public HighContrastFixture {};

TEST_F(HighContrastSwitchTest, ASwitchOnAndOffBeforeTheTickChangesNothing) {
  TForm& form = ShowSkinnedForm(1);
  AnswerContrast();
  TWinSkinForm* engine = EngineOf(form.Handle());
  contrast_ = true;
  AnnounceContrastChange();
  contrast_ = false;
  AnnounceContrastChange();
  Pump(400);
  EXPECT_FALSE(Manager().HighContrast());
  EXPECT_EQ(EngineOf(form.Handle()), engine) << "the same engine, never taken off";
}

// A message box opened from inside a message of the skinned form: both the
// box's engine and the form's are on the stack while the switch runs.
constexpr UINT kOpenBox = WM_APP + 0x31;

LRESULT CALLBACK OpenBoxLayer(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  if (msg == kOpenBox) {
    MessageBoxW(hwnd, L"A switch of the system's colours happens now.", L"Contrast", MB_OK);
    *reinterpret_cast<bool*>(ref) = true;
    return 0;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

HWND FindBox(HWND owner) {
  for (HWND h = FindWindowW(L"#32770", L"Contrast"); h;
       h = FindWindowExW(nullptr, h, L"#32770", L"Contrast")) {
    if (GetWindow(h, GW_OWNER) == owner && IsWindowVisible(h)) return h;
  }
  return nullptr;
}

bool WaitFor(const std::function<bool()>& done, int timeout_ms = 5000) {
  for (int waited = 0; waited < timeout_ms; waited += 20) {
    if (done()) return true;
    input::Pause(20);
  }
  return done();
}

TEST_F(HighContrastSwitchTest, SwitchingWhileAMessageBoxIsOpenIsSafe) {
  TForm& form = MakeForm(MainLikeStyle(L"Owner of a message box"));
  const HWND window = form.Handle();
  bool box_done = false;
  // Below the engine's layer, so that the engine's call runs around the box.
  ASSERT_TRUE(
      SetWindowSubclass(window, &OpenBoxLayer, 0x7E57, reinterpret_cast<DWORD_PTR>(&box_done)));
  TSkinData& data = MakeData(form, 4);
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(window);
  ASSERT_TRUE(WaitSkinned(window));
  AnswerContrast();

  bool box_skinned = false, box_plain = false, form_plain = false, box_back = false,
       form_back = false;
  {
    input::TScriptThread script([&] {
      HWND box = nullptr;
      if (!WaitFor([&] { return (box = FindBox(window)) != nullptr; })) return;
      box_skinned = WaitFor([&] { return Skinned(box); });
      input::Pause(200);
      contrast_ = true;
      AnnounceContrastChange();
      box_plain = WaitFor([&] { return !Skinned(box); });
      form_plain = WaitFor([&] { return !Skinned(window); });
      input::Pause(300);
      contrast_ = false;
      AnnounceContrastChange();
      box_back = WaitFor([&] { return Skinned(box); });
      form_back = WaitFor([&] { return Skinned(window); });
      input::Pause(300);
      // Closed whatever the checks found, so the test's thread gets out of
      // the box's loop.
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    PostMessageW(window, kOpenBox, 0, 0);
    PumpUntil([&] { return box_done; }, 20000);
  }
  RemoveWindowSubclass(window, &OpenBoxLayer, 0x7E57);
  EXPECT_TRUE(box_done);
  EXPECT_TRUE(box_skinned);
  EXPECT_TRUE(box_plain);
  EXPECT_TRUE(form_plain);
  EXPECT_TRUE(box_back) << "the open box is skinned again";
  EXPECT_TRUE(form_back);
  // The engine taken off while its call ran is freed once that call is over.
  EXPECT_TRUE(PumpUntil([&] { return Manager().RetiredEngineCount() == 0; }, 3000));
  ASSERT_TRUE(WaitSkinned(window));
  EXPECT_TRUE(EngineOf(window)->Hooked());
}

// The real mode, where this Wine can switch it; it is switched back off
// whatever the test's end.
class RealContrast {
 public:
  static bool Set(bool on) {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    contrast.dwFlags = on ? HCF_HIGHCONTRASTON : 0;
    return SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast,
                                 SPIF_SENDCHANGE) != FALSE;
  }
  ~RealContrast() {
    if (switched_) Set(false);
  }
  bool TurnOn() {
    switched_ = Set(true) && TSkinSystem::HighContrastOn();
    return switched_;
  }

 private:
  bool switched_ = false;
};

TEST_F(HighContrastSwitchTest, TheSystemsOwnSwitchWhereWineHasIt) {
  TForm& form = ShowSkinnedForm(2);
  const HWND window = form.Handle();
  ASSERT_FALSE(TSkinSystem::HighContrastOn()) << "the test starts with the mode off";
  RealContrast real;
  if (!real.TurnOn()) GTEST_SKIP() << "this Wine cannot switch the high-contrast mode";
  EXPECT_TRUE(PumpUntil([&] { return !Skinned(window) && Settled(); }, 5000));
  ASSERT_TRUE(RealContrast::Set(false));
  EXPECT_TRUE(PumpUntil([&] { return Skinned(window) && Settled(); }, 5000));
}

}  // namespace
