// The Windows side of the bitmaps and the skin data: gradients into clipped
// device contexts, DIB sections, the program's bitmap resources, the
// application icon, brushes, image lists and the optional system functions.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "framework/BitmapWin32.h"
#include "skin/data/BuiltinBitmaps.h"
#include "skin/data/SkinPlatformWin32.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/ImgUtilWin32.h"
#include "tests/native/skin_data/TestSkin.h"

namespace {

// A memory DC with a DIB section of the given pixels selected, released in
// order when it goes.
class TPixelDC {
 public:
  explicit TPixelDC(const TBitmap& pixels)
      : dib_(MakeDibSection(pixels)), dc_(CreateCompatibleDC(nullptr)) {
    old_ = SelectObject(dc_, dib_.Get());
  }
  ~TPixelDC() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  TPixelDC(const TPixelDC&) = delete;
  TPixelDC& operator=(const TPixelDC&) = delete;
  HDC Get() const { return dc_; }
  TBitmap Pixels() const {
    GdiFlush();
    TBitmap b;
    SelectObject(dc_, old_);
    ReadGdiBitmap(dib_.Get(), b);
    SelectObject(dc_, dib_.Get());
    return b;
  }

 private:
  THBitmap dib_;
  HDC dc_;
  HGDIOBJ old_;
};

TEST(FillGradient, PaintsOnlyTheRowsInsideTheClipBox) {
  TGradientCache cache;
  TPixelDC dc(TBitmap(5, 40, clBlue));
  IntersectClipRect(dc.Get(), 0, 10, 5, 20);
  FillGradient(cache, dc.Get(), TRect{0, 0, 5, 40}, clBlack, true, RGBColour(0, 0, 195));
  const TBitmap b = dc.Pixels();
  const std::vector<TColor> ramp = ColorRamp(40, clBlack, RGBColour(0, 0, 195));
  for (int y = 0; y < 40; ++y) {
    const TColor expected = y >= 10 && y < 20 ? ramp[static_cast<size_t>(y)] : clBlue;
    EXPECT_EQ(b.Pixel(0, y), expected) << y;
    EXPECT_EQ(b.Pixel(4, y), expected) << y;
  }
  EXPECT_EQ(cache.Cursor(), 1);
  // A rectangle wholly outside the clip box draws nothing and computes no ramp.
  FillGradient(cache, dc.Get(), TRect{0, 25, 5, 35}, clRed, true, clLime);
  EXPECT_EQ(dc.Pixels().Pixel(2, 30), clBlue);
  EXPECT_EQ(cache.Cursor(), 1);
}

TEST(FillGradient, HorizontalGradientsResolveSystemColours) {
  TGradientCache cache;
  TPixelDC dc(TBitmap(8, 2, clBlue));
  IntersectClipRect(dc.Get(), 2, 0, 6, 2);
  FillGradient(cache, dc.Get(), TRect{0, 0, 8, 2}, clBtnFace, false, clBtnFace);
  const TBitmap b = dc.Pixels();
  const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(b.Pixel(1, 0), clBlue);
  EXPECT_EQ(b.Pixel(2, 0), face);
  EXPECT_EQ(b.Pixel(5, 1), face);
  EXPECT_EQ(b.Pixel(6, 1), clBlue);
}

TEST(BitmapWin32, DibSectionsCarryThePixelsBothWays) {
  TBitmap source(7, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) source.SetPixel(x, y, RGBColour(30 * x, 80 * y, 5));
  }
  THBitmap dib = MakeDibSection(source);
  ASSERT_TRUE(dib);
  TBitmap back;
  ASSERT_TRUE(ReadGdiBitmap(dib.Get(), back));
  EXPECT_TRUE(back.SamePixels(source));
  EXPECT_FALSE(MakeDibSection(TBitmap()));
  EXPECT_FALSE(ReadGdiBitmap(nullptr, back));
  EXPECT_TRUE(back.Empty());

  // Drawing with a transparent colour keeps what the DC showed there.
  TPixelDC dc(TBitmap(4, 1, clWhite));
  TBitmap sprite(2, 1);
  sprite.SetPixel(0, 0, clRed);
  sprite.SetPixel(1, 0, clFuchsia);
  sprite.Transparent = true;
  sprite.TransparentColor = clFuchsia;
  DrawBitmap(dc.Get(), 1, 0, sprite);
  const TBitmap drawn = ReadDCPixels(dc.Get(), TRect{0, 0, 4, 1});
  EXPECT_EQ(drawn.Pixel(0, 0), clWhite);
  EXPECT_EQ(drawn.Pixel(1, 0), clRed);
  EXPECT_EQ(drawn.Pixel(2, 0), clWhite);
  sprite.Transparent = false;
  DrawBitmap(dc.Get(), 2, 0, sprite);
  EXPECT_EQ(ReadDCPixels(dc.Get(), TRect{0, 0, 4, 1}).Pixel(3, 0), clFuchsia);
}

TEST(SkinPlatformWin32, LoadsTheBuiltInBitmapsFromTheProgramsResources) {
  TWin32SkinPlatform platform(nullptr, "Tonmill");
  for (const char* name : kBuiltinBitmapNames) {
    TBitmap resource;
    ASSERT_TRUE(platform.LoadBitmapResource(name, resource)) << name;
    TBitmap drawn;
    DrawBuiltinBitmap(name, drawn);
    EXPECT_TRUE(resource.SamePixels(drawn)) << name;
    EXPECT_EQ(resource.BitCount(), drawn.BitCount()) << name;
  }
  TBitmap none(2, 2);
  EXPECT_FALSE(platform.LoadBitmapResource("NOSUCHBITMAP", none));
  EXPECT_TRUE(none.Empty());
  EXPECT_EQ(platform.ScrollArrowWidth(), SystemMetricsForDpi(SM_CXHSCROLL, kDefaultDpi));
  EXPECT_TRUE(platform.HasScrollBarInfo());
}

TEST(SkinPlatformWin32, MakesBrushesAndImageLists) {
  TWin32SkinPlatform platform(nullptr, "Tonmill");
  const std::unique_ptr<TSkinBrush> brush = platform.MakeSolidBrush(clBtnFace);
  ASSERT_NE(brush->Handle(), nullptr);
  LOGBRUSH info{};
  ASSERT_NE(GetObjectW(static_cast<HBRUSH>(brush->Handle()), sizeof info, &info), 0);
  EXPECT_EQ(info.lbColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(brush->Colour(), clBtnFace);

  TBitmap strip;
  DrawBuiltinBitmap("VENEERMENU", strip);
  TImageList glyphs(16, 16);
  glyphs.AddMasked(strip, clWhite);
  const THImageList list = MakeImageListHandle(glyphs);
  ASSERT_TRUE(list);
  EXPECT_EQ(ImageList_GetImageCount(list.Get()), 4);
  // Drawn transparently, the white of the glyph leaves the background.
  TPixelDC dc(TBitmap(16, 16, clLime));
  ASSERT_TRUE(ImageList_Draw(list.Get(), 2, dc.Get(), 0, 0, ILD_TRANSPARENT));
  const TBitmap drawn = dc.Pixels();
  EXPECT_EQ(drawn.Pixel(0, 0), clLime);
  EXPECT_EQ(drawn.Pixel(6, 7), clBlack);  // the minimise bar
}

TEST(SkinPlatformWin32, CapturesTheApplicationIconOnMagenta) {
  const HWND window = CreateWindowExW(0, L"STATIC", L"icon", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  const HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  TWin32SkinPlatform platform([window] { return window; }, "Tonmill");
  TBitmap captured;
  platform.CaptureApplicationIcon(captured);
  EXPECT_EQ(captured.Width(), GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(captured.Height(), GetSystemMetrics(SM_CYSMICON));
  EXPECT_TRUE(captured.Transparent);
  EXPECT_EQ(captured.TransparentColor, clFuchsia);
  int drawn = 0;
  for (int y = 0; y < captured.Height(); ++y) {
    for (int x = 0; x < captured.Width(); ++x) drawn += captured.Pixel(x, y) != clFuchsia;
  }
  EXPECT_GT(drawn, 0);
  DestroyWindow(window);

  TWin32SkinPlatform without([] { return HWND{}; }, "Tonmill");
  without.CaptureApplicationIcon(captured);
  EXPECT_TRUE(captured.Empty());
}

TEST(SkinSystem, FindsTheOptionalFunctionsAndDrawsText) {
  TSkinSystem system;
  EXPECT_TRUE(system.WideText());
  EXPECT_TRUE(system.HasScrollBarInfo());
  EXPECT_TRUE(system.HasTrackMouseEvent());
  const HWND bar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_POPUP | SBS_HORZ, 0, 0, 100, 20,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(bar, nullptr);
  SCROLLBARINFO info{};
  EXPECT_TRUE(system.ScrollBarInfo(bar, OBJID_CLIENT, info));
  DestroyWindow(bar);

  const HWND window = CreateWindowExW(0, L"STATIC", L"text \u4E2D", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(system.WindowText(window), L"text \u4E2D");
  DestroyWindow(window);
  EXPECT_EQ(AnsiToWide("plain"), L"plain");

  TPixelDC dc(TBitmap(60, 20, clWhite));
  RECT r{0, 0, 60, 20};
  EXPECT_GT(system.DrawAnsiText(dc.Get(), "Ab", r, DT_SINGLELINE | DT_CALCRECT), 0);
  EXPECT_GT(r.right, 0);
}

TEST(SkinDataWin32, TakesItsGlyphsFromTheResourcesAndMakesAFaceBrush) {
  TSkinEnvironment environment(std::make_unique<TWin32SkinPlatform>(nullptr, "Tonmill"),
                               [] { return std::make_unique<TRecordingSkinManager>(); });
  auto data = MakeComponent<TSkinData>(environment);
  ASSERT_EQ(data->MenuGlyphs().Count(), 4);
  EXPECT_TRUE(data->MenuGlyphs().Opaque(3, 3, 4));  // the close cross
  TTestSkin skin;
  skin.Ini("[Colours]\nButtonFace=1 2 3\n[ComboButton]\nImage=c.bmp\n[SunkEdge]\nImage=c.bmp\n");
  skin.Bitmap("c.bmp", Strip(1, 4, 20, 21));
  LoadPackage(*data, skin.Package());
  ASSERT_FALSE(data->NotReady());
  ASSERT_NE(data->FaceBrush(), nullptr);
  LOGBRUSH info{};
  ASSERT_NE(GetObjectW(static_cast<HBRUSH>(data->FaceBrush()->Handle()), sizeof info, &info), 0);
  EXPECT_EQ(info.lbColor, RGB(1, 2, 3));
  // The combo strip leaves room for the system's scroll arrow.
  EXPECT_EQ(data->Object(ssComboButton)->RightWidth, GetSystemMetrics(SM_CXHSCROLL) + 4);
  EXPECT_EQ(data->Object(ssTrack)->Bitmap.Width(), 16);
}

}  // namespace
