// Spin buttons: the framework's up-down and spin edit with real input, and
// their skinned look read back from the screen: a spin edit's buttons
// inside its border three pixels from its edges, the skin's cells at rest,
// under the mouse and held down, clicks on them stepping the value, a
// stand-alone pair upright and side by side, and the plain look of a skin
// without the images.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "framework/SpinEdit.h"
#include "framework/UpDown.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/skin_fields/FieldsTestSupport.h"
#include "tests/wine/skin_fields/SpinTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

class SpinTest : public SpinFixture {
 protected:
  // Cell `frame` of an up-down strip with its arrow, as the screen should
  // show it over `under` in a part of `width` x `height`.
  static TBitmap ExpectedPart(const TDataSkinBorder& object, int frame, int width, int height,
                              TColor under) {
    TBitmap expected = fields::ExpectedCell(object, 8, frame, width, height, under);
    TDataSkinObject glyph;
    glyph.Bitmap = object.Bitmap2;
    const int gw = std::min(glyph.Bitmap.Width() / 8, width);
    const int gh = std::min(glyph.Bitmap.Height(), height);
    expected.Draw((width - gw) / 2, (height - gh) / 2, RenderSkinCell(glyph, gw, gh, 8, frame),
                  true, clFuchsia);
    return expected;
  }
  // How well `part` of the screen matches cell `frame`.
  static double PartShare(const RECT& part, const TDataSkinBorder& object, int frame,
                          TColor under) {
    const int w = part.right - part.left, h = part.bottom - part.top;
    return MatchingShare(Capture(part), ExpectedPart(object, frame, w, h, under), 8);
  }
};

TEST_F(SpinTest, SpinEditsAndUpDownsStepWithinTheirRanges) {
  // No skin here: the controls' own behaviour.
  TForm& form = MakeForm(MainLikeStyle());
  TSpinEdit& spin = OwnedComponent<TSpinEdit>(form);
  spin.SetBounds(20, 20, 120, 24);
  spin.SetParent(&form);
  spin.SetMaxValue(20);
  spin.SetIncrement(3);
  TUpDown& updown = OwnedComponent<TUpDown>(form);
  updown.SetBounds(200, 20, 17, 40);
  updown.SetParent(&form);
  updown.SetMax(3);
  int spin_changes = 0, updown_changes = 0, next_clicks = 0;
  spin.OnChange = [&](TObject*) { ++spin_changes; };
  updown.OnChange = [&](TObject*) { ++updown_changes; };
  updown.OnClick = [&](TObject*, TUDBtnType b) { next_clicks += b == btNext; };
  form.Show();
  SetForegroundWindow(form.Handle());
  Pump(200);

  spin.SetValue(99);
  EXPECT_EQ(spin.Value(), 20);
  EXPECT_EQ(spin.Text(), L"20");
  spin.SetValue(-5);
  EXPECT_EQ(spin.Value(), 0);
  spin.SetText(L"abc");
  EXPECT_EQ(spin.Value(), 0) << "no number reads as the minimum";

  // Typed: the value and the buttons follow, OnChange tells.
  SetFocus(spin.Handle());
  SendMessageW(spin.Handle(), EM_SETSEL, 0, -1);
  spin_changes = 0;
  input::Key('7');
  ASSERT_TRUE(PumpUntil([&] { return spin.Text() == L"7"; }));
  EXPECT_EQ(spin.Value(), 7);
  EXPECT_EQ(spin.Button().Position(), 7);
  EXPECT_GE(spin_changes, 1);
  // The up key steps by the increment.
  input::Key(VK_UP);
  ASSERT_TRUE(PumpUntil([&] { return spin.Value() == 10; }));

  // Clicks on the buttons inside the edit: up, then down twice.
  const RECT b = WindowRect(spin.Button().Handle());
  Click({(b.left + b.right) / 2, b.top + 3});
  ASSERT_TRUE(PumpUntil([&] { return spin.Value() == 13; })) << spin.Value();
  Click({(b.left + b.right) / 2, b.bottom - 3});
  Click({(b.left + b.right) / 2, b.bottom - 3});
  ASSERT_TRUE(PumpUntil([&] { return spin.Value() == 7; })) << spin.Value();

  // A stand-alone pair stops at its maximum.
  const RECT u = WindowRect(updown.Handle());
  for (int i = 0; i < 5; ++i) Click({(u.left + u.right) / 2, u.top + 4});
  ASSERT_TRUE(PumpUntil([&] { return updown.Position() == 3; })) << updown.Position();
  EXPECT_EQ(updown_changes, 3);
  EXPECT_GE(next_clicks, 3);
  Click({(u.left + u.right) / 2, u.bottom - 4});
  ASSERT_TRUE(PumpUntil([&] { return updown.Position() == 2; }));
}

TEST_F(SpinTest, ASpinEditsButtonsAreSkinnedInsideItsBorderAndStepTheValue) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TSpinEdit* spin = nullptr;
    int changes = 0;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      spin = &Add<TSpinEdit>(f, f, 20, 20, 120, 26);
      spin->SetMaxValue(50);
      spin->SetIncrement(5);
      spin->SetValue(10);
      spin->OnChange = [&](TObject*) { ++changes; };
    });
    TSkinData& data = DataOf(form);
    auto* object = dynamic_cast<TSkinUpDown*>(ObjectOf(form, spin->Button()));
    ASSERT_TRUE(object);
    EXPECT_TRUE(object->Embedded());
    Redraw(spin->Handle());
    SaveShot(form.Handle(), std::string("spin-edit-") + kSkinFiles[skin]);

    // Three pixels from the edit's top, right and bottom edges.
    const RECT edit = WindowRect(spin->Handle());
    const RECT buttons = ButtonsScreenRect(*object);
    EXPECT_EQ(buttons.top - edit.top, 3);
    EXPECT_EQ(edit.right - buttons.right, 3);
    EXPECT_EQ(edit.bottom - buttons.bottom, 3);
    // The gap above them is the edit's text area.
    const TColor window = ColorToRGB(data.Colours().Window) & 0xFFFFFF;
    const TBitmap gap = Capture({buttons.left, edit.top + 2, buttons.right, edit.top + 3});
    EXPECT_EQ(CountColour(gap, window, 2), gap.Width());

    // At rest both buttons show their first cells, the arrows on them.
    const TDataSkinBorder& vert = *data.BorderObject(ssUpDownVert);
    const RECT up = Half(buttons, false, 0), down = Half(buttons, false, 1);
    EXPECT_GT(PartShare(up, vert, 1, window), 0.9);
    EXPECT_GT(PartShare(down, vert, 5, window), 0.9);

    // Under the mouse the up button is hot, held down it is pressed; the
    // down button stays at rest.
    const POINT up_centre{(up.left + up.right) / 2, (up.top + up.bottom) / 2};
    const POINT down_centre{(down.left + down.right) / 2, (down.top + down.bottom) / 2};
    MoveTo(up_centre);
    EXPECT_TRUE(PumpUntil([&] { return PartShare(up, vert, 4, window) > 0.9; }, 3000));
    EXPECT_GT(PartShare(down, vert, 5, window), 0.9);
    changes = 0;
    input::Press(up_centre.x, up_centre.y);
    EXPECT_TRUE(PumpUntil([&] { return PartShare(up, vert, 2, window) > 0.9; }, 3000));
    input::Release(up_centre.x, up_centre.y);
    ASSERT_TRUE(PumpUntil([&] { return spin->Value() >= 15; })) << spin->Value();
    const int after_up = spin->Value();
    EXPECT_EQ(after_up % 5, 0);
    EXPECT_GE(changes, 1);
    Click(down_centre);
    ASSERT_TRUE(PumpUntil([&] { return spin->Value() == after_up - 5; })) << spin->Value();
    Park();
    EXPECT_TRUE(PumpUntil([&] { return PartShare(up, vert, 1, window) > 0.9; }, 3000));
    form.Close();
    Pump(50);
  }
}

TEST_F(SpinTest, StandAlonePairsUprightAndSideBySideAndThePlainLook) {
  TUpDown *upright = nullptr, *side = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    upright = &Add<TUpDown>(f, f, 20, 20, 17, 40);
    upright->SetMax(9);
    side = &Add<TUpDown>(f, f, 60, 20, 40, 17);
    side->SetHorizontal(true);
    side->SetMax(9);
    side->SetPosition(5);
  });
  TSkinData& data = DataOf(form);
  auto* up_object = dynamic_cast<TSkinUpDown*>(ObjectOf(form, *upright));
  auto* side_object = dynamic_cast<TSkinUpDown*>(ObjectOf(form, *side));
  ASSERT_TRUE(up_object && side_object);
  EXPECT_FALSE(up_object->Embedded());
  Redraw(upright->Handle());
  Redraw(side->Handle());
  SaveShot(form.Handle(), "updown-pairs-nightfall");
  const TColor face = ColorToRGB(data.Colours().ButtonFace) & 0xFFFFFF;
  const RECT u = WindowRect(upright->Handle()), s = WindowRect(side->Handle());
  // The pair keeps the size it was given (the control would make itself
  // as narrow as one arrow).
  EXPECT_EQ(s.right - s.left, 40);
  EXPECT_EQ(s.bottom - s.top, 17);
  const TDataSkinBorder& vert = *data.BorderObject(ssUpDownVert);
  const TDataSkinBorder& horz = *data.BorderObject(ssUpDownHorz);
  EXPECT_GT(PartShare(Half(u, false, 0), vert, 1, face), 0.9);
  EXPECT_GT(PartShare(Half(u, false, 1), vert, 5, face), 0.9);
  EXPECT_GT(PartShare(Half(s, true, 0), horz, 1, face), 0.9);
  EXPECT_GT(PartShare(Half(s, true, 1), horz, 5, face), 0.9);

  Click({(u.left + u.right) / 2, u.top + 5});
  ASSERT_TRUE(PumpUntil([&] { return upright->Position() == 1; }));
  Click({s.right - 5, (s.top + s.bottom) / 2});
  ASSERT_TRUE(PumpUntil([&] { return side->Position() == 6; }));
  Click({s.left + 5, (s.top + s.bottom) / 2});
  Click({s.left + 5, (s.top + s.bottom) / 2});
  ASSERT_TRUE(PumpUntil([&] { return side->Position() == 4; }));
  Park();

  // Without the strips: plain boxes edged in the skin's dark shadow.
  data.Object(ssUpDownVert)->Bitmap.Clear();
  data.Object(ssUpDownHorz)->Bitmap.Clear();
  Redraw(upright->Handle());
  Redraw(side->Handle());
  const TColor dark = ColorToRGB(data.Colours().ButtonDkShadow) & 0xFFFFFF;
  const TBitmap plain_up = Capture(u);
  EXPECT_TRUE(fields::Near(plain_up.Pixel(0, 0), dark, 2));
  EXPECT_TRUE(fields::Near(plain_up.Pixel(2, 3), face, 2));
  SaveShot(form.Handle(), "updown-plain-nightfall");
  EXPECT_LT(MatchingShare(Capture(Half(u, false, 0)), ExpectedPart(vert, 1, 17, 20, face), 8), 0.5);
  const TBitmap plain_side = Capture(s);
  EXPECT_TRUE(fields::Near(plain_side.Pixel(0, 0), dark, 2));
  // Still working.
  Click({(u.left + u.right) / 2, u.bottom - 5});
  ASSERT_TRUE(PumpUntil([&] { return upright->Position() == 0; }));
}

}  // namespace
