// The further controls on real windows with real input: windowless controls
// painted and fed by their parent, speed, glyph and menu buttons, the status
// bar, the scroll bar, the memo, the scroll box, the tool bar, colours that
// children take from their container, and the properties read by name.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/Application.h"
#include "framework/BitmapWin32.h"
#include "framework/Buttons.h"
#include "framework/ClassName.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "framework/Memo.h"
#include "framework/Menus.h"
#include "framework/ScrollBar.h"
#include "framework/ScrollBox.h"
#include "framework/StatusBar.h"
#include "framework/StdCtrls.h"
#include "framework/ToolBar.h"
#include "tests/wine/framework/InputSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/SettledMouse.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;

using input::PumpFor;
using input::ScreenPixel;

// A windowless control that paints itself in one colour and writes down
// the messages it hears.
class TProbe : public TGraphicControl {
 public:
  explicit TProbe(TComponent* owner) : TGraphicControl(owner) {}
  std::vector<UINT> heard;
  POINT last_point{};
  TColor colour = clRed;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg != WM_PAINT) heard.push_back(m.Msg);
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST) {
      last_point = {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    }
    TGraphicControl::WndProc(m);
  }
  void Paint(HDC dc) override {
    TOwnedBrush brush(CreateSolidBrush(static_cast<COLORREF>(colour)));
    RECT r{0, 0, Width(), Height()};
    FillRect(dc, &r, brush.Get());
  }
};

int Count(const std::vector<UINT>& messages, UINT msg) {
  return static_cast<int>(std::count(messages.begin(), messages.end(), msg));
}

class ControlsTest : public ::testing::Test {
 protected:
  ControlsTest() {
    app_.Initialize();
    TFormStyle style;
    style.caption = L"Controls test";
    style.client_width = 480;
    style.client_height = 360;
    form_ = &OwnedComponent<TForm>(app_, style);
  }
  void Show() {
    form_->Show();
    SetForegroundWindow(form_->Handle());
    Pump(200);
  }
  void Pump(int ms = 150) { PumpFor(app_, std::chrono::milliseconds(ms)); }
  bool PumpUntil(const std::function<bool()>& done) { return ::PumpUntil(app_, done, 3000ms); }
  // The screen point of (x, y) in the client area of `window`.
  static POINT At(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
  }
  static TColor Pixel(HWND window, int x, int y) {
    const POINT p = At(window, x, y);
    return ScreenPixel(p.x, p.y);
  }
  void MoveTo(POINT p) { MoveAndSettle(app_, p); }
  void Click(POINT p) {
    MoveTo(p);
    input::Click(p.x, p.y);
    Pump();
  }

  TApplication app_{nullptr};
  TForm* form_ = nullptr;
};

// --- windowless controls -------------------------------------------------------

TEST_F(ControlsTest, ParentPaintsWindowlessControlsAndFeedsThemTheirMouse) {
  TPanel& panel = OwnedComponent<TPanel>(*form_);
  panel.SetBounds(20, 20, 200, 100);
  panel.SetParent(form_);
  TProbe& probe = OwnedComponent<TProbe>(*form_);
  probe.SetBounds(50, 30, 40, 20);
  probe.SetParent(&panel);
  Show();
  EXPECT_EQ(Pixel(panel.Handle(), 52, 32), clRed);
  EXPECT_EQ(Pixel(panel.Handle(), 88, 48), clRed);
  EXPECT_NE(Pixel(panel.Handle(), 48, 32), clRed);

  // Entering, a click in the control's own coordinates, leaving.
  const POINT inside = At(panel.Handle(), 60, 35);
  MoveTo(inside);
  ASSERT_TRUE(PumpUntil([&] { return Count(probe.heard, CM_MOUSEENTER) == 1; }));
  input::Click(inside.x, inside.y);
  ASSERT_TRUE(PumpUntil([&] { return Count(probe.heard, WM_LBUTTONUP) == 1; }));
  EXPECT_EQ(Count(probe.heard, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(probe.last_point.x, 10);
  EXPECT_EQ(probe.last_point.y, 5);
  MoveTo(At(panel.Handle(), 150, 80));
  ASSERT_TRUE(PumpUntil([&] { return !probe.MouseInControl(); }));
  // Every enter has its leave.
  EXPECT_GE(Count(probe.heard, CM_MOUSELEAVE), 1);
  EXPECT_EQ(Count(probe.heard, CM_MOUSEENTER), Count(probe.heard, CM_MOUSELEAVE));

  // A press keeps the mouse until it comes up, wherever that is; leaving the
  // whole window by a fast move still tells the control.
  MoveTo(inside);
  input::Press(inside.x, inside.y);
  Pump();
  const POINT far_away = At(form_->Handle(), 400, 300);
  MoveTo(far_away);
  input::Release(far_away.x, far_away.y);
  ASSERT_TRUE(PumpUntil([&] { return Count(probe.heard, WM_LBUTTONUP) == 2; }));
  EXPECT_GT(probe.last_point.x, 200);
  EXPECT_TRUE(PumpUntil([&] { return !probe.MouseInControl(); }));

  // Hidden controls are not painted; the parent shows again where it was.
  probe.SetVisible(false);
  Pump();
  EXPECT_NE(Pixel(panel.Handle(), 60, 35), clRed);
}

TEST_F(ControlsTest, SpeedButtonsClickOnceStayDownInGroupsAndIgnoreReleasesOutside) {
  TSpeedButton& a = OwnedComponent<TSpeedButton>(*form_);
  TSpeedButton& b = OwnedComponent<TSpeedButton>(*form_);
  a.SetBounds(20, 20, 60, 24);
  b.SetBounds(90, 20, 60, 24);
  a.SetCaption(L"A");
  b.SetCaption(L"B");
  a.SetParent(form_);
  b.SetParent(form_);
  int clicks_a = 0, clicks_b = 0;
  a.OnClick = [&](TObject*) { ++clicks_a; };
  b.OnClick = [&](TObject*) { ++clicks_b; };
  Show();

  Click(At(form_->Handle(), 50, 32));
  EXPECT_EQ(clicks_a, 1);
  EXPECT_FALSE(a.Down()) << "a button outside a group springs back";

  a.SetGroupIndex(1);
  b.SetGroupIndex(1);
  Click(At(form_->Handle(), 50, 32));
  EXPECT_TRUE(a.Down());
  Click(At(form_->Handle(), 120, 32));
  EXPECT_TRUE(b.Down());
  EXPECT_FALSE(a.Down());
  EXPECT_EQ(clicks_b, 1);
  // Without AllowAllUp the last one stays down; with it a click raises it.
  Click(At(form_->Handle(), 120, 32));
  EXPECT_TRUE(b.Down());
  b.AllowAllUp = true;
  Click(At(form_->Handle(), 120, 32));
  EXPECT_FALSE(b.Down());

  const POINT on_a = At(form_->Handle(), 50, 32);
  const POINT off = At(form_->Handle(), 300, 200);
  MoveTo(on_a);
  input::Press(on_a.x, on_a.y);
  Pump();
  MoveTo(off);
  input::Release(off.x, off.y);
  Pump();
  EXPECT_EQ(clicks_a, 2) << "a release outside is no click";
}

TEST_F(ControlsTest, FlatSpeedButtonShowsItsFrameOnlyUnderTheMouse) {
  TSpeedButton& flat = OwnedComponent<TSpeedButton>(*form_);
  flat.SetBounds(20, 20, 60, 24);
  flat.SetFlat(true);
  flat.SetParent(form_);
  Show();
  const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
  MoveTo(At(form_->Handle(), 300, 300));
  EXPECT_EQ(Pixel(form_->Handle(), 20, 30), face);
  MoveTo(At(form_->Handle(), 50, 32));
  ASSERT_TRUE(PumpUntil([&] { return flat.MouseInControl(); }));
  Pump();
  EXPECT_NE(Pixel(form_->Handle(), 20, 30), face);
}

// --- glyph and menu buttons ---------------------------------------------------

// A 16 x 16 glyph: red, its bottom-left pixel magenta (not drawn).
TBitmap RedGlyph() {
  TBitmap glyph(16, 16, clRed);
  glyph.SetPixel(0, 15, clFuchsia);
  return glyph;
}

// The left and right ends of the red pixels in row y of the button.
std::pair<int, int> RedSpan(HWND button, int y) {
  RECT r;
  GetClientRect(button, &r);
  int first = -1, last = -1;
  for (int x = 0; x < r.right; ++x) {
    POINT p{x, y};
    ClientToScreen(button, &p);
    if (ScreenPixel(p.x, p.y) == clRed) {
      if (first < 0) first = x;
      last = x;
    }
  }
  return {first, last};
}

TEST_F(ControlsTest, BitButtonPlacesItsGlyphByLayoutAndGreysItWhenDisabled) {
  TBitBtn& button = OwnedComponent<TBitBtn>(*form_);
  button.SetBounds(20, 20, 120, 40);
  button.SetCaption(L"Glyph");
  button.Glyph.Bitmap = RedGlyph();
  button.SetParent(form_);
  int clicks = 0;
  button.OnClick = [&](TObject*) { ++clicks; };
  Show();
  auto [left, left_end] = RedSpan(button.Handle(), 20);
  EXPECT_GE(left, 0);
  EXPECT_EQ(left_end - left, 15);
  EXPECT_LT(left, 60);

  button.Layout = blGlyphRight;
  button.Invalidate();
  Pump();
  auto [right, right_end] = RedSpan(button.Handle(), 20);
  EXPECT_GT(right, 60);
  // Margin 4 from the right edge.
  button.Margin = 4;
  button.Invalidate();
  Pump();
  EXPECT_EQ(RedSpan(button.Handle(), 20).second, 120 - 4 - 1);
  (void)right_end;

  Click(At(button.Handle(), 60, 20));
  EXPECT_EQ(clicks, 1);

  button.SetEnabled(false);
  Pump();
  EXPECT_EQ(RedSpan(button.Handle(), 20).first, -1) << "a disabled glyph is grey";
}

TEST_F(ControlsTest, MenuButtonDropsItsMenuDownBelowItself) {
  TPopupMenu& menu = OwnedComponent<TPopupMenu>(*form_);
  int chosen = 0;
  menu.Items().Add(L"First").OnClick = [&](TObject*) { ++chosen; };
  TMenuButton& button = OwnedComponent<TMenuButton>(*form_);
  button.SetBounds(20, 20, 100, 26);
  button.SetCaption(L"Menu");
  button.DropdownMenu = &menu;
  button.SetParent(form_);
  int clicks = 0;
  button.OnClick = [&](TObject*) { ++clicks; };
  Show();
  // The arrow: dark pixels in the arrow zone at the right.
  const TColor arrow = Pixel(button.Handle(), 100 - 12, 26 / 2 + 2 - 1);
  EXPECT_EQ(arrow, static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)));
  const POINT on = At(button.Handle(), 40, 13);
  MoveTo(on);
  {
    // The menu's own loop runs inside the click; the script chooses.
    input::TScriptThread script([] {
      input::Pause(400);
      input::Key(VK_DOWN);
      input::Pause(100);
      input::Key(VK_RETURN);
    });
    input::Click(on.x, on.y);
    EXPECT_TRUE(PumpUntil([&] { return chosen == 1; }));
  }
  EXPECT_EQ(clicks, 1);
}

// --- status bar, scroll bar, memo, scroll box, tool bar -------------------------

TEST_F(ControlsTest, StatusBarShowsPanelsSimpleTextAndItsGripAsAsked) {
  TStatusBar& bar = OwnedComponent<TStatusBar>(*form_);
  bar.SetParent(form_);
  bar.AddPanel(L"one", 100);
  bar.AddPanel(L"two", 80).SetAlignment(taCenter);
  bar.AddPanel(L"three", 40);
  Show();
  std::vector<int> edges(3);
  ASSERT_EQ(SendMessageW(bar.Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges.data())), 3);
  EXPECT_EQ(edges[0], 100);
  EXPECT_EQ(edges[1], 180);
  EXPECT_EQ(edges[2], -1) << "the last panel reaches the right edge";
  wchar_t text[32] = {};
  SendMessageW(bar.Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"one");
  SendMessageW(bar.Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"\ttwo");
  EXPECT_TRUE(GetWindowLongPtrW(bar.Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
  bar.SetSizeGrip(false);
  EXPECT_FALSE(GetWindowLongPtrW(bar.Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
  bar.SetSimplePanel(true);
  bar.SetSimpleText(L"simple");
  EXPECT_TRUE(SendMessageW(bar.Handle(), SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(GetTextProp(bar, "SimpleText"), "simple");
  EXPECT_EQ(GetTextProp(bar.Panel(2), "Text"), "three");
  EXPECT_EQ(GetEnumPropName(bar.Panel(1), "Alignment"), "taCenter");
}

TEST_F(ControlsTest, ScrollBarMovesByArrowTrackAndKeepsInsideItsRange) {
  TScrollBar& bar = OwnedComponent<TScrollBar>(*form_);
  bar.SetBounds(20, 40, 200, 17);
  bar.LargeChange = 10;
  bar.SetParams(0, 0, 100);
  bar.SetParent(form_);
  int changes = 0;
  bar.OnChange = [&](TObject*) { ++changes; };
  Show();
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  Click(At(bar.Handle(), 200 - arrow / 2, 8));
  EXPECT_EQ(bar.Position(), 1);
  Click(At(bar.Handle(), 180 - arrow, 8));
  EXPECT_EQ(bar.Position(), 11);
  EXPECT_EQ(changes, 2);
  bar.SetPageSize(20);
  bar.SetPosition(500);
  EXPECT_EQ(bar.Position(), 81);
  EXPECT_EQ(GetEnumPropName(bar, "Kind"), "sbHorizontal");
  SetPropText(bar, "Kind", "sbVertical");
  EXPECT_TRUE(GetWindowLongPtrW(bar.Handle(), GWL_STYLE) & SBS_VERT);
}

TEST_F(ControlsTest, MemoAndScrollBoxScrollTheirContent) {
  TMemo& memo = OwnedComponent<TMemo>(*form_);
  memo.SetBounds(10, 10, 200, 100);
  memo.SetParent(form_);
  std::vector<std::wstring> lines;
  for (int i = 0; i < 60; ++i) lines.push_back(L"line " + std::to_wstring(i));
  memo.SetLines(lines);
  TScrollBox& box = OwnedComponent<TScrollBox>(*form_);
  box.SetBounds(230, 10, 200, 150);
  box.SetParent(form_);
  TButton& inner = OwnedComponent<TButton>(*form_);
  inner.SetBounds(10, 300, 80, 24);
  inner.SetParent(&box);
  box.SetRange(150, 600);
  Show();
  EXPECT_EQ(memo.LineCount(), 60);
  EXPECT_TRUE(GetWindowLongPtrW(memo.Handle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_TRUE(GetWindowLongPtrW(memo.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  SendMessageW(memo.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(memo.TopLine(), 0);
  SetPropText(memo, "BorderStyle", "bsNone");
  EXPECT_FALSE(GetWindowLongPtrW(memo.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  EXPECT_TRUE(GetWindowLongPtrW(box.Handle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_FALSE(GetWindowLongPtrW(box.Handle(), GWL_STYLE) & WS_HSCROLL);
  SendMessageW(box.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(box.VertPosition(), 16);
  EXPECT_EQ(inner.Top(), 300 - 16);
  RECT r;
  GetWindowRect(inner.Handle(), &r);
  POINT p{r.left, r.top};
  ScreenToClient(box.Handle(), &p);
  EXPECT_EQ(p.y, 300 - 16);
  box.ScrollTo(0, 10000);
  RECT client;
  GetClientRect(box.Handle(), &client);
  EXPECT_EQ(box.VertPosition(), 600 - client.bottom);
}

TEST_F(ControlsTest, ToolBarButtonsClickAndLetTheOwnerDrawTheirFaces) {
  TToolBar& bar = OwnedComponent<TToolBar>(*form_);
  bar.SetParent(form_);
  TToolButton& open = bar.AddButton(L"Open");
  bar.AddButton(L"Pin", -1, tbsCheck);
  TToolButton& off = bar.AddButton(L"MMMM");
  off.SetEnabled(false);
  int clicks = 0;
  open.OnClick = [&](TObject*) { ++clicks; };
  int drawn = 0;
  bar.OnCustomDrawButton = [&](TToolBar*, TToolButton& button, HDC dc, const RECT& rect, UINT,
                               COLORREF&, bool& frame_drawn) {
    if (button.Index() == 1) return;
    drawn += button.Index() == 0;
    TOwnedBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
    FillRect(dc, &rect, blue.Get());
    frame_drawn = true;
  };
  Show();
  EXPECT_GT(drawn, 0);
  const RECT r = open.BoundsRect();
  EXPECT_EQ(Pixel(bar.Handle(), r.left + 1, r.top + 1), RGBColour(0, 0, 255));
  Click(At(bar.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2));
  EXPECT_EQ(clicks, 1);
  const RECT pin = bar.Buttons(1).BoundsRect();
  Click(At(bar.Handle(), (pin.left + pin.right) / 2, (pin.top + pin.bottom) / 2));
  EXPECT_TRUE(bar.Buttons(1).Down());
  // A disabled caption on the owner's face: grey text, without the system's
  // bright etching beside it.
  const RECT o = off.BoundsRect();
  const TColor highlight = RGBColour(GetRValue(GetSysColor(COLOR_BTNHIGHLIGHT)),
                                     GetGValue(GetSysColor(COLOR_BTNHIGHLIGHT)),
                                     GetBValue(GetSysColor(COLOR_BTNHIGHLIGHT)));
  int text_pixels = 0, etched_pixels = 0;
  for (int x = o.left + 2; x < o.right - 2; ++x) {
    for (int y = o.top + 2; y < o.bottom - 2; ++y) {
      const TColor c = Pixel(bar.Handle(), x, y);
      etched_pixels += c == highlight;
      text_pixels += c != RGBColour(0, 0, 255);
    }
  }
  EXPECT_GT(text_pixels, 10) << "the disabled caption is written";
  EXPECT_EQ(etched_pixels, 0);
  SetPropText(bar, "Flat", "False");
  EXPECT_FALSE(GetWindowLongPtrW(bar.Handle(), GWL_STYLE) & TBSTYLE_FLAT);
}

// --- colours and properties -----------------------------------------------------

TEST_F(ControlsTest, LabelsTakeTheColoursOfTheirContainer) {
  TPanel& panel = OwnedComponent<TPanel>(*form_);
  panel.SetBounds(20, 20, 200, 60);
  panel.SetParent(form_);
  TLabel& label = OwnedComponent<TLabel>(*form_);
  label.SetBounds(10, 10, 150, 20);
  label.SetCaption(L"MMMMMMMM");
  label.SetParent(&panel);
  const TColor green = RGBColour(0, 128, 0);
  const TColor yellow = RGBColour(255, 255, 0);
  panel.SetColor(green);
  panel.FontObject().Color = yellow;
  Show();
  EXPECT_EQ(Pixel(panel.Handle(), 5, 5), green);
  EXPECT_EQ(Pixel(label.Handle(), 140, 15), green) << "the label's empty part";
  bool yellow_text = false;
  for (int x = 0; x < 60 && !yellow_text; ++x) {
    for (int y = 0; y < 16 && !yellow_text; ++y)
      yellow_text = Pixel(label.Handle(), x, y) == yellow;
  }
  EXPECT_TRUE(yellow_text);

  // The colour by name, and back to the parent's.
  EXPECT_EQ(GetIntProp(panel, "Color"), green);
  SetPropText(panel, "Color", std::to_string(clDefault));
  Pump();
  EXPECT_EQ(Pixel(label.Handle(), 140, 15), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(static_cast<TFont*>(GetObjectProp(panel, "Font"))->Color, yellow);
  EXPECT_EQ(GetEnumPropName(panel, "ParentBackground"), "False");
}

TEST_F(ControlsTest, ReplacedWindowProcSeesTheEndOfAStandardControl) {
  TButton& button = OwnedComponent<TButton>(*form_);
  button.SetBounds(10, 10, 80, 24);
  button.SetParent(form_);
  std::vector<UINT> seen;
  TWndMethod previous = button.WindowProc;
  button.WindowProc = [&](TMessage& m) {
    seen.push_back(m.Msg);
    previous(m);
  };
  DestroyWindow(button.Handle());
  EXPECT_EQ(Count(seen, WM_NCDESTROY), 1);
  EXPECT_FALSE(button.HandleAllocated());
  button.WindowProc = previous;
}

// A control of a class whose own procedure counts the frame paints it is
// asked for.
int frame_paints = 0;
LRESULT CALLBACK FramePaintCountingProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCPAINT) ++frame_paints;
  return DefWindowProcW(window, msg, wp, lp);
}
class TFramePaintProbe : public TWinControl {
 public:
  TFramePaintProbe(TComponent* owner, DWORD style) : TWinControl(owner), style_(style) {}

 protected:
  void CreateParams(TCreateParams& params) override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &FramePaintCountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TonmillFramePaintProbe";
    RegisterClassW(&wc);  // fails harmlessly once it is registered
    params.class_name = wc.lpszClassName;
    params.style |= style_;
  }

 private:
  DWORD style_;
};

// A window with nothing outside its client area is not asked to paint a
// frame (the system would take a window DC to draw nothing); one with a
// border or a scroll bar still is.
TEST_F(ControlsTest, OnlyWindowsWithAFramePaintOne) {
  TFramePaintProbe& bare = OwnedComponent<TFramePaintProbe>(*form_, 0);
  bare.SetBounds(10, 10, 80, 40);
  bare.SetParent(form_);
  TFramePaintProbe& bordered = OwnedComponent<TFramePaintProbe>(*form_, WS_BORDER);
  bordered.SetBounds(100, 10, 80, 40);
  bordered.SetParent(form_);
  TFramePaintProbe& scrolled = OwnedComponent<TFramePaintProbe>(*form_, WS_VSCROLL);
  scrolled.SetBounds(190, 10, 80, 40);
  scrolled.SetParent(form_);
  Show();
  const auto frame_paints_of = [](HWND window) {
    frame_paints = 0;
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    return frame_paints;
  };
  EXPECT_EQ(frame_paints_of(bare.Handle()), 0);
  EXPECT_EQ(frame_paints_of(bordered.Handle()), 1);
  EXPECT_EQ(frame_paints_of(scrolled.Handle()), 1);
}

TEST(ClassNames, AreTheMostDerivedClassWithoutNamespaces) {
  TApplication app(nullptr);
  auto bit = MakeComponent<TBitBtn>();
  TButton& as_button = *bit;
  EXPECT_EQ(ClassNameOf(as_button), "TBitBtn");
  auto probe = MakeComponent<TProbe>();
  EXPECT_EQ(ClassNameOf(*probe), "TProbe");
  TSpeedButton speed(nullptr);
  EXPECT_EQ(GetEnumPropName(speed, "Layout"), "blGlyphLeft");
  EXPECT_TRUE(SetPropText(speed, "Layout", "blGlyphTop"));
  EXPECT_EQ(speed.Layout, blGlyphTop);
  EXPECT_EQ(GetIntProp(speed, "Margin"), -1);
  EXPECT_NE(GetObjectProp(speed, "Glyph"), nullptr);
}

}  // namespace
