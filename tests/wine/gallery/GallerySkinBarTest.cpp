// The gallery's bar of skin choices in windows narrower than its buttons (a
// high DPI on a small screen, or a window made narrow): the buttons wrap
// into rows inside the bar, none cut off, none over another, and the
// controls below move down with the bar.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Dpi.h"
#include "framework/GraphicControl.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tools/gallery/GalleryForm.h"

namespace {

class GallerySkinBarTest : public SkinEngineTest {
 protected:
  TGalleryForm& Open() {
    TGalleryStart start;
    start.stored = 1;  // Nightfall
    form_ = &OwnedComponent<TGalleryForm>(App(), Environment(), start);
    form_->Show();
    Pump(300);
    for (int i = 0; i < form_->ControlCount() && !bar_; ++i) {
      auto* panel = dynamic_cast<TPanel*>(form_->Controls(i));
      if (panel && panel->Align() == alTop) bar_ = panel;
    }
    return *form_;
  }

  // Every button of the bar, in screen pixels.
  std::vector<RECT> ButtonRects() const {
    std::vector<RECT> rects;
    const TPanel& bar = *bar_;
    for (int i = 0; i < bar.GraphicControlCount(); ++i) {
      if (dynamic_cast<TSpeedButton*>(bar.GraphicControls(i))) {
        rects.push_back(ScaledBounds(*bar.GraphicControls(i)));
      }
    }
    if (TButton* open = OpenButton()) rects.push_back(ScaledBounds(*open));
    return rects;
  }
  // Makes the window `width` units wide, as dragging its edge would.
  void Resize(int width) {
    RECT r{};
    GetWindowRect(form_->Handle(), &r);
    SetWindowPos(form_->Handle(), nullptr, 0, 0, ScaleForDpi(width, WindowDpi(form_->Handle())),
                 r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(300);
  }
  // The bar's one windowed button, which opens a skin file.
  TButton* OpenButton() const {
    for (int i = 0; i < bar_->ControlCount(); ++i) {
      if (auto* button = dynamic_cast<TButton*>(bar_->Controls(i))) return button;
    }
    return nullptr;
  }
  // A child's bounds within the bar, in the bar's pixels.
  template <class T>
  RECT ScaledBounds(const T& control) const {
    const int dpi = WindowDpi(form_->Handle());
    return {ScaleForDpi(control.Left(), dpi), ScaleForDpi(control.Top(), dpi),
            ScaleForDpi(control.Left() + control.Width(), dpi),
            ScaleForDpi(control.Top() + control.Height(), dpi)};
  }

  void ExpectButtonsInsideTheBarApart() const {
    RECT bar{};
    GetClientRect(bar_->Handle(), &bar);
    const std::vector<RECT> rects = ButtonRects();
    ASSERT_EQ(rects.size(), 7u) << "five skins, no skin, a file";
    for (size_t i = 0; i < rects.size(); ++i) {
      SCOPED_TRACE(i);
      RECT inside{};
      IntersectRect(&inside, &rects[i], &bar);
      EXPECT_TRUE(EqualRect(&inside, &rects[i]))
          << "button " << rects[i].left << "," << rects[i].top << " - " << rects[i].right << ","
          << rects[i].bottom << " outside the bar's " << bar.right << " x " << bar.bottom;
      for (size_t j = 0; j < i; ++j) {
        RECT both{};
        EXPECT_FALSE(IntersectRect(&both, &rects[i], &rects[j])) << "over button " << j;
      }
    }
    // The open button, a real window, is where its bounds say.
    ASSERT_NE(OpenButton(), nullptr);
    RECT open{};
    GetWindowRect(OpenButton()->Handle(), &open);
    MapWindowPoints(nullptr, bar_->Handle(), reinterpret_cast<POINT*>(&open), 2);
    EXPECT_LE(open.right, bar.right);
    EXPECT_LE(open.bottom, bar.bottom);
  }

  TGalleryForm* form_ = nullptr;
  TPanel* bar_ = nullptr;  // the bar of skin choices
};

TEST_F(GallerySkinBarTest, ButtonsWrapIntoRowsInANarrowWindowAndComeBackToOneRow) {
  TGalleryForm& form = Open();
  ASSERT_NE(bar_, nullptr);
  const int one_row = bar_->Height();
  ExpectButtonsInsideTheBarApart();

  // Narrower than the bar's seven buttons: they take more rows, the bar
  // grows and the gallery's box starts below it.
  Resize(420);
  Pump(300);
  EXPECT_GT(bar_->Height(), one_row);
  ExpectButtonsInsideTheBarApart();
  TScrollBox* scroll_box = nullptr;
  for (int i = 0; i < form.ControlCount(); ++i) {
    if (auto* b = dynamic_cast<TScrollBox*>(form.Controls(i))) scroll_box = b;
  }
  ASSERT_NE(scroll_box, nullptr) << "the gallery's box";
  RECT bar{}, box{};
  GetWindowRect(bar_->Handle(), &bar);
  GetWindowRect(scroll_box->Handle(), &box);
  EXPECT_GE(box.top, bar.bottom) << "the box starts below the bar";

  // Wide again: one row.
  Resize(1000);
  Pump(300);
  EXPECT_EQ(bar_->Height(), one_row);
  ExpectButtonsInsideTheBarApart();
}

// The gallery's tool bar (a bare window of the tool-bar class), or null.
HWND FindToolBar(HWND window) {
  HWND found = nullptr;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM out) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        if (std::wstring(name) != TOOLBARCLASSNAMEW) return TRUE;
        *reinterpret_cast<HWND*>(out) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(GallerySkinBarTest, ToolBarImagesAndButtonsTakeTheWindowsScale) {
  TGalleryForm& form = Open();
  const int dpi = WindowDpi(form.Handle());
  const HWND bar = FindToolBar(form.Handle());
  ASSERT_NE(bar, nullptr);
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(bar, TB_GETIMAGELIST, 0, 0));
  ASSERT_NE(images, nullptr);
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  // The images are 16 units square, like the text beside them scaled.
  EXPECT_EQ(width, ScaleForDpi(16, dpi));
  EXPECT_EQ(height, ScaleForDpi(16, dpi));
  // Every button with an image is tall enough to show it whole.
  for (int i = 0; i < static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0)); ++i) {
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (button.fsStyle & BTNS_SEP || button.iBitmap < 0) continue;
    RECT r{};
    SendMessageW(bar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    EXPECT_GE(r.bottom - r.top, height) << "button " << i;
  }
}

}  // namespace
