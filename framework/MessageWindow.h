#pragma once
// TMessageWindow: a hidden message-only window owned by one object, for
// timers and for handing work to the thread that created it; or a hidden
// top-level window, for what a message-only window cannot do (own a popup
// menu, be made the foreground window). Messages reach
// the owner's handler through the pointer given at creation (WM_NCCREATE),
// the one routing path from HWND to object; the window is destroyed with the
// wrapper, on the thread that made it.
#include <windows.h>

#include <functional>

enum class TMessageWindowKind { MessageOnly, HiddenTopLevel };

class TMessageWindow {
 public:
  // Returns true when it handled the message and set `result`.
  using Handler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;

  explicit TMessageWindow(Handler handler,
                          TMessageWindowKind kind = TMessageWindowKind::MessageOnly);
  ~TMessageWindow();
  TMessageWindow(const TMessageWindow&) = delete;
  TMessageWindow& operator=(const TMessageWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  DWORD ThreadId() const { return thread_id_; }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  Handler handler_;
  HWND hwnd_ = nullptr;
  DWORD thread_id_ = 0;
};
