#include "skin/form/SystemVersion.h"

namespace {

// The non-client rendering attribute and its two values.
constexpr DWORD kNcRenderingPolicy = 2;
constexpr DWORD kPolicyUseWindowStyle = 0;
constexpr DWORD kPolicyDisabled = 1;

using DwmSetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

// dwmapi exists from Vista on; it is looked up once and kept loaded for the
// life of the process.
DwmSetWindowAttributeFn DwmSetAttribute() {
  static const DwmSetWindowAttributeFn function = [] {
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    if (!dwm) return DwmSetWindowAttributeFn{};
    return reinterpret_cast<DwmSetWindowAttributeFn>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")));
  }();
  return function;
}

}  // namespace

TSystemVersion SystemVersion() {
  // GetVersion reports the real version up to the newest system the
  // program's manifest declares.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const DWORD version = GetVersion();
#pragma GCC diagnostic pop
  TSystemVersion result;
  result.major = LOBYTE(LOWORD(version));
  result.minor = HIBYTE(LOWORD(version));
  result.nt = (version & 0x80000000u) == 0;
  return result;
}

bool SetNonClientRendering(HWND window, bool system_draws) {
  const DwmSetWindowAttributeFn set = DwmSetAttribute();
  if (!set) return false;
  const DWORD policy = system_draws ? kPolicyUseWindowStyle : kPolicyDisabled;
  return SUCCEEDED(set(window, kNcRenderingPolicy, &policy, sizeof policy));
}
