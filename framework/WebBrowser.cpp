#include "framework/WebBrowser.h"

#include <objbase.h>

#include "framework/GdiObjects.h"

namespace {

// The HTML engine is what the browser control needs; without it the host
// window would stay blank.
bool HtmlEngineAvailable() {
  static const CLSID kHtmlDocument = {
      0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};
  IUnknown* unknown = nullptr;
  const HRESULT hr = CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IUnknown, reinterpret_cast<void**>(&unknown));
  if (FAILED(hr) || !unknown) return false;
  unknown->Release();
  return true;
}

using AtlAxWinInitFn = BOOL(WINAPI*)();

bool HostClassReady() {
  static HMODULE atl = LoadLibraryW(L"atl.dll");
  if (!atl) return false;
  auto init = reinterpret_cast<AtlAxWinInitFn>(
      reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
  return init && init();
}

}  // namespace

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {}

void TWebBrowser::CreateParams(TCreateParams& params) { params.style |= WS_CLIPCHILDREN; }

void TWebBrowser::DestroyHost() {
  if (host_ && IsWindow(host_)) DestroyWindow(host_);
  host_ = nullptr;
}

void TWebBrowser::Navigate(const std::wstring& url) {
  url_ = url;
  DestroyHost();
  if (HandleAllocated() && HtmlEngineAvailable() && HostClassReady()) {
    // The host window creates the browser control and opens its text as an address.
    RECT r = ClientRect();
    host_ = CreateWindowExW(0, L"AtlAxWin", url.c_str(), WS_CHILD | WS_VISIBLE, 0, 0,
                            r.right, r.bottom, Handle(), nullptr, GetModuleHandleW(nullptr),
                            nullptr);
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
    case WM_DESTROY:
      host_ = nullptr;  // destroyed with us
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
