#pragma once
// TWinControl: the base of every windowed control and of forms.
//
// Routing: our own window classes link window and object at WM_NCCREATE (the
// pointer comes in lpCreateParams); standard controls (buttons, edits, list
// views …) are subclassed with SetWindowSubclass, the object being the
// subclass's reference data, so further subclass layers stack and come off
// in any order. Either way every message goes through WindowProc, which
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
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Object.h"

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

// Framework notification: a form's menu bar was set or its items changed
// (the window already has the new menu handle).
constexpr UINT CM_MENUCHANGED = 0xB015;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct TCreateParams {
  std::wstring class_name;  // a standard class, or empty for our own class
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  DWORD ex_style = 0;
};

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

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
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
  void Invalidate();
  void Repaint();

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
  void DefaultHandler(TMessage& message);
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

  HWND hwnd_ = nullptr;
  bool subclassed_ = false;  // a standard control under our subclass
  HFONT font_ = nullptr;     // borrowed: the font of our own windows (WM_SETFONT)
  TWinControl* parent_ = nullptr;
  std::vector<TWinControl*> children_;  // owned elsewhere (by the component owner)
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  std::wstring caption_;
  bool enabled_ = true;
  bool visible_ = true;
};
