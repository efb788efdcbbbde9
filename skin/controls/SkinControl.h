#pragma once
// TSkinControl: the skinning object of one child control. It takes over the
// control's messages (a framework control's WindowProc, a bare window's
// procedure through a subclass layer, or a windowless control's WindowProc),
// lets its class handle or pre-empt each one (BeforeMessage), passes the
// rest on to the previous procedure and looks at them again afterwards
// (AfterMessage), and paints the control from the skin. It gives back what
// it took: the procedure when it goes, colours and settings in Restore.
//
// Ownership: the form engine owns these objects in its list of skinned
// controls; the object only borrows the control (it hears of the control's
// end through the framework's free notification), the skin data and the
// engine. Everything runs on the user-interface thread.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/Graphics.h"
#include "framework/Subclass.h"
#include "framework/WndMethodLayer.h"
#include "skin/controls/BackBuffer.h"

class TGraphicControl;
class TSkinData;
class TWinSkinForm;

// Life states: made, attached and painting, given back (containers that only
// recolour), or the window has been destroyed (the engine frees such
// objects at its next purge).
enum TSkinControlLife { slCreated = 0, slAttached = 1, slRestored = 2, slDestroyed = 6 };

// Bits of the mouse state: the mouse is over the control, the left button
// (or the space key) is down on it.
inline constexpr unsigned kMouseHot = 1;
inline constexpr unsigned kMousePressed = 2;

class TSkinControl : public TComponent {
 public:
  explicit TSkinControl(TComponent* owner = nullptr);
  ~TSkinControl() override;

  // --- attaching; a second call on an attached object does nothing
  // A framework windowed control: its WindowProc is replaced. With
  // `change_colour` the control takes the skin's face colour (and its texts
  // the skin's text colour) until Restore.
  virtual void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                           bool change_colour);
  // A window without a framework object: subclassed.
  virtual void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form);
  // A windowless control: its WindowProc is replaced.
  virtual void InitGraphic(TGraphicControl& control, TWinSkinForm& form, TSkinData& data);

  // Gives back what the attach changed (colours, settings) while the
  // control lives; the procedure comes back when the object goes.
  virtual void Restore();
  // The skin's images or colours changed: colours again, then repaint.
  virtual void SkinChanged();
  virtual bool CanSkin() { return true; }

  TSkinControlLife LifeState() const { return life_; }
  HWND Handle() const { return handle_; }
  // The DPI the control shows at: the framework control's, else its own
  // window's, or its form's for a windowless control; the skin's images are
  // scaled to it.
  int Dpi() const;
  // A bare window inside a framework control (a picker's own up-down) shows
  // at that control's DPI, which the form tells of a change before the
  // system's window DPI may show it. Set before the attach.
  void FollowDpiOf(TWinControl& host);
  TWinControl* Control() const { return control_; }
  TGraphicControl* Graphic() const { return graphic_; }
  // The framework object skinned (windowed or windowless), or null.
  TComponent* Skinned() const;
  TSkinData* Data() const { return data_; }
  TWinSkinForm* Form() const { return form_; }
  bool SkinActive() const { return skin_active_; }
  int Mode() const { return mode_; }
  void SetMode(int mode) { mode_ = mode; }
  unsigned MouseState() const { return mouse_state_; }
  bool ChangeColour() const { return change_colour_; }
  // For objects made by the program's own OnSkinControl handler: whether
  // the attach is to recolour the control.
  void SetChangeColour(bool on) { change_colour_ = on; }
  bool Initialized() const { return initialized_; }
  // The class name of the skinned object, or the window class of a bare
  // window.
  std::string SkinnedClassName() const;

  // Paints the control again now.
  virtual void Repaint();

 protected:
  void Notification(TComponent* component, TOperation operation) override;

  // True passes the message on to the previous procedure, after which
  // AfterMessage sees it; false means it has been dealt with.
  virtual bool BeforeMessage(TMessage& m);
  virtual void AfterMessage(TMessage& m);
  // Paints the whole window into `dc` (the window DC when null).
  virtual void PaintWindow(HDC dc);
  // The skinned look into `dc`; `rect` is the window rectangle at (0, 0).
  virtual void DrawTo(HDC, const TRect&) {}

  void CallPrevious(TMessage& m);
  // WM_PAINT: the whole window through DrawTo (BeginPaint unless the DC
  // came in wParam).
  void PaintMessage(TMessage& m);
  // WM_PAINT and WM_ERASEBKGND of a control drawn whole from one skin image:
  // with the image (`skinned`) painted through DrawTo over no erased
  // background; without it passed on, so the control looks as the system
  // draws it. For those two, the answer BeforeMessage gives (true: pass
  // on); for any other message, none.
  std::optional<bool> PaintWholeOrPassOn(TMessage& m, bool skinned);
  // WM_ERASEBKGND: the parent's background under a framework control, the
  // parent's colour otherwise.
  void EraseMessage(TMessage& m);
  // The parent draws itself into `dc` where the control lies.
  void DrawParentBackground(HDC dc);
  void FillSkinColor(HDC dc, const TRect& rect) const;
  void FillParentColor(HDC dc, const TRect& rect) const;
  static void FillColour(HDC dc, const TRect& rect, TColor colour);
  // `flags` with DT_RTLREADING for a control that reads right to left.
  UINT TextFlags(UINT flags) const;
  // A focus rectangle around `caption_` as DrawText places it in `rect`.
  void DrawFocusAroundText(HDC dc, UINT flags, const TRect& rect);
  // Hands a swallowed left press to the framework control's own mouse-down
  // handling, so its event still fires.
  void ForwardMouseDown(const TMessage& m);
  // Asks for WM_MOUSELEAVE on the window.
  void TrackMouseLeave() const;
  // Whether the cursor is over the window now (after a press held the
  // mouse, the system may not tell of a leave that happened meanwhile).
  bool CursorOverWindow() const;
  // The skin's colours, resolved.
  TColor FaceColour() const;
  // The control's caption (its Caption property, or the window text).
  std::wstring ReadCaption() const;
  std::wstring WindowText() const;
  // The font of the control (or WM_GETFONT of a bare window), and its text
  // colour: the font's own, else the skin's button text colour.
  HFONT ControlFont() const;
  TColor ControlTextColour() const;
  // Whether the system shows focus rectangles and accelerator underlines in
  // this window now (they stay hidden until the keyboard is used).
  bool ShowFocusCues() const;
  bool ShowAccelerators() const;
  DWORD Style() const;
  // Whether the control can be used: neither it nor a container of it in
  // its window is greyed. (A window greyed by a dialog over it keeps its
  // controls' looks.)
  bool EnabledInItsWindow() const;

  unsigned mouse_state_ = 0;
  bool enabled_ = true;
  bool focused_ = false;
  std::wstring caption_;
  TSkinData* data_ = nullptr;
  TWinSkinForm* form_ = nullptr;
  HWND handle_ = nullptr;
  TWinControl* control_ = nullptr;
  TGraphicControl* graphic_ = nullptr;
  TRect window_rect_;
  bool change_colour_ = false;
  TColor old_colour_ = clDefault;
  TColor old_font_colour_ = clDefault;
  bool initialized_ = false;
  TSkinControlLife life_ = slCreated;
  int mode_ = 0;
  bool parent_background_cleared_ = false;
  TBackBuffer buffer_;

  // False once the object has gone (see SkinWindowProc).
  std::shared_ptr<bool> AliveToken() const { return alive_; }

  // The part of every attach to a framework control: the control, skin data
  // and engine borrowed, and the framework telling us when the control goes.
  void Adopt(TWinControl& control, TWinSkinForm& form, TSkinData& data);

  // The colour step of attaching and restoring (change colour only).
  void TakeColours();
  void GiveColoursBack();

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR ref);
  void SkinWindowProc(TMessage& m);
  void ParentBackgroundStep(bool attaching);
  void GiveProcedureBack();

  bool skin_active_ = true;
  // Borrowed: the framework telling us when it goes clears it.
  TWinControl* dpi_host_ = nullptr;
  // Our layer on a framework or windowless control's WindowProc.
  TWndMethodLayer layer_;
  TWindowSubclass subclass_;  // bare windows
  // Set while a message is inside SkinWindowProc: whether the previous
  // procedure has had it (a failure after that must not pass it twice).
  bool* passed_on_ = nullptr;
  // Cleared when the object goes: a handler may end the object it runs in
  // (a click that switches the skin off), and nothing of it is touched then.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
