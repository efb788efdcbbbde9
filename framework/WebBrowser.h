#pragma once
// TWebBrowser: shows a web page given its address. It hosts the system's
// browser control where the system has one; where it cannot be created (no
// HTML engine, as in a bare Wine prefix) it shows a plain panel with the
// address instead, so the window never fails for lack of a browser.
#include <string>

#include "framework/Control.h"

class TWebBrowser : public TWinControl {
 public:
  explicit TWebBrowser(TComponent* owner);
  void Navigate(const std::wstring& url);
  const std::wstring& LocationURL() const { return url_; }
  // True when a real browser control shows the page.
  bool Hosted() const { return host_ != nullptr; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  void DestroyHost();
  void Paint(HDC dc);
  std::wstring url_;
  HWND host_ = nullptr;  // the browser host window, a child of ours
};
