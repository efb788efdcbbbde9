#include "framework/MessageWindow.h"

#include <stdexcept>

#include "framework/Application.h"

namespace {
constexpr wchar_t kClassName[] = L"TonmillMessageWindow";

void RegisterClassOnce(WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kClassName, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
}
}  // namespace

TMessageWindow::TMessageWindow(Handler handler, TMessageWindowKind kind)
    : handler_(std::move(handler)) {
  RegisterClassOnce(&TMessageWindow::WndProc);
  if (kind == TMessageWindowKind::MessageOnly) {
    hwnd_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), this);
  } else {
    // Never shown; a tool window stays out of the task bar all the same.
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
  }
  if (!hwnd_) throw std::runtime_error("Cannot create a message window");
  thread_id_ = GetCurrentThreadId();
}

TMessageWindow::~TMessageWindow() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

LRESULT CALLBACK TMessageWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<TMessageWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && self->handler_) {
    // The handlers are the owners' (timers, queued work, popup owners): a
    // failure of theirs is reported, and never crosses into the system.
    try {
      LRESULT result = 0;
      if (self->handler_(msg, wp, lp, result)) return result;
    } catch (...) {
      ReportCallbackException();
      return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}
