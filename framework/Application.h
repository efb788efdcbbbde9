#pragma once
// TApplication: the application object of the user-interface thread. It runs
// the message loop, processes pending messages for code that waits, and
// carries work handed over from worker threads (Queue) to this thread.
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "framework/Component.h"
#include "framework/GdiObjects.h"
#include "framework/MessageWindow.h"

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Loads the common controls the program's windows use, and the program's
  // icon: the icon resource "MAINICON" of the executable, when it has one.
  void Initialize();
  // The program's icon at the system's large and small sizes (null without
  // the resource); forms made afterwards show them.
  HICON Icon() const { return icon_.Get(); }
  HICON SmallIcon() const { return small_icon_.Get(); }
  const std::wstring& Title() const { return title_; }
  void SetTitle(std::wstring title) { title_ = std::move(title); }

  // Runs the message loop until Terminate (or a WM_QUIT) ends it.
  void Run();
  // Handles every message that is already waiting, then returns.
  void ProcessMessages();
  // Waits until a message arrives, `handle` is signalled (when given) or
  // `timeout_ms` passes, then handles what is waiting. Returns true when the
  // handle was signalled.
  bool WaitAndProcess(HANDLE handle, DWORD timeout_ms);
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Hands `work` to the user-interface thread; it runs there from the message
  // loop, in the order queued. Safe from any thread. `owner` tags the work so
  // that RemoveQueuedEvents can drop what an object queued before it goes.
  void Queue(std::function<void()> work, const void* owner = nullptr);
  void RemoveQueuedEvents(const void* owner);
  DWORD MainThreadId() const { return main_thread_id_; }

  // Reports an exception that one of the program's own handlers let out
  // into a window, subclass or timer procedure: in a message box with the
  // application's title (one at a time; others that come while it shows are
  // dropped), or through OnException when it is assigned.
  void HandleException(const std::string& message);
  std::function<void(const std::string& message)> OnException;

 private:
  struct Pending {
    std::function<void()> work;
    const void* owner;
  };
  bool HandleQueueMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  void RunQueued();
  bool DispatchOne(const MSG& msg);

  std::wstring title_;
  TOwnedIcon icon_;
  TOwnedIcon small_icon_;
  bool terminated_ = false;
  bool ole_initialized_ = false;
  DWORD main_thread_id_;
  std::mutex queue_lock_;
  std::deque<Pending> queue_;
  bool queue_posted_ = false;
  bool reporting_ = false;  // a failure's message box is showing
  std::unique_ptr<TMessageWindow> queue_window_;
};

// The application object of the process; set while a TApplication exists.
extern TApplication* Application;

// For the catch-all of a window, subclass, hook or timer procedure: reports
// the exception being handled through the application object (dropped when
// there is none). Nothing may cross into the system's code, so this throws
// nothing itself.
void ReportCallbackException() noexcept;
