#pragma once
// TForm: a top-level window of the program. Its window exists from
// construction; it owns the font its controls share. Forms close through
// Close(), which the close box also calls: OnCloseQuery may refuse, OnClose
// decides what happens, and the main form's closing ends the message loop.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Control.h"
#include "framework/GdiObjects.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

struct TFormStyle {
  std::wstring caption;
  int client_width = 320;
  int client_height = 240;
  // A single fixed border with the system menu and the minimise box only.
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  DWORD ex_style = WS_EX_CONTROLPARENT;
  bool centred = true;
  std::wstring font_face = L"\u5B8B\u4F53";  // 宋体
  int font_height = -12;
  BYTE font_charset = GB2312_CHARSET;
};

class TForm : public TWinControl {
 public:
  TForm(TComponent* owner, const TFormStyle& style);
  ~TForm() override;

  void Show();
  // Asks the form to close: OnCloseQuery may refuse, OnClose decides.
  void Close();
  bool MainForm() const { return main_form_; }
  void SetMainForm(bool main) { main_form_ = main; }

  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  TFormStyle style_;
  TOwnedFont font_;
  bool main_form_ = false;
};
