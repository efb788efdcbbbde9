// The gallery's check boxes and radio buttons under every stored skin: the
// states read back from the screen, and pictures of the row for people to
// look at.
#include <windows.h>

#include <string>

#include "framework/CheckBox.h"
#include "framework/RadioGroup.h"
#include "framework/ScrollBox.h"
#include "skin/data/SkinRender.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/ScreenColours.h"
#include "tools/gallery/GalleryForm.h"

namespace {

class GalleryChecksTest : public SkinControlsTest {
 protected:
  template <class T>
  T* Find(TComponent& owner, const std::wstring& caption) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
      auto* c = dynamic_cast<T*>(owner.Components(i));
      if (c && c->Caption() == caption) return c;
    }
    return nullptr;
  }
  // The cell of the check strip the box at the left of `window` shows.
  static int Cell(HWND window, const TBitmap& strip, int cells, const TSkinData& data) {
    RECT client{};
    GetClientRect(window, &client);
    const int w = strip.Width() / cells, h = strip.Height();
    const POINT p = ScreenPoint(window, 0, (client.bottom - h) / 2);
    const TBitmap shot = Capture(RECT{p.x, p.y, p.x + w, p.y + h});
    TDataSkinObject object;
    object.Bitmap = strip;
    object.Trans = 1;
    for (int k = 1; k <= cells; ++k) {
      TBitmap expected(w, h, data.Colours().ButtonFace);
      DrawSkinCell(expected, expected.BoundsRect(), object, cells, k);
      if (MatchingShare(shot, expected, 6) > 0.97) return k;
    }
    return 0;
  }
};

TEST_F(GalleryChecksTest, TheRowShowsEveryStateUnderEveryStoredSkin) {
  auto& gallery = OwnedComponent<TGalleryForm>(App(), Environment(), TGalleryStart{});
  gallery.Show();
  SetForegroundWindow(gallery.Handle());
  ASSERT_TRUE(WaitSkinned(gallery.Handle()));
  TCheckBox* checked = Find<TCheckBox>(gallery, L"已选中");
  TCheckBox* mixed = Find<TCheckBox>(gallery, L"不确定");
  TCheckBox* off = Find<TCheckBox>(gallery, L"禁用（选中）");
  TCheckBox* see_through = Find<TCheckBox>(gallery, L"透明背景");
  TRadioGroup* group = Find<TRadioGroup>(gallery, L"码率");
  ASSERT_TRUE(checked && mixed && off && see_through && group);
  auto* box = dynamic_cast<TScrollBox*>(group->Parent());
  ASSERT_NE(box, nullptr);
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    gallery.ChooseStored(skin);
    Flush();
    EXPECT_TRUE(WaitSkinned(gallery.Handle()));
    box->ScrollTo(0, 880);
    Pump(300);
    const TSkinData& data = *gallery.SkinData1;
    const TDataSkinButton& b = data.Buttons();
    EXPECT_EQ(Cell(checked->Handle(), b.CheckBitmap, b.CheckButtonFrame, data), 5);
    EXPECT_EQ(Cell(mixed->Handle(), b.CheckBitmap, b.CheckButtonFrame, data), 9);
    EXPECT_EQ(Cell(off->Handle(), b.CheckBitmap, b.CheckButtonFrame, data), 8);
    EXPECT_EQ(Cell(group->Button(2).Handle(), b.RadioBitmap, b.RadioButtonFrame, data), 5);
    RECT caption = WindowRect(see_through->Handle());
    caption.left += 16;
    EXPECT_EQ(screen_colours::ReadText(Capture(caption)).back,
              ColorToRGB(RGBColour(46, 120, 128)) & 0xFFFFFF)
        << "the coloured panel behind the see-through box";
    RECT row = WindowRect(checked->Parent()->Handle());
    const RECT radios = WindowRect(group->Handle());
    row.bottom = radios.bottom + 4;
    row.left -= 4;
    row.right = radios.right + 4;
    row.top -= 4;
    SaveShot(row, std::string("gallery-checks-") + kSkinFiles[skin]);
  }
}

}  // namespace
