#include "framework/Application.h"

#include <commctrl.h>
#include <ole2.h>

#include <exception>
#include <vector>

#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Unicode.h"

TApplication* Application = nullptr;

namespace {
constexpr UINT kRunQueued = WM_APP + 1;

// The executable's "MAINICON" at the size of the given metrics, or null.
HICON LoadMainIcon(int width_metric, int height_metric) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                       GetSystemMetrics(width_metric),
                                       GetSystemMetrics(height_metric), 0));
}
}  // namespace

TApplication::TApplication(TComponent* owner)
    : TComponent(owner), main_thread_id_(GetCurrentThreadId()) {
  queue_window_ =
      std::make_unique<TMessageWindow>([this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        return HandleQueueMessage(msg, wp, lp, result);
      });
  Application = this;
}

TApplication::~TApplication() {
  // Windows (and the controls they host) go while OLE is still up.
  DestroyComponents();
  if (Application == this) Application = nullptr;
  queue_window_.reset();
  if (ole_initialized_) OleUninitialize();
}

void TApplication::Initialize() {
  // The shell's folder browser and the web browser control need OLE on
  // this thread.
  if (SUCCEEDED(OleInitialize(nullptr))) ole_initialized_ = true;
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&icc);
  icon_.Reset(LoadMainIcon(SM_CXICON, SM_CYICON));
  small_icon_.Reset(LoadMainIcon(SM_CXSMICON, SM_CYSMICON));
}

bool TApplication::DispatchOne(const MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  // Alt and a character, whichever of its windows has the focus: the form
  // hears of it first (its menu bar's access keys).
  if (root && msg.message == WM_SYSCHAR) {
    if (auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(root))) {
      if (form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0) return true;
    }
  }
  // A short cut of the form's menu clicks its item, whichever window of the
  // form has the focus.
  if (root && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
    auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(root));
    TMainMenu* menu = form ? form->Menu() : nullptr;
    if (TMenuItem* item =
            menu ? menu->FindShortCut(ShortCutOfKey(static_cast<unsigned>(msg.wParam))) : nullptr) {
      item->Click();
      return true;
    }
  }
  // Ctrl+F4 and Ctrl+F6 (and the child's system-menu keys) close and move
  // between the children of an MDI frame.
  if (root && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
    if (HWND client = FindWindowExW(root, nullptr, L"MDIClient", nullptr)) {
      if (TranslateMDISysAccel(client, const_cast<MSG*>(&msg))) return true;
    }
  }
  if (root && IsDialogMessageW(root, const_cast<MSG*>(&msg))) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void TApplication::Run() {
  MSG msg;
  while (!terminated_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      terminated_ = true;
      break;
    }
    DispatchOne(msg);
  }
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!DispatchOne(msg)) {
      // Leave the quit request for the message loop that owns it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
  }
}

bool TApplication::WaitAndProcess(HANDLE handle, DWORD timeout_ms) {
  const DWORD count = handle ? 1 : 0;
  const DWORD r = MsgWaitForMultipleObjectsEx(count, handle ? &handle : nullptr, timeout_ms,
                                              QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  ProcessMessages();
  return handle && r == WAIT_OBJECT_0;
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::Queue(std::function<void()> work, const void* owner) {
  bool post = false;
  {
    std::lock_guard<std::mutex> lock(queue_lock_);
    queue_.push_back(Pending{std::move(work), owner});
    if (!queue_posted_) {
      queue_posted_ = true;
      post = true;
    }
  }
  if (post) PostMessageW(queue_window_->Handle(), kRunQueued, 0, 0);
}

void TApplication::RemoveQueuedEvents(const void* owner) {
  std::lock_guard<std::mutex> lock(queue_lock_);
  std::erase_if(queue_, [owner](const Pending& p) { return p.owner == owner; });
}

bool TApplication::HandleQueueMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != kRunQueued) return false;
  RunQueued();
  result = 0;
  return true;
}

void TApplication::RunQueued() {
  // One item at a time, so that work queued by a handler, or removed by one,
  // is seen by the next step.
  for (;;) {
    std::function<void()> work;
    {
      std::lock_guard<std::mutex> lock(queue_lock_);
      if (queue_.empty()) {
        queue_posted_ = false;
        return;
      }
      work = std::move(queue_.front().work);
      queue_.pop_front();
    }
    if (work) work();
  }
}

void TApplication::HandleException(const std::string& message) {
  if (OnException) {
    OnException(message);
    return;
  }
  if (reporting_) return;
  reporting_ = true;
  MessageBoxW(nullptr, Utf8ToWide(message).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
  reporting_ = false;
}

void ReportCallbackException() noexcept {
  try {
    std::string message = "Unexpected failure";
    try {
      throw;
    } catch (const std::exception& e) {
      message = e.what();
    } catch (...) {
    }
    if (Application) Application->HandleException(message);
  } catch (...) {
  }
}
