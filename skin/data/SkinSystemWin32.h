#pragma once
// The process-wide helpers of the skin library on Windows: the optional
// user32 functions, looked up once (each may be missing on older systems),
// and text drawing in wide characters.
#include <windows.h>

#include <string>
#include <string_view>

class TSkinSystem {
 public:
  TSkinSystem();
  ~TSkinSystem();
  TSkinSystem(const TSkinSystem&) = delete;
  TSkinSystem& operator=(const TSkinSystem&) = delete;

  // Windows NT family: text is drawn and read as wide text.
  bool WideText() const { return wide_text_; }
  bool HasScrollBarInfo() const { return get_scroll_bar_info_ != nullptr; }
  bool HasTrackMouseEvent() const { return track_mouse_event_ != nullptr; }
  bool HasComboBoxInfo() const { return get_combo_box_info_ != nullptr; }

  // GetScrollBarInfo; false when the system lacks it.
  bool ScrollBarInfo(HWND window, LONG object_id, SCROLLBARINFO& info) const;
  // Asks for WM_MOUSELEAVE on `window`; skipped when the system lacks it.
  void TrackMouseLeave(HWND window) const;
  // Asks for WM_NCMOUSELEAVE and WM_NCMOUSEHOVER on `window`'s non-client
  // area; skipped when the system lacks it.
  void TrackNonClient(HWND window) const;
  // The system's high-contrast mode is on (SPI_GETHIGHCONTRAST).
  static bool HighContrastOn();
  // GetComboBoxInfo; false when the system lacks it.
  bool ComboBoxInfo(HWND window, COMBOBOXINFO& info) const;
  // Stops the system from replacing a hung window by its ghost, when it can.
  void DisableWindowsGhosting() const;

  // Draws ANSI text of the user's code page (DrawTextW after conversion, or
  // DrawTextA where wide text is not supported).
  int DrawAnsiText(HDC dc, std::string_view text, RECT& rect, UINT format) const;
  // A window's text as wide text.
  std::wstring WindowText(HWND window) const;

 private:
  using GetScrollBarInfoFn = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
  using TrackMouseEventFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
  using GetComboBoxInfoFn = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
  using DisableGhostingFn = void(WINAPI*)();

  HMODULE user32_ = nullptr;
  bool wide_text_ = true;
  GetScrollBarInfoFn get_scroll_bar_info_ = nullptr;
  TrackMouseEventFn track_mouse_event_ = nullptr;
  GetComboBoxInfoFn get_combo_box_info_ = nullptr;
  DisableGhostingFn disable_ghosting_ = nullptr;
};

// ANSI text of the user's code page as wide text.
std::wstring AnsiToWide(std::string_view text);
