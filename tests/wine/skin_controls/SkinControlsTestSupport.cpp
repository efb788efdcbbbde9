#include "tests/wine/skin_controls/SkinControlsTestSupport.h"

#include <cstdlib>

#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/SettledMouse.h"

SkinControlsTest::SkinControlsTest() {
  Park();
}

TForm& SkinControlsTest::ShowSkinned(int skin, const std::function<void(TForm&)>& build,
                                     const TFormStyle& style) {
  TForm& form = MakeForm(style);
  build(form);
  TSkinData& data = MakeData(form, skin);
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  // A busy machine may take its time over the first window of a run.
  EXPECT_TRUE(PumpUntil(
      [&] {
        TWinSkinForm* engine = EngineOf(form.Handle());
        return engine && engine->Finished() && engine->SkinState() == ksActive;
      },
      15000));
  Pump(100);
  return form;
}

TSkinControl* SkinControlsTest::ObjectOf(TForm& form, const TComponent& control) {
  TWinSkinForm* engine = EngineOf(form.Handle());
  if (!engine) return nullptr;
  for (const auto& object : engine->Controls()) {
    if (object->Skinned() == &control) return object.get();
  }
  return nullptr;
}

void SkinControlsTest::SwitchSkin(TForm& form, TSkinData& data, bool on) {
  data.SetActive(on);
  Flush();
  if (on) {
    EXPECT_TRUE(WaitSkinned(form.Handle()));
  }
  Pump(150);
}

void SkinControlsTest::MoveTo(POINT p) {
  MoveAndSettle(App(), p);
}

void SkinControlsTest::Click(POINT p) {
  MoveTo(p);
  input::Click(p.x, p.y);
  Pump(150);
}

void SkinControlsTest::Park() {
  const POINT corner{GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5};
  input::MoveTo(corner.x, corner.y);
}

POINT SkinControlsTest::ScreenPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

POINT SkinControlsTest::ScreenPoint(const TGraphicControl& control, int x, int y) {
  return ScreenPoint(control.Parent()->Handle(), control.Left() + x, control.Top() + y);
}

RECT SkinControlsTest::ScreenRect(const TGraphicControl& control) {
  const POINT p = ScreenPoint(control, 0, 0);
  return RECT{p.x, p.y, p.x + control.Width(), p.y + control.Height()};
}

int SkinControlsTest::ButtonCell(const RECT& rect, const TSkinData& data) {
  const TBitmap shot = Capture(rect);
  double best = 0;
  int cell = 0;
  for (int k = 1; k <= 5; ++k) {
    TBitmap expected(shot.Width(), shot.Height(), data.Colours().ButtonFace);
    DrawSkinCell(expected, expected.BoundsRect(), data.Buttons(), 5, k);
    const double share = MatchingShare(shot, expected, 6);
    if (share > best) {
      best = share;
      cell = k;
    }
  }
  return best > 0.6 ? cell : 0;
}

int CountColour(const TBitmap& shot, TColor colour, int tolerance) {
  const TColor c = ColorToRGB(colour);
  int count = 0;
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      const TColor p = shot.Pixel(x, y);
      if (std::abs(RedOf(p) - RedOf(c)) <= tolerance &&
          std::abs(GreenOf(p) - GreenOf(c)) <= tolerance &&
          std::abs(BlueOf(p) - BlueOf(c)) <= tolerance) {
        ++count;
      }
    }
  }
  return count;
}

int RowBands(const TBitmap& shot, TColor colour, int tolerance) {
  const TColor c = ColorToRGB(colour);
  int bands = 0;
  bool in_band = false;
  for (int y = 0; y < shot.Height(); ++y) {
    bool hit = false;
    for (int x = 0; x < shot.Width() && !hit; ++x) {
      const TColor p = shot.Pixel(x, y);
      hit = std::abs(RedOf(p) - RedOf(c)) <= tolerance &&
            std::abs(GreenOf(p) - GreenOf(c)) <= tolerance &&
            std::abs(BlueOf(p) - BlueOf(c)) <= tolerance;
    }
    if (hit && !in_band) ++bands;
    in_band = hit;
  }
  return bands;
}
