#include "app/StartPanel.h"

#include <cstring>

#include "app/MainTexts.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"

namespace {

// The program's name and version, then how to use it and where the skins are.
constexpr const wchar_t* kHeading = L"Tonmill 2.2";
constexpr const wchar_t* kLines[] = {
    L"1. 点击“新增”或“添加目录”，加入要转换的 WMA 文件。",
    L"2. 点击“设置输出目录”，选择 MP3 文件保存的文件夹。",
    L"3. 点击“立即转换”，列表中的文件即转换为 MP3。",
    L"皮肤：在窗口的系统菜单中选择（右击标题栏，或按 Alt+空格）。",
};

}  // namespace

TStartPanel::TStartPanel(TComponent* owner, const TSkinData& skin)
    : TWinControl(owner), skin_(skin) {}

void TStartPanel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      // Painted whole, off-screen, in WM_PAINT.
      m.Result = 1;
      return;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      m.Result = 0;
      return;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}

HFONT TStartPanel::HeadingFont() {
  LOGFONTW face{};
  GetObjectW(Font(), sizeof(face), &face);
  if (heading_.Get() && std::memcmp(&face, &heading_source_, sizeof(face)) == 0) {
    return heading_.Get();
  }
  heading_source_ = face;
  face.lfHeight = face.lfHeight < 0 ? face.lfHeight * 3 / 2 : ScaleForDpi(-18, Dpi());
  face.lfWeight = FW_BOLD;
  heading_.Reset(CreateFontIndirectW(&face));
  return heading_.Get();
}

void TStartPanel::Paint(HDC dc) {
  const RECT r = ClientRect();
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  TMemoryDC buffer(dc, width, height);
  // The skin's content colours while a skin shows; the system's otherwise
  // (no skin, or the system's high-contrast mode).
  const bool skinned = skin_.Shown();
  const COLORREF back = skinned ? static_cast<COLORREF>(ColorToRGB(skin_.Colours().Window))
                                : GetSysColor(COLOR_WINDOW);
  const COLORREF ink = skinned ? static_cast<COLORREF>(ColorToRGB(skin_.Colours().WindowText))
                               : GetSysColor(COLOR_WINDOWTEXT);
  TOwnedBrush brush(CreateSolidBrush(back));
  FillRect(buffer.Get(), &r, brush.Get());
  SetBkMode(buffer.Get(), TRANSPARENT);
  SetTextColor(buffer.Get(), ink);

  // Margins and spacing are 96-DPI units, like the fonts: the page keeps
  // its proportions at every DPI.
  const auto scaled = [this](int value) { return ScaleForDpi(value, Dpi()); };
  int y = scaled(18);
  {
    TSelectObject font(buffer.Get(), HeadingFont());
    RECT line{scaled(24), y, width - scaled(24), height};
    y += DrawTextW(buffer.Get(), kHeading, -1, &line,
                   DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE) +
         scaled(12);
  }
  TSelectObject font(buffer.Get(), Font());
  for (const wchar_t* text : kLines) {
    RECT line{scaled(32), y, width - scaled(24), height};
    y += DrawTextW(buffer.Get(), text, -1, &line,
                   DT_LEFT | DT_TOP | DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS) +
         scaled(8);
  }
  BitBlt(dc, 0, 0, width, height, buffer.Get(), 0, 0, SRCCOPY);
}
