#pragma once
// What the skinned-control tests share: forms with controls skinned by one
// of the program's skins, real input that waits until the mouse is where it
// was sent, and which image of the skin a control shows on the screen.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Control.h"
#include "framework/GraphicControl.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinObjects.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"

class SkinControlsTest : public SkinEngineTest {
 protected:
  SkinControlsTest();

  // A main-like form whose controls `build` makes, skinned with stored
  // skin `skin` once shown.
  TForm& ShowSkinned(int skin, const std::function<void(TForm&)>& build,
                     const TFormStyle& style = MainLikeStyle());
  TSkinData& DataOf(TForm& form) { return *EngineOf(form.Handle())->SkinData(); }
  // The skinning object of a control of the form, or null.
  TSkinControl* ObjectOf(TForm& form, const TComponent& control);
  template <class T>
  T& Add(TForm& form, TWinControl& parent, int left, int top, int width, int height,
         const std::wstring& text = L"") {
    T& control = OwnedComponent<T>(form);
    control.SetBounds(left, top, width, height);
    control.SetCaption(text);
    control.SetParent(&parent);
    return control;
  }

  // Switches the form's skin data off or on and waits until it is done.
  void SwitchSkin(TForm& form, TSkinData& data, bool on);

  // The mouse at `p` (screen), staying there; a click there.
  void MoveTo(POINT p);
  void Click(POINT p);
  void Park();  // the mouse far from every test window
  static POINT ScreenPoint(HWND window, int x, int y);
  static POINT ScreenPoint(const TGraphicControl& control, int x, int y);
  static RECT ScreenRect(const TGraphicControl& control);

  // Which of the five images of the skin's "Buttons" strip the screen shows
  // in `rect` (the face colour under it); 0 when none matches at all well.
  int ButtonCell(const RECT& rect, const TSkinData& data);
  int ButtonCell(HWND window, const TSkinData& data) {
    return ButtonCell(WindowRect(window), data);
  }
};

// How many pixels of `shot` lie within `tolerance` of `colour`.
int CountColour(const TBitmap& shot, TColor colour, int tolerance = 24);
// The rows of `shot` that hold a pixel of `colour`, as runs of rows.
int RowBands(const TBitmap& shot, TColor colour, int tolerance = 24);
