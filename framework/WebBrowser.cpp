#include "framework/WebBrowser.h"

#include <exdisp.h>
#include <exdispid.h>
#include <objbase.h>
#include <ocidl.h>

#include "framework/GdiObjects.h"

namespace {

// The HTML engine is what the browser control needs; without it the host
// window would stay blank.
bool HtmlEngineAvailable() {
  static const CLSID kHtmlDocument = {
      0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};
  IUnknown* unknown = nullptr;
  const HRESULT hr = CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      reinterpret_cast<void**>(&unknown));
  if (FAILED(hr) || !unknown) return false;
  unknown->Release();
  return true;
}

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

bool HostClassReady() {
  static HMODULE atl = LoadLibraryW(L"atl.dll");
  if (!atl) return false;
  auto init = reinterpret_cast<AtlAxWinInitFn>(
      reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
  return init && init();
}

}  // namespace

// The browser's DWebBrowserEvents2 sink: a failed navigation is posted to the
// browser's window. Counted as COM objects are; the browser holds it while
// it is advised.
class TBrowserEvents final : public IDispatch {
 public:
  explicit TBrowserEvents(HWND target) : target_(target) {}
  void Forget() { target_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    if (id == DISPID_NAVIGATEERROR && target_) {
      PostMessageW(target_, WM_WEBBROWSER_NAVIGATEERROR, 0, 0);
    }
    return S_OK;
  }

 private:
  ~TBrowserEvents() = default;
  LONG refs_ = 1;
  HWND target_;
};

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {}

TWebBrowser::~TWebBrowser() {
  DestroyHost();
}

void TWebBrowser::ListenToHost() {
  static HMODULE atl = GetModuleHandleW(L"atl.dll");
  auto get_control = atl ? reinterpret_cast<AtlAxGetControlFn>(
                               reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")))
                         : nullptr;
  IUnknown* control = nullptr;
  if (!get_control || FAILED(get_control(host_, &control)) || !control) return;
  IConnectionPointContainer* container = nullptr;
  if (SUCCEEDED(control->QueryInterface(IID_IConnectionPointContainer,
                                        reinterpret_cast<void**>(&container)))) {
    IConnectionPoint* point = nullptr;
    if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point))) {
      auto* events = new TBrowserEvents(Handle());
      DWORD cookie = 0;
      if (SUCCEEDED(point->Advise(events, &cookie))) {
        // The browser holds the sink until it goes with its host window.
        events_ = events;
        events_->AddRef();
      }
      events->Release();
      point->Release();
    }
    container->Release();
  }
  control->Release();
}

void TWebBrowser::CreateParams(TCreateParams& params) {
  params.style |= WS_CLIPCHILDREN;
}

void TWebBrowser::DestroyHost() {
  if (events_) {
    // Whatever the browser still reports goes nowhere.
    events_->Forget();
    events_->Release();
    events_ = nullptr;
  }
  if (host_ && IsWindow(host_)) DestroyWindow(host_);
  host_ = nullptr;
}

void TWebBrowser::Navigate(const std::wstring& url) {
  url_ = url;
  failed_ = false;
  DestroyHost();
  if (HandleAllocated() && HtmlEngineAvailable() && HostClassReady()) {
    // The host window creates the browser control and opens its text as an address.
    RECT r = ClientRect();
    host_ = CreateWindowExW(0, L"AtlAxWin", url.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, r.right,
                            r.bottom, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (host_) ListenToHost();
  }
  Invalidate();
}

void TWebBrowser::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      if (host_) MoveWindow(host_, 0, 0, LOWORD(m.LParam), HIWORD(m.LParam), TRUE);
      break;
    case WM_PAINT:
      if (!host_) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        m.Result = 0;
        return;
      }
      break;
    case WM_WEBBROWSER_NAVIGATEERROR:
      // The page could not be opened: the browser's own error page goes,
      // and the owner is told.
      failed_ = true;
      DestroyHost();
      Invalidate();
      if (OnNavigateError) OnNavigateError(this);
      m.Result = 0;
      return;
    case WM_DESTROY:
      DestroyHost();  // the host goes with us
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TWebBrowser::Paint(HDC dc) {
  RECT r = ClientRect();
  FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
  TSelectObject font(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, url_.c_str(), -1, &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
