#include "framework/Memo.h"

std::vector<std::string> ControlBorderNames() {
  return {"bsNone", "bsSingle"};
}

void ApplyControlBorder(HWND window, TControlBorder border) {
  if (!window) return;
  auto ex = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  ex = border == cbSingle ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE);
  SetWindowLongPtrW(window, GWL_EXSTYLE, static_cast<LONG_PTR>(ex));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 89);
}

void TMemo::CreateParams(TCreateParams& params) {
  params.class_name = L"EDIT";
  params.style |= WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (!WordWrap) params.style |= ES_AUTOHSCROLL;
  if (ReadOnly) params.style |= ES_READONLY;
  if (scroll_bars_ == ssVertical || scroll_bars_ == ssBoth) params.style |= WS_VSCROLL;
  if (scroll_bars_ == ssHorizontal || scroll_bars_ == ssBoth) params.style |= WS_HSCROLL;
  if (border_ == cbSingle) params.ex_style |= WS_EX_CLIENTEDGE;
}

void TMemo::SetLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += L"\r\n";
    text += lines[i];
  }
  SetCaption(text);
}

int TMemo::LineCount() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0)) : 0;
}

int TMemo::TopLine() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0))
                           : 0;
}

void TMemo::SetScrollBars(TScrollStyle bars) {
  scroll_bars_ = bars;
  if (!HandleAllocated()) return;
  ShowScrollBar(Handle(), SB_VERT, bars == ssVertical || bars == ssBoth);
  ShowScrollBar(Handle(), SB_HORZ, bars == ssHorizontal || bars == ssBoth);
}

void TMemo::SetBorderStyle(TControlBorder border) {
  border_ = border;
  ApplyControlBorder(Handle(), border);
}

void TMemo::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Enum(
      "BorderStyle", ControlBorderNames(), [this] { return static_cast<std::int64_t>(border_); },
      [this](std::int64_t v) { SetBorderStyle(static_cast<TControlBorder>(v)); });
  table.Enum(
      "ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"},
      [this] { return static_cast<std::int64_t>(scroll_bars_); },
      [this](std::int64_t v) { SetScrollBars(static_cast<TScrollStyle>(v)); });
}
