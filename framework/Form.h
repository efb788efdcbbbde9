#pragma once
// TForm: a top-level window of the program. Its window exists from
// construction; it owns the font its controls share and the brush of its
// background. Forms close through Close(), which the close box also calls:
// OnCloseQuery may refuse, OnClose decides what happens, and the main form's
// closing ends the message loop. An MDI child form closing with caFree is
// freed by its owner soon after, through its frame. Every form is listed by
// Screen() while it exists.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "framework/Control.h"
#include "framework/EnumSet.h"
#include "framework/GdiObjects.h"
#include "framework/Graphics.h"

class TMainMenu;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// The frame of a form: none (a bare popup), a fixed single border, a
// sizing border, or a dialog's modal frame.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
// The caption's system menu and buttons; minimise and maximise boxes need
// the system menu, and a dialog frame shows neither box.
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize };
using TBorderIcons = TEnumSet<TBorderIcon, std::uint8_t>;

struct TWindowStyles {
  DWORD style = 0;
  DWORD ex_style = 0;
};
// The window styles of a form with this border and these icons.
TWindowStyles FormWindowStyles(TFormBorderStyle border_style, TBorderIcons border_icons);

struct TFormStyle {
  std::wstring caption;
  int client_width = 320;
  int client_height = 240;
  // A single fixed border with the system menu and the minimise box only.
  TFormBorderStyle border_style = bsSingle;
  TBorderIcons border_icons = {biSystemMenu, biMinimize};
  bool centred = true;
  std::wstring font_face = L"\u5B8B\u4F53";  // 宋体
  int font_height = -12;
  BYTE font_charset = GB2312_CHARSET;
  // An MDI child form is made inside this MDI client window (its frame's
  // TMdiFrameForm::ClientHandle()); null for a top-level form.
  HWND mdi_client = nullptr;
};

// Posted to an MDI frame by a child form closing with caFree: the frame's
// procedure frees the child (lParam, its window) through its owner, once
// no call of the child is running any more.
constexpr UINT CM_RELEASECHILD = 0xB033;

class TForm : public TWinControl {
 public:
  TForm(TComponent* owner, const TFormStyle& style);
  ~TForm() override;

  void Show();
  // Asks the form to close: OnCloseQuery may refuse, OnClose decides.
  void Close();
  bool MainForm() const { return main_form_; }
  // Made in an MDI client (TFormStyle::mdi_client).
  bool IsMdiChild() const { return style_.mdi_client != nullptr; }
  void SetMainForm(bool main) { main_form_ = main; }

  // The frame and caption buttons; changing them on a live window keeps its
  // client size.
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle border_style);
  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons border_icons);

  // The colour the client area is painted with (system colours are
  // resolved when painting).
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  // The window's real client area; setting it resizes the window around it.
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  // The outer size of the window.
  void SetWidth(int width);
  void SetHeight(int height);

  // The form is shown at `dpi` from now on: its font and controls scale to
  // it, and the window takes `suggested` (screen pixels) or, without one,
  // keeps its client size in 96-DPI units.
  void ApplyDpi(int dpi, const RECT* suggested);
  // The outer size the window needs at `dpi` for its client to keep its
  // size in 96-DPI units.
  SIZE ScaledWindowSize(int dpi) const;

  // The menu bar (borrowed; the form forgets it when it is destroyed). The
  // window gets the menu's handle whenever it is set or its items change,
  // and CM_MENUCHANGED goes through WindowProc.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  void DescribeProperties(TPropertyTable& table) override;

  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  // MDI frames hand what they leave to DefFrameProc, MDI children to
  // DefMDIChildProc.
  void DefaultHandler(TMessage& message) override;
  // An MDI frame names the MDI client it keeps once the client exists.
  void SetFrameClient(HWND client) { frame_client_ = client; }
  HWND FrameClient() const { return frame_client_; }
  void ControlFocused(TWinControl& control) override;

 private:
  friend class TMainMenu;
  // Called by the menu bar when its handle changed, or when it goes.
  void MenuChanged();
  void MenuDestroying(TMainMenu* menu);
  void ApplyWindowStyles();
  // The description's font at `dpi`.
  TOwnedFont MakeFont(int dpi) const;
  // A form's bounds are the window's own, in screen pixels.
  bool ScalesBounds() const override { return false; }
  void SetClientSize(int width, int height);
  void EraseBackground(HDC dc);
  bool RouteMenuMessage(TMessage& message);
  // Frees the MDI child form of window `child` that asked to be freed.
  void ReleaseChild(HWND child);
  // Gives the keyboard focus back to the control that had it last; false
  // when that control has gone or cannot take it now.
  bool RestoreFocus();

  TFormStyle style_;
  TFormBorderStyle border_style_;
  TBorderIcons border_icons_;
  TColor color_ = clBtnFace;
  TOwnedFont font_;
  TOwnedBrush brush_;          // the background, in brush_rgb_
  TColor brush_rgb_ = clNone;  // what brush_ was made with
  TMainMenu* menu_ = nullptr;
  bool main_form_ = false;
  HWND frame_client_ = nullptr;  // MDI frames: their MDI client (a child window)
  // The control that had the focus last (a handle: checked before use, as
  // the control may have gone since).
  HWND active_control_ = nullptr;
};
