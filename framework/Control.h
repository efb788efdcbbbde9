#pragma once
// TWinControl: the base of every windowed control and of forms.
//
// Routing: our own window classes link window and object at WM_NCCREATE (the
// pointer comes in lpCreateParams); standard controls (buttons, edits, list
// views …) get a subclass layer (TWindowSubclass), the object being the
// layer's reference data, so further layers stack and come off in any
// order. Either way every message goes through WindowProc, which
// starts as the control's own WndProc and can be replaced (the skin engine
// does that) and given back. A window property links each window handle to
// its object, so a parent can reflect notifications to the child they
// concern (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM arrive at the
// child's WindowProc as CN_BASE + message).
//
// Destroy order: the object stops dispatching (the link is cleared and the
// subclass removed), then its children go, then its window is destroyed.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/GdiObjects.h"
#include "framework/Graphics.h"
#include "framework/Object.h"
#include "framework/Subclass.h"

class TGraphicControl;

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};
using TWndMethod = std::function<void(TMessage& message)>;

// Notifications reflected from a parent to the child they concern.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
// Scroll notifications of scroll-bar controls (lParam is the control).
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;

// Framework notifications sent through WindowProc: the control was shown
// (wParam 1) or hidden (0), was enabled or disabled, and the mouse entered
// or left a windowless control.
constexpr UINT CM_VISIBLECHANGED = 0xB00B;
constexpr UINT CM_ENABLEDCHANGED = 0xB00C;
constexpr UINT CM_MOUSEENTER = 0xB013;
constexpr UINT CM_MOUSELEAVE = 0xB014;

// Framework notification: a form's menu bar was set or its items changed
// (the window already has the new menu handle).
constexpr UINT CM_MENUCHANGED = 0xB015;
// Framework notification sent to a form through WindowProc: a character
// typed with Alt at one of its windows (wParam the character, lParam the
// key data). A form that acts on it (its menu bar's access keys) answers
// non-zero, and the character goes no further.
constexpr UINT CM_DIALOGCHAR = 0xB006;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// A button went down at (X, Y) in the control's client area; `Keys` holds
// the MK_... flags of the message (shift, control, the buttons held).
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, WPARAM Keys, int X, int Y)>;

struct TCreateParams {
  std::wstring class_name;  // a standard class, or empty for our own class
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  DWORD ex_style = 0;
  // The window to make a control without a parent control in (an MDI
  // child form's MDI client); null for a top-level window.
  HWND parent_window = nullptr;
};

// Whether anything of `window` lies outside its client area (a border, a
// caption, scroll bars): what its WM_NCPAINT would draw.
bool HasNonClientArea(HWND window);

class TWinControl : public TComponent {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window, created when the control is given a parent that has one
  // (forms make their own at construction).
  HWND Handle() const { return hwnd_; }
  bool HandleAllocated() const { return hwnd_ != nullptr; }
  static TWinControl* FindControl(HWND hwnd);

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);
  int ControlCount() const { return static_cast<int>(children_.size()); }
  TWinControl* Controls(int index) const { return children_.at(static_cast<size_t>(index)); }

  // A control's bounds are in 96-DPI units of its form, whatever DPI the
  // form is shown at; its window gets them scaled (edges rounded, so that
  // neighbours stay flush). A form's own bounds are screen pixels.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  // The DPI the window is shown at: its form's, taken when the window is
  // made and changed with the form's (WM_DPICHANGED).
  int Dpi() const { return dpi_; }
  // The window's rectangle in its parent's client area: the bounds scaled
  // to Dpi() (for a form, the bounds as they are).
  RECT ScaledBounds() const;
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  RECT ClientRect() const;

  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  HFONT Font() const;
  // The font as the published "Font" property shows it; its colour is the
  // one this control's texts are drawn in (clDefault: the parent's).
  TFont& FontObject();
  TColor EffectiveFontColor() const;
  // The background colour. clDefault takes the parent's, so labels and
  // buttons sit on their container's colour (a form has its own).
  virtual TColor Color() const { return color_; }
  virtual void SetColor(TColor color);
  TColor EffectiveColor() const;
  // Containers that show the parent's background instead of their colour.
  bool ParentBackground() const { return parent_background_; }
  void SetParentBackground(bool on);
  void Invalidate();
  void Repaint();

  // Windowless children (borrowed: each leaves the list when it goes). The
  // control paints them after itself and hands them their mouse messages.
  int GraphicControlCount() const { return static_cast<int>(graphic_controls_.size()); }
  TGraphicControl* GraphicControls(int index) const { return graphic_controls_.at(index); }
  // Paints the visible windowless children into `dc`, a DC of this
  // control's client area.
  void PaintControls(HDC dc);

  TMouseEvent OnMouseDown;
  // The control's mouse-down handling: raises OnMouseDown.
  void MouseDown(TMouseButton button, WPARAM keys, int x, int y);

  // Current message handler; starts as WndProc. Whoever replaces it keeps
  // the previous value and calls it to pass a message on.
  TWndMethod WindowProc;
  // Sends a message through WindowProc, as the window would receive it.
  LRESULT Perform(UINT msg, WPARAM wp, LPARAM lp);

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  virtual void CreateParams(TCreateParams& params);
  // The control's own handling; the default passes the message on to the
  // window's original procedure.
  virtual void WndProc(TMessage& message);
  // The part of the client area that aligned children share (a group box
  // keeps its frame and caption out of it).
  virtual void AdjustClientRect(RECT&) {}
  // Called once the window exists, for control-specific set-up.
  virtual void CreateWnd() {}
  // Whether the bounds are 96-DPI units to scale (child controls) or screen
  // pixels (top-level windows).
  virtual bool ScalesBounds() const { return true; }
  // The control and its children are shown at `dpi` from now on: windows
  // move to their scaled bounds, and each control's DpiChanged scales what
  // it sized itself (list columns, panels).
  void ChangeDpi(int dpi);
  // ChangeDpi in two steps, for a form that takes its new size between
  // them (so that its aligned children are laid out once, at the final
  // size): the whole tree takes `dpi` (answering the DPIs it had, in the
  // order PlaceAtDpi walks), then every window moves to its scaled bounds
  // and each control's DpiChanged runs.
  std::vector<int> TakeDpi(int dpi);
  void PlaceAtDpi(int dpi, const std::vector<int>& old_dpis);
  // Holds back the layout of the control's aligned children for its life:
  // a form taking a new size and DPI passes through sizes on the way (the
  // frame may be measured anew before the window takes its size) and lays
  // its children out once, at the final size, afterwards.
  class TRealignPause {
   public:
    explicit TRealignPause(TWinControl& control) : control_(control) { ++control_.realign_pauses_; }
    ~TRealignPause() { --control_.realign_pauses_; }
    TRealignPause(const TRealignPause&) = delete;
    TRealignPause& operator=(const TRealignPause&) = delete;

   private:
    TWinControl& control_;
  };
  // Sizes a control keeps besides its bounds follow a change of DPI here
  // (the window is already at its new bounds).
  virtual void DpiChanged(int /*old_dpi*/, int /*new_dpi*/) {}
  // Sets the DPI of a window about to be made without a parent control.
  void SetInitialDpi(int dpi) { dpi_ = dpi; }
  // A control of this top-level window received the keyboard focus (forms
  // remember it, to give it back when they are activated again).
  virtual void ControlFocused(TWinControl&) {}
  // Passes a message to the window's own procedure (forms of an MDI
  // window pass theirs to the MDI default procedures instead).
  virtual void DefaultHandler(TMessage& message);
  // Lays out the children that have an alignment.
  void Realign();
  void CreateHandle();
  // Stops dispatching to this object and destroys the window (and with it
  // the child windows). Derived classes whose handlers touch their own
  // fields call it first thing in their destructor.
  void DestroyHandle();

 private:
  static LRESULT CALLBACK OwnClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR ref);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  bool ReflectToChild(TMessage& message);
  // Colours (ControlColour.cpp).
  bool AnswerCtlColor(TMessage& message);
  void EraseWithColour(HDC dc);
  HBRUSH ColourBrush(TColor colour);
  // Windowless children (GraphicControl.cpp).
  friend class TGraphicControl;
  bool RouteToGraphicControl(TMessage& message);
  TGraphicControl* GraphicControlAt(POINT point) const;
  void SetMouseControl(TGraphicControl* under);
  bool MouseStillOver(const TGraphicControl& control);

  HWND hwnd_ = nullptr;
  bool subclassed_ = false;  // a standard control under our subclass
  TWindowSubclass subclass_;
  HFONT font_ = nullptr;  // borrowed: the font of our own windows (WM_SETFONT)
  TWinControl* parent_ = nullptr;
  std::vector<TWinControl*> children_;  // owned elsewhere (by the component owner)
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int dpi_ = 96;            // what the window's pixels are scaled to
  int realign_pauses_ = 0;  // TRealignPause owners alive
  TAlign align_ = alNone;
  std::wstring caption_;
  bool enabled_ = true;
  bool visible_ = true;
  TColor color_ = clDefault;
  bool parent_background_ = false;
  std::unique_ptr<TFont> font_object_;  // made on first use
  TOwnedBrush colour_brush_;            // the last colour answered, in colour_brush_rgb_
  TColor colour_brush_rgb_ = clNone;
  std::vector<TGraphicControl*> graphic_controls_;
  TGraphicControl* mouse_control_ = nullptr;    // the windowless child under the mouse
  TGraphicControl* capture_control_ = nullptr;  // the one a button went down on
};
