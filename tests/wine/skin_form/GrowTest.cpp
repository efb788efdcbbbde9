// A skinned window that grows — set to a larger size, dragged wider by its
// edge, maximised by its button, its title or the system command — is
// painted whole at its new size, as a person sees it: nothing inside its
// outline is left black or shows what lay behind it, the title bar reaches
// the new right edge and the close button stands there.
#include <windows.h>

#include <atomic>

#include "framework/Timer.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tools/gallery/GalleryForm.h"

namespace {

// What lies behind the windows under test: a colour no skin uses.
constexpr COLORREF kBackdrop = RGB(0, 255, 0);

LRESULT CALLBACK BackdropProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) {
    RECT r{};
    GetClientRect(hwnd, &r);
    TOwnedBrush brush(CreateSolidBrush(kBackdrop));
    FillRect(reinterpret_cast<HDC>(wp), &r, brush.Get());
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefMDIChildProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  HWND client = FindWindowExW(hwnd, nullptr, L"MDIClient", nullptr);
  return DefFrameProcW(hwnd, client, msg, wp, lp);
}

struct TPaintCount {
  long inside = 0;    // pixels inside the window's outline
  long backdrop = 0;  // of them, showing what lies behind
  long black = 0;     // of them, black
  double Unpainted(bool black_counts) const {
    return inside ? static_cast<double>(backdrop + (black_counts ? black : 0)) / inside : 1.0;
  }
};

// Counts what the screen shows inside `window`'s outline (its region, or
// its rectangle), clipped to `clip` (screen coordinates) when given.
TPaintCount CountPaint(HWND window, const RECT* clip = nullptr) {
  RECT r = WindowRect(window);
  const POINT origin{r.left, r.top};
  if (clip) IntersectRect(&r, &r, clip);
  TPaintCount count;
  const TBitmap shot = Capture(r);
  TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  const bool shaped = GetWindowRgn(window, region.Get()) != ERROR;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      if (shaped && !PtInRegion(region.Get(), r.left - origin.x + x, r.top - origin.y + y)) {
        continue;
      }
      ++count.inside;
      const TColor c = shot.Pixel(x, y);
      count.backdrop += c == RGBColour(0, 255, 0);
      count.black += c == RGBColour(0, 0, 0);
    }
  }
  return count;
}

// The skin's close button (action 0, placed from the right edge).
const TDataSkinSysButton* CloseDefinition(const TSkinData& data) {
  for (const auto& d : data.CaptionButtons()) {
    if (d->Action == 0 && d->Align == 1 && !d->Bitmap.Empty()) return d.get();
  }
  return nullptr;
}

// Share of the close button's cell `cell` that the screen shows where the
// skin places it at the window's present right edge.
double CloseButtonShare(HWND window, const TSkinData& data, int cell) {
  const TDataSkinSysButton* d = CloseDefinition(data);
  if (!d) return 0;
  const RECT w = WindowRect(window);
  const int width = d->Bitmap.Width() / (d->Frame < 1 ? 1 : d->Frame);
  const RECT at{w.right - d->Xcoord, w.top + d->Ycoord, w.right - d->Xcoord + width,
                w.top + d->Ycoord + d->Bitmap.Height()};
  return CellShare(Capture(at), *d, cell);
}

// Share of the unscaled top of the skin's right frame part (active cell)
// that the screen shows at the window's present top-right corner.
double TopRightShare(HWND window, const TWinSkinForm& engine) {
  const TDataSkinBorder& right = engine.SkinData()->FrameBorder(fbRight);
  const TFrameMetrics& m = engine.Metrics();
  const RECT w = WindowRect(window);
  const TBitmap shot = Capture(RECT{w.right - m.right, w.top, w.right, w.top + m.caption});
  long drawn = 0, same = 0;
  for (int y = 0; y < std::min(m.caption, right.TopHeight); ++y) {
    for (int x = 0; x < m.right; ++x) {
      const TColor want = right.Bitmap.Pixel(x, y);
      if (want == clFuchsia) continue;
      const TColor got = shot.Pixel(x, y);
      ++drawn;
      same += std::abs(RedOf(want) - RedOf(got)) <= 4 &&
              std::abs(GreenOf(want) - GreenOf(got)) <= 4 &&
              std::abs(BlueOf(want) - BlueOf(got)) <= 4;
    }
  }
  return drawn ? static_cast<double>(same) / static_cast<double>(drawn) : 0;
}

class GrowTest : public SkinEngineTest {
 protected:
  GrowTest() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpfnWndProc = BackdropProc;
    wc.lpszClassName = L"TestGrowBackdrop";
    RegisterClassExW(&wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"TestGrowBare";
    RegisterClassExW(&wc);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = L"TestGrowMdiFrame";
    RegisterClassExW(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = L"TestGrowMdiChild";
    RegisterClassExW(&wc);
    // Behind everything, never activated (so never skinned).
    backdrop_ =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"TestGrowBackdrop", L"", WS_POPUP, 0,
                        0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(backdrop_, SW_SHOWNOACTIVATE);
    SetWindowPos(backdrop_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(backdrop_);
  }
  ~GrowTest() override {
    if (frame_) DestroyWindow(frame_);
    if (bare_) DestroyWindow(bare_);
    DestroyWindow(backdrop_);
  }

  // Everything inside the outline painted, the title bar's right end and
  // the close button at the present right edge.
  // `black_share`: the share of black pixels the window shows of its own
  // (the gallery's texts and pictures).
  void ExpectWhole(HWND window, const std::string& shot, bool black_counts = true,
                   double black_share = 0) {
    SCOPED_TRACE(shot);
    TWinSkinForm* engine = EngineOf(window);
    ASSERT_NE(engine, nullptr);
    const TPaintCount count = CountPaint(window);
    EXPECT_LT(count.Unpainted(black_counts), 0.002 + black_share)
        << count.backdrop << " pixels show the backdrop, " << count.black << " are black, of "
        << count.inside;
    EXPECT_GT(TopRightShare(window, *engine), 0.95) << "title bar's right end";
    EXPECT_GT(CloseButtonShare(window, *engine->SkinData(), 1), 0.9) << "close button";
    SaveShot(window, shot);
  }

  HWND backdrop_ = nullptr;
  HWND bare_ = nullptr;
  HWND frame_ = nullptr;
};

TEST_F(GrowTest, ASizableFormGrownOrMaximisedIsPaintedWholeUnderEverySkin) {
  TForm& form = ShowSkinnedForm(0, SizableStyle());
  const HWND window = form.Handle();
  TSkinData& data = *EngineOf(window)->SkinData();
  for (int skin = 0; skin < 5; ++skin) {
    const std::string name = kSkinFiles[skin];
    SCOPED_TRACE(name);
    data.LoadFromSkinStore(&Store(), skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(window));
    // The contrast skin's face is black itself.
    const bool black_counts = skin != 3;
    SetWindowPos(window, nullptr, 60, 40, 420, 320, SWP_NOZORDER);
    Pump(150);
    SetWindowPos(window, nullptr, 0, 0, 760, 560, SWP_NOMOVE | SWP_NOZORDER);
    Pump(200);
    ExpectWhole(window, "grown-" + name, black_counts);

    // Maximised three ways: the system command, the title, the button.
    TWinSkinForm& engine = *EngineOf(window);
    switch (skin % 3) {
      case 0:
        SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        break;
      case 1: {
        const RECT r = WindowRect(window);
        input::MoveTo((r.left + r.right) / 2, r.top + engine.Metrics().caption / 2);
        Pump(50);
        input::DoubleClick((r.left + r.right) / 2, r.top + engine.Metrics().caption / 2);
        break;
      }
      default: {
        const int maximise = VisibleButton(engine, 1);
        ASSERT_GE(maximise, 0);
        const POINT at = HoverCaptionButton(engine, maximise);
        input::Click(at.x, at.y);
        break;
      }
    }
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != 0; }, 3000));
    input::MoveTo(1, 1);
    Pump(300);
    ExpectWhole(window, "maximised-" + name, black_counts);
    ShowWindow(window, SW_RESTORE);
    Pump(150);
  }
}

TEST_F(GrowTest, TheGalleryGrownOrMaximisedIsPaintedWholeUnderEverySkin) {
  auto& gallery = OwnedComponent<TGalleryForm>(App(), Environment(), TGalleryStart{});
  gallery.Show();
  SetForegroundWindow(gallery.Handle());
  ASSERT_TRUE(WaitSkinned(gallery.Handle()));
  const HWND window = gallery.Handle();
  const RECT start = WindowRect(window);
  for (int skin = 0; skin < 5; ++skin) {
    const std::string name = kSkinFiles[skin];
    SCOPED_TRACE(name);
    gallery.ChooseStored(skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(window));
    SetWindowPos(window, nullptr, 10, 10, start.right - start.left, start.bottom - start.top,
                 SWP_NOZORDER);
    Pump(200);
    SetWindowPos(window, nullptr, 0, 0, start.right - start.left + 200,
                 start.bottom - start.top + 120, SWP_NOMOVE | SWP_NOZORDER);
    Pump(300);
    // Its texts and pictures hold about half a percent of black; the
    // unpainted part of a grown gallery was over a tenth.
    ExpectWhole(window, "gallery-grown-" + name, skin != 3, 0.01);
    SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != 0; }, 3000));
    Pump(300);
    ExpectWhole(window, "gallery-maximised-" + name, skin != 3, 0.01);
    ShowWindow(window, SW_RESTORE);
    Pump(200);
  }
}

TEST_F(GrowTest, AFormDraggedWiderByItsEdgeIsPaintedWholeDuringAndAfterTheDrag) {
  TForm& form = ShowSkinnedForm(1, SizableStyle());
  const HWND window = form.Handle();
  SetWindowPos(window, nullptr, 60, 40, 420, 320, SWP_NOZORDER);
  Pump(200);
  const RECT start = WindowRect(window);
  const int y = (start.top + start.bottom) / 2;
  ASSERT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(start.right - 2, y)), HTRIGHT);
  // The size loop is modal: a timer inside it looks while the button is
  // still down, a script thread moves the mouse.
  std::atomic<int> step{0};
  TPaintCount during;
  double close_during = 0;
  auto& timer = OwnedComponent<TTimer>(App());
  timer.SetInterval(50);
  timer.OnTimer = [&](TObject*) {
    if (step.load() != 1) return;
    during = CountPaint(window);
    close_during = CloseButtonShare(window, *EngineOf(window)->SkinData(), 1);
    SaveShot(window, "dragging-nightfall");
    step = 2;
  };
  timer.SetEnabled(true);
  {
    input::TScriptThread script([&] {
      input::MoveTo(start.right - 2, y);
      input::Pause(150);
      input::Press(start.right - 2, y);
      for (int dx = 20; dx <= 300; dx += 20) {
        input::Pause(30);
        input::MoveTo(start.right - 2 + dx, y);
      }
      input::Pause(300);
      step = 1;
      for (int i = 0; i < 100 && step.load() != 2; ++i) input::Pause(20);
      input::Release(start.right + 298, y);
    });
    PumpUntil([&] { return step.load() == 2; }, 8000);
    Pump(300);
  }
  timer.SetEnabled(false);
  EXPECT_GT(WindowRect(window).right - start.right, 200);
  EXPECT_LT(during.Unpainted(true), 0.002) << during.backdrop << " show the backdrop, "
                                           << during.black << " black, of " << during.inside;
  EXPECT_GT(close_during, 0.9) << "close button during the drag";
  input::MoveTo(1, 1);
  Pump(300);
  ExpectWhole(window, "dragged-nightfall");
}

TEST_F(GrowTest, ABareWindowGrownOrMaximisedIsPaintedWhole) {
  TSkinData& data = MakeData(App(), 3);
  data.SetActive(true);
  Flush();
  bare_ = CreateWindowExW(0, L"TestGrowBare", L"Bare window", WS_OVERLAPPEDWINDOW, 60, 40, 400, 300,
                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(bare_, SW_SHOW);
  SetForegroundWindow(bare_);
  ASSERT_TRUE(WaitSkinned(bare_));
  SetWindowPos(bare_, nullptr, 0, 0, 740, 560, SWP_NOMOVE | SWP_NOZORDER);
  Pump(200);
  ExpectWhole(bare_, "bare-grown-contrast", false);
  SendMessageW(bare_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  Pump(300);
  ASSERT_TRUE(IsZoomed(bare_));
  ExpectWhole(bare_, "bare-maximised-contrast", false);
}

TEST_F(GrowTest, AnMdiChildGrownOrMaximisedIsPaintedWhole) {
  TSkinData& data = MakeData(App(), 2);
  data.SetActive(true);
  Flush();
  frame_ = CreateWindowExW(0, L"TestGrowMdiFrame", L"MDI frame", WS_OVERLAPPEDWINDOW, 20, 20, 900,
                           700, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  CLIENTCREATESTRUCT ccs{};
  ccs.idFirstChild = 100;
  HWND client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE,
                                0, 0, 860, 620, frame_, nullptr, GetModuleHandleW(nullptr), &ccs);
  ASSERT_NE(client, nullptr);
  ShowWindow(frame_, SW_SHOW);
  SetForegroundWindow(frame_);
  ASSERT_TRUE(WaitSkinned(frame_));
  MDICREATESTRUCTW mcs{};
  mcs.szClass = L"TestGrowMdiChild";
  mcs.szTitle = L"Child";
  mcs.hOwner = GetModuleHandleW(nullptr);
  mcs.x = mcs.y = 10;
  mcs.cx = 300;
  mcs.cy = 200;
  HWND child =
      reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(WaitSkinned(child));
  SetWindowPos(child, nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
  Pump(200);
  ExpectWhole(child, "mdi-child-grown-daylight");
  // Maximised, the child fills the client area; nothing of it is unpainted.
  SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  Pump(300);
  ASSERT_TRUE(IsZoomed(child));
  const RECT area = ClientScreenRect(client);
  const TPaintCount count = CountPaint(child, &area);
  EXPECT_LT(count.Unpainted(true), 0.002)
      << count.backdrop << " show the backdrop, " << count.black << " black";
  SaveShot(frame_, "mdi-child-maximised-daylight");
}

}  // namespace
