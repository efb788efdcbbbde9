#pragma once
// TSkinUpDown: spin buttons (an up-down control) drawn from the skin's
// "UpDown.Vert" strip (up, down) or "UpDown.Horz" strip (left, right), four
// cells per button (normal, pressed, disabled, hot) with the arrows of each
// strip's glyph image centred on them. Without the strip each button is a
// plain box in the skin's colours with a small arrow. Inside an edit the
// buttons keep three pixels (scaled to the DPI) from the edit's outer
// edges, on the edit's content colour.
#include "skin/controls/SkinControl.h"

class TDataSkinObject;

class TSkinUpDown : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

  // Set by the edit that found this one inside itself.
  void SetEmbedded(bool on) { embedded_ = on; }
  bool Embedded() const { return embedded_; }
  // Set for a pair that lies side by side although the control's style
  // says nothing of it.
  void SetHorizontal(bool on) { horizontal_ = on; }

  // The rectangle the buttons are drawn in (window coordinates).
  TRect ButtonsRect() const;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  bool Horizontal() const;
  // The button under `client` point: 0 the first (up or left), 1 the
  // second, -1 none.
  int PartAt(POINT client) const;
  int StateOf(int part, int cursor_part) const;
  void DrawPart(const TRect& r, int button, int state, const TDataSkinObject* object);
  void DrawPlainPart(const TRect& r, int button, int state);
  void SetHotPart(int part);

  bool embedded_ = false;
  bool horizontal_ = false;
  int hot_part_ = -1;
};

// The first child of `parent` that is the system's up-down control (a tab
// control's scroller, a picker's arrows), or null.
HWND UpDownChildOf(HWND parent);
