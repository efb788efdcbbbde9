// Skinned windows at the screen's DPI, as a person sees them: the frame
// read back from the screen shows the skin's cells scaled, the outline
// follows the skin's magenta at that scale, the title is not cut while the
// window is wide enough (on a test form and on the main window), and
// scroll bars are drawn at the system's thickness with images that fit. The suite runs once per DPI
// (the prefix's LogPixels); TONMILL_TEST_DPI names the DPI a run expects.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/Main.h"
#include "framework/Dpi.h"
#include "framework/Memo.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"

namespace {

bool IsKeyPixel(TColor c) {
  return RedOf(c) == 255 && GreenOf(c) <= 1 && BlueOf(c) == 255;
}

// The DPI this run was started for, or 0 when the runner did not say.
int ExpectedDpi() {
  const char* text = std::getenv("TONMILL_TEST_DPI");
  return text ? std::atoi(text) : 0;
}

std::string DpiName(int dpi) {
  return std::to_string(dpi) + "dpi";
}

// The source pixels under target pixel (x, y) when `src` of an image is
// scaled to `width` x `height`: target pixel x spans [x, x + 1) * S / D of
// the source.
TRect SourceSpan(const TRect& src, int width, int height, int x, int y) {
  const int sw = src.Width(), sh = src.Height();
  return {src.left + x * sw / width, src.top + y * sh / height,
          src.left + ((x + 1) * sw + width - 1) / width,
          src.top + ((y + 1) * sh + height - 1) / height};
}

// Whether `got` lies within `tolerance` of the range of colours of the
// source pixels in `span` (any blend of them, or the nearest one). `keyed`
// tells whether magenta lies under the pixel: those are left to the
// outline.
bool WithinSpan(const TBitmap& image, const TRect& span, TColor got, int tolerance, bool& keyed) {
  int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
  keyed = false;
  for (int y = span.top; y < span.bottom; ++y) {
    for (int x = span.left; x < span.right; ++x) {
      const TColor c = image.Pixel(x, y);
      if (IsKeyPixel(c)) {
        keyed = true;
        continue;
      }
      const int channels[3] = {RedOf(c), GreenOf(c), BlueOf(c)};
      for (int i = 0; i < 3; ++i) {
        low[i] = std::min(low[i], channels[i]);
        high[i] = std::max(high[i], channels[i]);
      }
    }
  }
  const int channels[3] = {RedOf(got), GreenOf(got), BlueOf(got)};
  for (int i = 0; i < 3; ++i) {
    if (channels[i] < low[i] - tolerance || channels[i] > high[i] + tolerance) return false;
  }
  return true;
}

class SkinDpiTest : public SkinControlsTest {
 protected:
  void LoadSkin(HWND window, TSkinData& data, int skin) {
    data.LoadFromSkinStore(&Store(), skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(window));
    SetForegroundWindow(window);
    Pump(250);
  }
  // The window's engine, checked to draw for the DPI the run expects.
  TWinSkinForm& Engine(HWND window) {
    TWinSkinForm* engine = EngineOf(window);
    EXPECT_NE(engine, nullptr);
    if (const int expected = ExpectedDpi()) {
      EXPECT_EQ(WindowDpi(window), expected) << "the prefix's LogPixels did not take";
      EXPECT_EQ(engine->Dpi(), expected);
    }
    return *engine;
  }
  // The window's title, read back from the screen as the pixels that
  // change when it goes, is as wide as the whole title in the caption font
  // of the window's DPI, and lies inside the caption.
  void ExpectWholeTitle(HWND window, TWinSkinForm& engine, const std::wstring& title,
                        const std::string& skin) {
    const int dpi = engine.Dpi();
    const TFrameMetrics& m = engine.Metrics();
    const RECT outer = WindowRect(window);
    // Between the buttons on the left (the icon) and those on the right.
    int from = m.left, to = (outer.right - outer.left) - m.right;
    for (int i = 0; i < engine.CaptionButtonCount(); ++i) {
      const TWinSysButton& button = engine.CaptionButton(i);
      if (!button.Visible || button.Bounds.bottom <= 0 || button.Bounds.top >= m.caption) continue;
      if (button.Bounds.left < (outer.right - outer.left) / 2) {
        from = std::max(from, static_cast<int>(button.Bounds.right));
      } else {
        to = std::min(to, static_cast<int>(button.Bounds.left));
      }
    }
    const RECT strip{outer.left + from, outer.top, outer.left + to, outer.top + m.caption};
    const TBitmap with_text = Capture(strip);
    SaveShot(window, "title-" + skin + "-" + DpiName(dpi));
    SetWindowTextW(window, L"");
    ASSERT_TRUE(PumpUntil([&] { return !Capture(strip).SamePixels(with_text); }));
    Pump(100);
    const TBitmap without = Capture(strip);
    SetWindowTextW(window, title.c_str());
    Pump(100);

    // Where the text is: the pixels that change with it.
    int ink_left = with_text.Width(), ink_right = -1, ink_top = with_text.Height(), ink_bottom = -1;
    for (int y = 0; y < with_text.Height(); ++y) {
      for (int x = 0; x < with_text.Width(); ++x) {
        if (with_text.Pixel(x, y) == without.Pixel(x, y)) continue;
        ink_left = std::min(ink_left, x);
        ink_right = std::max(ink_right, x);
        ink_top = std::min(ink_top, y);
        ink_bottom = std::max(ink_bottom, y);
      }
    }
    ASSERT_GE(ink_right, 0) << "no title on the screen";
    // The whole title in the caption font of the window's DPI.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersForDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, dpi));
    TOwnedFont font(CreateFontIndirectW(&metrics.lfCaptionFont));
    TWindowDC screen(nullptr);
    TSelectObject selected(screen.Get(), font.Get());
    SIZE extent{};
    GetTextExtentPoint32W(screen.Get(), title.c_str(), static_cast<int>(title.size()), &extent);
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.Get(), &tm);
    ASSERT_LT(extent.cx, to - from) << "the window is wide enough for the title";
    // No ellipsis: the ink is as wide as the whole title.
    EXPECT_GE(ink_right - ink_left + 1, extent.cx - 4);
    // Descenders and ascenders inside the caption, not cut by its edges.
    EXPECT_GT(ink_top, 0);
    EXPECT_LT(ink_bottom, m.caption - 1);
    EXPECT_GE(ink_bottom - ink_top + 1, (tm.tmAscent + tm.tmDescent) * 2 / 3);
  }
};

int Scaled(int value, int dpi) {
  return MulDiv(value, dpi, 96);
}

TEST_F(SkinDpiTest, FrameShowsTheSkinsCellsScaledAndItsOutlineFollowsTheirMagenta) {
  TForm& form = ShowSkinnedForm(0, SizableStyle());
  const HWND window = form.Handle();
  TSkinData& data = *EngineOf(window)->SkinData();
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    LoadSkin(window, data, skin);
    TWinSkinForm& engine = Engine(window);
    const int dpi = engine.Dpi();
    const TDataSkinBorder& left = data.FrameBorder(fbLeft);
    const TDataSkinBorder& right = data.FrameBorder(fbRight);
    const TDataSkinBorder& top = data.FrameBorder(fbTop);
    const int lw = left.Bitmap.Width() / std::max(left.Frame, 1);
    const int rw = right.Bitmap.Width() / std::max(right.Frame, 1);
    const TFrameMetrics& m = engine.Metrics();
    EXPECT_EQ(m.left, Scaled(lw, dpi));
    EXPECT_EQ(m.right, Scaled(rw, dpi));
    EXPECT_EQ(m.caption, Scaled(top.Bitmap.Height() / std::max(top.Frame, 1), dpi));
    const RECT outer = WindowRect(window);
    const int w = outer.right - outer.left;
    const int h = outer.bottom - outer.top;
    const RECT client = ClientScreenRect(window);
    EXPECT_EQ(client.left - outer.left, m.left);
    EXPECT_EQ(client.top - outer.top, m.caption + engine.MenuBarHeight());
    const TBitmap shot = Capture(outer);
    SaveShot(window, "frame-" + std::string(kSkinFiles[skin]) + "-" + DpiName(dpi));

    // The bottom ends of the side parts are the window's bottom corners:
    // each screen pixel shows the skin pixels under it, or a blend of them.
    int checked = 0, wrong = 0;
    auto corner = [&](const TDataSkinBorder& part, int cell_width, int x0, int width) {
      const int fh = part.Bitmap.Height();
      const int b = std::clamp(part.BottomHeight, 0, fh);
      const int rows = Scaled(b, dpi);
      if (b == 0 || rows <= 0) return;
      const TRect src{0, fh - b, cell_width, fh};
      for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < width; ++x) {
          bool keyed = false;
          const TColor got = shot.Pixel(x0 + x, h - rows + y);
          const bool ok =
              WithinSpan(part.Bitmap, SourceSpan(src, width, rows, x, y), got, 3, keyed);
          if (keyed) continue;
          ++checked;
          wrong += !ok;
        }
      }
    };
    corner(left, lw, 0, m.left);
    corner(right, rw, w - m.right, m.right);
    EXPECT_GT(checked, 0);
    EXPECT_LE(wrong, checked / 50) << wrong << " of " << checked << " corner pixels";

    // The top ends of the side parts cut the outline where their magenta
    // lies, at the scale the screen shows them.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    int holes = 0, misplaced = 0;
    const int top_rows = std::min(m.caption, Scaled(left.TopHeight, dpi));
    const TRect src{0, 0, lw, std::clamp(left.TopHeight, 1, left.Bitmap.Height())};
    for (int y = 0; y < top_rows && left.Trans == 1; ++y) {
      for (int x = 0; x < m.left; ++x) {
        const TRect span = SourceSpan(src, m.left, top_rows, x, y);
        int keys = 0, all = 0;
        for (int sy = span.top; sy < span.bottom; ++sy) {
          for (int sx = span.left; sx < span.right; ++sx) {
            keys += IsKeyPixel(left.Bitmap.Pixel(sx, sy));
            ++all;
          }
        }
        const bool inside = PtInRegion(region, x, y) != 0;
        if (keys == all) {
          ++holes;
          misplaced += inside;
        } else if (keys == 0) {
          misplaced += !inside;
        }
      }
    }
    DeleteObject(region);
    EXPECT_EQ(misplaced, 0);
    if (skin == 0) {
      EXPECT_GT(holes, 0) << "Meadow's rounded corner cuts the outline";
    }
  }
}

TEST_F(SkinDpiTest, TitleIsWholeWhileTheWindowIsWideEnough) {
  const std::wstring title = L"tonmill.example.org gjpqy \u2014 Tonmill";
  TFormStyle style = MainLikeStyle(title);
  style.client_width = 560;
  TForm& form = ShowSkinnedForm(0, style);
  const HWND window = form.Handle();
  TSkinData& data = *EngineOf(window)->SkinData();
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    LoadSkin(window, data, skin);
    ExpectWholeTitle(window, Engine(window), title, kSkinFiles[skin]);
  }
}

TEST_F(SkinDpiTest, MainWindowWearsTheSkinAtTheDpi) {
  TFrmMain& main = OwnedComponent<TFrmMain>(App(), Environment());
  main.Show();
  SetForegroundWindow(main.Handle());
  ASSERT_TRUE(WaitSkinned(main.Handle()));
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    main.SkinData1->LoadFromSkinStore(main.SkinStore1, skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(main.Handle()));
    SetForegroundWindow(main.Handle());
    Pump(300);
    TWinSkinForm& engine = Engine(main.Handle());
    const TFrameMetrics& m = engine.Metrics();
    const RECT outer = WindowRect(main.Handle());
    const RECT client = ClientScreenRect(main.Handle());
    EXPECT_EQ(client.left - outer.left, m.left);
    EXPECT_EQ(outer.right - client.right, m.right);
    EXPECT_EQ(outer.bottom - client.bottom, m.bottom);
    SaveShot(main.Handle(), "main-" + std::string(kSkinFiles[skin]) + "-" + DpiName(engine.Dpi()));
    ExpectWholeTitle(main.Handle(), engine, main.Caption(), kSkinFiles[skin]);
  }
}

// Scroll bars: the skinned overlay covers the system's bar at the DPI's
// thickness, its arrows are the skin's arrow cells scaled to the bar's
// breadth, and its thumb fills the bar across.
TEST_F(SkinDpiTest, ScrollBarImagesFitTheBar) {
  TMemo* memo = nullptr;
  TForm& form = ShowSkinned(0, [&](TForm& f) {
    memo = &OwnedComponent<TMemo>(f);
    memo->SetScrollBars(ssBoth);
    memo->SetBounds(20, 20, 240, 200);
    memo->SetParent(&f);
    std::vector<std::wstring> lines(80, std::wstring(120, L'x'));
    memo->SetLines(lines);
  });
  const HWND window = form.Handle();
  TSkinData& data = DataOf(form);
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    LoadSkin(window, data, skin);
    const int dpi = Engine(window).Dpi();
    SaveShot(window, "scroll-" + std::string(kSkinFiles[skin]) + "-" + DpiName(dpi));
    const TDataSkinObject* strip = data.Object(ssScrollbar);
    ASSERT_NE(strip, nullptr);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetScrollBarInfo(memo->Handle(), OBJID_VSCROLL, &info));
    ASSERT_FALSE(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    const RECT bar = info.rcScrollBar;
    const int breadth = bar.right - bar.left;
    EXPECT_EQ(breadth, SystemMetricsForDpi(SM_CXVSCROLL, dpi));
    // The first (up) arrow: cell 9 of the strip, scaled to the arrow's
    // square at the bar's breadth.
    const int arrow = std::min(SystemMetricsForDpi(SM_CYVSCROLL, dpi),
                               static_cast<int>(bar.bottom - bar.top) / 2);
    const TBitmap shot = Capture({bar.left, bar.top, bar.right, bar.top + arrow});
    const int cell_width = strip->Bitmap.Width() / 23;
    const TRect src = Bounds(8 * cell_width, 0, cell_width, strip->Bitmap.Height());
    int checked = 0, wrong = 0;
    for (int y = 0; y < arrow; ++y) {
      for (int x = 0; x < breadth; ++x) {
        bool keyed = false;
        const bool ok = WithinSpan(strip->Bitmap, SourceSpan(src, breadth, arrow, x, y),
                                   shot.Pixel(x, y), 3, keyed);
        if (keyed) continue;
        ++checked;
        wrong += !ok;
      }
    }
    EXPECT_GT(checked, 8) << "the arrow glyph is drawn";
    EXPECT_LE(wrong, checked / 20) << wrong << " of " << checked << " arrow pixels";
    // The thumb reaches across the whole bar: its image's edge colours
    // show in the bar's edge columns in the thumb's middle row.
    const TDataSkinObject* thumb = data.Object(ssVertScrollThumb);
    if (!thumb || info.xyThumbBottom - info.xyThumbTop < 4) continue;
    const int thumb_mid = bar.top + (info.xyThumbTop + info.xyThumbBottom) / 2;
    const TBitmap row = Capture({bar.left, thumb_mid, bar.right, thumb_mid + 1});
    const int thumb_width = thumb->Bitmap.Width() / std::max(thumb->Frame, 1);
    const TColor thumb_edge = thumb->Bitmap.Pixel(0, thumb->Bitmap.Height() / 2);
    const TColor thumb_far = thumb->Bitmap.Pixel(thumb_width - 1, thumb->Bitmap.Height() / 2);
    auto close_to = [](TColor a, TColor b) {
      return std::abs(RedOf(a) - RedOf(b)) <= 24 && std::abs(GreenOf(a) - GreenOf(b)) <= 24 &&
             std::abs(BlueOf(a) - BlueOf(b)) <= 24;
    };
    if (!IsKeyPixel(thumb_edge)) {
      EXPECT_TRUE(close_to(row.Pixel(0, 0), thumb_edge));
    }
    if (!IsKeyPixel(thumb_far)) {
      EXPECT_TRUE(close_to(row.Pixel(breadth - 1, 0), thumb_far));
    }
  }
}

}  // namespace
