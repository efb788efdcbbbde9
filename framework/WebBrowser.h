#pragma once
// TWebBrowser: shows a web page given its address. It hosts the system's
// browser control where the system has one; where it cannot be created (no
// HTML engine, as in a bare Wine prefix) it shows a plain panel with the
// address instead, so the window never fails for lack of a browser. When the
// browser reports that the page could not be opened, the browser goes and
// OnNavigateError tells the owner, who may show something of its own.
#include <string>

#include "framework/Control.h"

// Posted to the browser's window when a navigation has failed; the browser
// control is let go from there, outside its own event.
inline constexpr UINT WM_WEBBROWSER_NAVIGATEERROR = WM_APP + 0x5B1;

class TBrowserEvents;

class TWebBrowser : public TWinControl {
 public:
  explicit TWebBrowser(TComponent* owner);
  void Navigate(const std::wstring& url);
  const std::wstring& LocationURL() const { return url_; }
  // True when a real browser control shows the page.
  bool Hosted() const { return host_ != nullptr; }
  // True once a navigation has failed (until the next Navigate).
  bool NavigateFailed() const { return failed_; }
  TNotifyEvent OnNavigateError;
  ~TWebBrowser() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  void DestroyHost();
  void ListenToHost();
  void Paint(HDC dc);
  std::wstring url_;
  HWND host_ = nullptr;  // the browser host window, a child of ours
  bool failed_ = false;
  // The browser's event connection while a host is there (counted COM object).
  TBrowserEvents* events_ = nullptr;
};
