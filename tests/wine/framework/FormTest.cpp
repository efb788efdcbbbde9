// Forms and the screen on real windows: the list of forms and the active
// one, border styles and caption buttons, the background colour as painted,
// sizes by property name, and the program's icon (this test program links an
// icon resource of its own, red at 32 x 32 and blue at 16 x 16).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/Application.h"
#include "framework/BitmapWin32.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "tests/wine/framework/InputSupport.h"

namespace {

using namespace std::chrono_literals;
using input::PumpFor;

TFormStyle Style(int client_width, int client_height, TFormBorderStyle border = bsSingle,
                 TBorderIcons icons = {biSystemMenu, biMinimize}) {
  TFormStyle style;
  style.caption = L"Form test";
  style.client_width = client_width;
  style.client_height = client_height;
  style.border_style = border;
  style.border_icons = icons;
  return style;
}

DWORD StyleOf(const TForm& form) {
  return static_cast<DWORD>(GetWindowLongPtrW(form.Handle(), GWL_STYLE));
}
DWORD ExStyleOf(const TForm& form) {
  return static_cast<DWORD>(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE));
}
SIZE ClientSize(const TForm& form) {
  RECT r;
  GetClientRect(form.Handle(), &r);
  return {r.right, r.bottom};
}
SIZE WindowSize(const TForm& form) {
  RECT r;
  GetWindowRect(form.Handle(), &r);
  return {r.right - r.left, r.bottom - r.top};
}

// --- screen

TEST(Screen, ListsFormsInCreationOrderWhileTheyExist) {
  TApplication app(nullptr);
  const int before = Screen().FormCount();
  auto a = MakeComponent<TForm>(Style(100, 100));
  auto b = MakeComponent<TForm>(Style(100, 100));
  TForm& c = OwnedComponent<TForm>(app, Style(100, 100));
  ASSERT_EQ(Screen().FormCount(), before + 3);
  EXPECT_EQ(Screen().Forms(before), a.get());
  EXPECT_EQ(Screen().Forms(before + 1), b.get());
  EXPECT_EQ(Screen().Forms(before + 2), &c);
  EXPECT_THROW(Screen().Forms(before + 3), EListError);
  EXPECT_THROW(Screen().Forms(-1), EListError);

  b.reset();
  ASSERT_EQ(Screen().FormCount(), before + 2);
  EXPECT_EQ(Screen().Forms(before), a.get());
  EXPECT_EQ(Screen().Forms(before + 1), &c);
  // A form owned by another component leaves with its owner.
  app.DestroyComponents();
  ASSERT_EQ(Screen().FormCount(), before + 1);
  EXPECT_EQ(Screen().Forms(before), a.get());
  a.reset();
  EXPECT_EQ(Screen().FormCount(), before);
}

TEST(Screen, ActiveFormFollowsTheActiveWindow) {
  TApplication app(nullptr);
  auto a = MakeComponent<TForm>(Style(200, 150));
  auto b = MakeComponent<TForm>(Style(200, 150));
  a->Show();
  b->Show();
  SetWindowPos(a->Handle(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(b->Handle(), nullptr, 500, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpFor(app, 100ms);

  SetActiveWindow(a->Handle());
  EXPECT_EQ(Screen().ActiveForm(), a.get());
  SetActiveWindow(b->Handle());
  EXPECT_EQ(Screen().ActiveForm(), b.get());

  // A real click on the other form activates it.
  const POINT centre = input::ClientCentre(*a);
  input::ClickAt(centre.x, centre.y);
  EXPECT_TRUE(PumpUntil(
      app, [&] { return Screen().ActiveForm() == a.get(); }, 3s));

  // A window that is no form: none is active.
  HWND other = CreateWindowExW(0, L"STATIC", L"not a form", WS_POPUP | WS_VISIBLE | WS_BORDER, 300,
                               400, 100, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetActiveWindow(other);
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(Screen().ActiveForm(), nullptr);
  DestroyWindow(other);

  // The active form's destruction leaves no stale answer behind.
  SetActiveWindow(b->Handle());
  b.reset();
  EXPECT_NE(Screen().ActiveForm(), b.get());
  EXPECT_TRUE(Screen().ActiveForm() == nullptr || Screen().ActiveForm() == a.get());
}

// --- border styles

struct BorderCase {
  TFormBorderStyle border;
  DWORD present;  // style bits the window must have
  DWORD absent;   // and must not
  bool dialog_frame;
  bool sizing_corner;
};

TEST(Form, BorderStylesGiveTheirFramesAndCaptionButtons) {
  TApplication app(nullptr);
  const TBorderIcons all = {biSystemMenu, biMinimize, biMaximize};
  const BorderCase cases[] = {
      {bsNone, WS_POPUP, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX, false, false},
      {bsSingle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
       WS_THICKFRAME | WS_POPUP, false, false},
      {bsSizeable, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
       WS_POPUP, false, true},
      {bsDialog, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, true,
       false},
  };
  for (const BorderCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "border style " << c.border);
    auto form = MakeComponent<TForm>(Style(240, 160, c.border, all));
    form->Show();
    EXPECT_EQ(StyleOf(*form) & c.present, c.present);
    EXPECT_EQ(StyleOf(*form) & c.absent, 0u);
    EXPECT_EQ((ExStyleOf(*form) & WS_EX_DLGMODALFRAME) != 0, c.dialog_frame);
    EXPECT_EQ(ClientSize(*form).cx, 240);
    EXPECT_EQ(ClientSize(*form).cy, 160);

    // What the system makes of it: caption buttons and sizing corners.
    TITLEBARINFO bar{};
    bar.cbSize = sizeof(bar);
    ASSERT_TRUE(GetTitleBarInfo(form->Handle(), &bar));
    if (c.border == bsNone) {
      EXPECT_TRUE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
      EXPECT_EQ(WindowSize(*form).cx, 240);  // no frame at all
    } else {
      EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
      const bool boxes = c.border != bsDialog;
      EXPECT_EQ((bar.rgstate[2] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)) == 0, boxes);
      EXPECT_EQ((bar.rgstate[3] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)) == 0, boxes);
    }
    RECT w;
    GetWindowRect(form->Handle(), &w);
    const LRESULT corner =
        SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.right - 1, w.bottom - 1));
    EXPECT_EQ(corner == HTBOTTOMRIGHT, c.sizing_corner);
  }
}

TEST(Form, TheDefaultStyleIsTheMainWindowsLook) {
  const TWindowStyles s = FormWindowStyles(bsSingle, {biSystemMenu, biMinimize});
  EXPECT_EQ(s.style, static_cast<DWORD>(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                        WS_CLIPCHILDREN));
  EXPECT_EQ(s.ex_style, static_cast<DWORD>(WS_EX_CONTROLPARENT));
  TFormStyle style;
  EXPECT_EQ(style.border_style, bsSingle);
  EXPECT_EQ(style.border_icons, (TBorderIcons{biSystemMenu, biMinimize}));
  // Without the system menu no caption button shows.
  TApplication app(nullptr);
  auto form = MakeComponent<TForm>(Style(200, 100, bsSingle, {biMinimize}));
  TITLEBARINFO bar{};
  bar.cbSize = sizeof(bar);
  ASSERT_TRUE(GetTitleBarInfo(form->Handle(), &bar));
  EXPECT_TRUE(bar.rgstate[5] & STATE_SYSTEM_INVISIBLE);  // the close box
  EXPECT_EQ(StyleOf(*form) & WS_SYSMENU, 0u);
}

TEST(Form, ChangingTheBorderAtRunTimeKeepsTheClientSize) {
  TApplication app(nullptr);
  auto form = MakeComponent<TForm>(Style(300, 200));
  form->Show();
  const SIZE single = WindowSize(*form);

  form->SetBorderStyle(bsSizeable);
  EXPECT_TRUE(StyleOf(*form) & WS_THICKFRAME);
  EXPECT_TRUE(StyleOf(*form) & WS_VISIBLE);
  EXPECT_EQ(ClientSize(*form).cx, 300);
  EXPECT_EQ(ClientSize(*form).cy, 200);
  EXPECT_GT(WindowSize(*form).cx, single.cx);  // the sizing frame is wider

  ASSERT_TRUE(SetPropText(*form, "BorderStyle", "bsNone"));
  EXPECT_EQ(form->BorderStyle(), bsNone);
  EXPECT_EQ(StyleOf(*form) & WS_CAPTION, 0u);
  EXPECT_EQ(WindowSize(*form).cx, 300);
  EXPECT_EQ(WindowSize(*form).cy, 200);

  form->SetBorderStyle(bsDialog);
  EXPECT_TRUE(ExStyleOf(*form) & WS_EX_DLGMODALFRAME);
  EXPECT_EQ(ClientSize(*form).cx, 300);
  EXPECT_EQ(ClientSize(*form).cy, 200);

  form->SetBorderStyle(bsSingle);
  EXPECT_EQ(ExStyleOf(*form) & WS_EX_DLGMODALFRAME, 0u);
  EXPECT_EQ(WindowSize(*form).cx, single.cx);
  EXPECT_EQ(WindowSize(*form).cy, single.cy);

  form->SetBorderIcons({biSystemMenu, biMaximize});
  EXPECT_TRUE(StyleOf(*form) & WS_MAXIMIZEBOX);
  EXPECT_EQ(StyleOf(*form) & WS_MINIMIZEBOX, 0u);
  ASSERT_TRUE(SetIntProp(*form, "BorderIcons", TBorderIcons{biSystemMenu}.ToBits()));
  EXPECT_EQ(StyleOf(*form) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
  EXPECT_EQ(GetIntProp(*form, "BorderIcons"), 1);
  EXPECT_EQ(ClientSize(*form).cx, 300);
  EXPECT_EQ(ClientSize(*form).cy, 200);
  EXPECT_FALSE(SetPropText(*form, "BorderStyle", "bsToolWindow"));
  EXPECT_EQ(GetEnumPropName(*form, "BorderStyle"), "bsSingle");
}

// --- sizes

TEST(Form, SizesRoundTripThroughTheirPropertyNames) {
  TApplication app(nullptr);
  auto form = MakeComponent<TForm>(Style(320, 240, bsSizeable));
  const SIZE frame{WindowSize(*form).cx - 320, WindowSize(*form).cy - 240};
  EXPECT_EQ(GetIntProp(*form, "ClientWidth"), 320);
  EXPECT_EQ(GetIntProp(*form, "ClientHeight"), 240);

  ASSERT_TRUE(SetIntProp(*form, "ClientWidth", 411));
  ASSERT_TRUE(SetIntProp(*form, "ClientHeight", 133));
  EXPECT_EQ(ClientSize(*form).cx, 411);
  EXPECT_EQ(ClientSize(*form).cy, 133);
  EXPECT_EQ(GetIntProp(*form, "ClientWidth"), 411);
  EXPECT_EQ(GetIntProp(*form, "ClientHeight"), 133);
  EXPECT_EQ(WindowSize(*form).cx, 411 + frame.cx);
  EXPECT_EQ(GetIntProp(*form, "Width"), 411 + frame.cx);
  EXPECT_EQ(GetIntProp(*form, "Height"), 133 + frame.cy);

  ASSERT_TRUE(SetIntProp(*form, "Width", 500));
  ASSERT_TRUE(SetIntProp(*form, "Height", 300));
  EXPECT_EQ(WindowSize(*form).cx, 500);
  EXPECT_EQ(WindowSize(*form).cy, 300);
  EXPECT_EQ(form->ClientWidth(), 500 - frame.cx);
  EXPECT_EQ(form->ClientHeight(), 300 - frame.cy);
  EXPECT_EQ(form->Width(), 500);
  EXPECT_EQ(form->Height(), 300);
}

// --- colour

// The screen catches up with a window's painting when messages flow.
bool ScreenShows(TApplication& app, POINT at, TColor colour) {
  return PumpUntil(
      app, [&] { return input::ScreenPixel(at.x, at.y) == colour; }, 2s);
}

TEST(Form, ColorPaintsTheClientArea) {
  TApplication app(nullptr);
  auto form = MakeComponent<TForm>(Style(200, 120));
  input::ShowOnTop(app, *form);
  const POINT centre = input::ClientCentre(*form);
  const POINT corner{centre.x - 99, centre.y + 59};
  EXPECT_EQ(form->Color(), clBtnFace);
  EXPECT_TRUE(ScreenShows(app, centre, input::SysColour(COLOR_BTNFACE)));

  form->SetColor(clRed);
  UpdateWindow(form->Handle());
  EXPECT_TRUE(ScreenShows(app, centre, clRed));
  EXPECT_TRUE(ScreenShows(app, corner, clRed));

  // A new colour repaints by itself.
  ASSERT_TRUE(SetIntProp(*form, "Color", clLime));
  EXPECT_EQ(GetIntProp(*form, "Color"), clLime);
  EXPECT_TRUE(ScreenShows(app, centre, clLime));

  // System colours are resolved when painting.
  form->SetColor(clHighlight);
  EXPECT_EQ(GetIntProp(*form, "Color"), clHighlight);
  EXPECT_TRUE(ScreenShows(app, corner, input::SysColour(COLOR_HIGHLIGHT)));
}

// --- icon

TBitmap IconColourImage(HICON icon) {
  ICONINFO info{};
  TBitmap image;
  if (!GetIconInfo(icon, &info)) return image;
  ReadGdiBitmap(info.hbmColor, image);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return image;
}

TEST(Form, NewFormsShowTheProgramsIconInBothSizes) {
  TApplication app(nullptr);
  EXPECT_EQ(app.Icon(), nullptr);  // loaded by Initialize
  app.Initialize();
  ASSERT_NE(app.Icon(), nullptr);
  ASSERT_NE(app.SmallIcon(), nullptr);

  const TBitmap big = IconColourImage(app.Icon());
  const TBitmap small = IconColourImage(app.SmallIcon());
  EXPECT_EQ(big.Width(), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(small.Width(), GetSystemMetrics(SM_CXSMICON));
  // The resource's own image of each size, not one scaled from the other.
  EXPECT_EQ(big.Pixel(big.Width() / 2, big.Height() / 2) & 0xFFFFFF, clRed);
  EXPECT_EQ(small.Pixel(small.Width() / 2, small.Height() / 2) & 0xFFFFFF, clBlue);

  auto form = MakeComponent<TForm>(Style(100, 100));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, ICON_BIG, 0)),
            app.Icon());
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, ICON_SMALL, 0)),
            app.SmallIcon());
}

}  // namespace
