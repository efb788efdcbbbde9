#pragma once
// TForm: a top-level window of the program. The window is created by the
// form and destroyed with it; its messages reach the form through the
// pointer handed over at WM_NCCREATE. Forms close through Close(), which the
// close box also calls; the main form's closing ends the application.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Component.h"
#include "framework/Object.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

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

class TForm : public TComponent {
 public:
  TForm(TComponent* owner, const TFormStyle& style);
  ~TForm() override;

  HWND Handle() const { return hwnd_; }
  HFONT Font() const { return font_; }
  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  void Show();
  // Asks the form to close: OnClose decides; the main form's close ends Run.
  void Close();
  bool MainForm() const { return main_form_; }
  void SetMainForm(bool main) { main_form_ = main; }

  TNotifyEvent OnCreate;
  TCloseEvent OnClose;

 protected:
  // Handles a message of the form's window; the default passes it on.
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;  // owned
  bool main_form_ = false;
};
