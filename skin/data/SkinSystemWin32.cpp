#include "skin/data/SkinSystemWin32.h"

#include <vector>

namespace {

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // GetProcAddress hands out a generic pointer; the caller names its type.
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

TSkinSystem::TSkinSystem() : user32_(LoadLibraryW(L"user32.dll")) {
  // The high bit of GetVersion is set on the Windows 95 family only.
  wide_text_ = (GetVersion() & 0x80000000u) == 0;
  get_scroll_bar_info_ = Lookup<GetScrollBarInfoFn>(user32_, "GetScrollBarInfo");
  track_mouse_event_ = Lookup<TrackMouseEventFn>(user32_, "TrackMouseEvent");
  get_combo_box_info_ = Lookup<GetComboBoxInfoFn>(user32_, "GetComboBoxInfo");
  disable_ghosting_ = Lookup<DisableGhostingFn>(user32_, "DisableProcessWindowsGhosting");
}

TSkinSystem::~TSkinSystem() {
  if (user32_) FreeLibrary(user32_);
}

bool TSkinSystem::ScrollBarInfo(HWND window, LONG object_id, SCROLLBARINFO& info) const {
  if (!get_scroll_bar_info_) return false;
  info.cbSize = sizeof info;
  return get_scroll_bar_info_(window, object_id, &info) != FALSE;
}

void TSkinSystem::TrackMouseLeave(HWND window) const {
  if (!track_mouse_event_) return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  track_mouse_event_(&track);
}

void TSkinSystem::TrackNonClient(HWND window) const {
  if (!track_mouse_event_) return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_HOVER | TME_LEAVE | TME_NONCLIENT;
  track.hwndTrack = window;
  track.dwHoverTime = HOVER_DEFAULT;
  track_mouse_event_(&track);
}

bool TSkinSystem::HighContrastOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) return false;
  return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool TSkinSystem::ComboBoxInfo(HWND window, COMBOBOXINFO& info) const {
  if (!get_combo_box_info_) return false;
  info.cbSize = sizeof info;
  return get_combo_box_info_(window, &info) != FALSE;
}

void TSkinSystem::DisableWindowsGhosting() const {
  if (disable_ghosting_) disable_ghosting_();
}

int TSkinSystem::DrawAnsiText(HDC dc, std::string_view text, RECT& rect, UINT format) const {
  if (wide_text_) {
    std::wstring wide = AnsiToWide(text);
    return DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &rect, format);
  }
  std::string copy(text);
  return DrawTextA(dc, copy.data(), -1, &rect, format);
}

std::wstring TSkinSystem::WindowText(HWND window) const {
  if (wide_text_) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int got = GetWindowTextW(window, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
  }
  char buffer[1000] = {};
  SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  buffer[sizeof buffer - 1] = 0;
  return AnsiToWide(buffer);
}

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}
