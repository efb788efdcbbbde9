#include "tools/gallery/GallerySheet.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>

#include "framework/Unicode.h"
#include "skin/data/SkinName.h"
#include "skin/form/SkinWindowMessages.h"
#include "tools/gallery/PngFile.h"

namespace {

// The window's outer width while the sheets are taken: the content's 980
// pixels, the box's scroll bar and any skin's borders fit in it.
constexpr int kSheetWindowWidth = 1040;
constexpr int kContentHeight = 1300;

void Pump(TApplication& application, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) application.WaitAndProcess(nullptr, 10);
}

bool PumpUntil(TApplication& application, const std::function<bool()>& done, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    application.WaitAndProcess(nullptr, 10);
  }
  return true;
}

void ReportError(const std::wstring& text) {
  const std::string bytes = WideToUtf8(text + L"\n");
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

// A file name's part from a skin's name: lower-case letters and digits.
std::wstring SheetName(const std::string& skin_name, int index) {
  std::wstring name;
  for (char c : skin_name) {
    if (c >= 'A' && c <= 'Z') name += static_cast<wchar_t>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) name += static_cast<wchar_t>(c);
  }
  return name.empty() ? L"skin" + std::to_wstring(index) : name;
}

TScrollBox* FindBox(TGalleryForm& form) {
  for (int i = 0; i < form.ControlCount(); ++i) {
    if (auto* box = dynamic_cast<TScrollBox*>(form.Controls(i))) return box;
  }
  return nullptr;
}

// Copies screen rows [top, top + rows) of the window's columns into the
// sheet at row `at`.
void CopyRows(const RECT& window, int top, int rows, TPngPixels& sheet, int at) {
  if (rows <= 0) return;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = sheet.width;
  info.bmiHeader.biHeight = -rows;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, sheet.width, rows, screen, window.left, top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    const size_t stride = (static_cast<size_t>(sheet.width) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < rows && at + y < sheet.height; ++y) {
      std::memcpy(&sheet.bgr[static_cast<size_t>(at + y) * sheet.width * 3],
                  static_cast<const std::uint8_t*>(bits) + y * stride,
                  static_cast<size_t>(sheet.width) * 3);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
  }
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

void Repaint(TApplication& application, HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(application, 150);
}

// The window as it would look tall enough for its whole content: the rows
// above the box, the box's content scrolled through piece by piece, the
// rows below it.
TPngPixels TakeSheet(TApplication& application, TGalleryForm& form, TScrollBox& box) {
  const HWND window = form.Handle();
  RECT outer;
  GetWindowRect(window, &outer);
  RECT client;
  GetClientRect(box.Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(box.Handle(), &origin);
  const int above = origin.y - outer.top;
  const int below = outer.bottom - (origin.y + client.bottom);
  const int shown = client.bottom;
  TPngPixels sheet;
  sheet.width = outer.right - outer.left;
  sheet.height = above + kContentHeight + below;
  sheet.bgr.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 0);
  box.ScrollTo(0, 0);
  Repaint(application, window);
  CopyRows(outer, outer.top, above, sheet, 0);
  for (int wanted = 0; wanted < kContentHeight; wanted += shown) {
    box.ScrollTo(0, wanted);
    Repaint(application, window);
    // Near the end the box stops at its last page: the rows from there on.
    const int at = box.VertPosition();
    CopyRows(outer, origin.y, std::min(shown, kContentHeight - at), sheet, above + at);
    if (shown <= 0) break;
  }
  CopyRows(outer, origin.y + client.bottom, below, sheet, above + kContentHeight);
  box.ScrollTo(0, 0);
  return sheet;
}

}  // namespace

int WriteContactSheets(TApplication& application, TGalleryForm& form, const std::wstring& folder) {
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    ReportError(L"SkinGallery: cannot make the folder " + folder);
    return 1;
  }
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ReportError(L"SkinGallery: " + folder + L" is not a folder");
    return 1;
  }
  TScrollBox* box = FindBox(form);
  if (!box) {
    ReportError(L"SkinGallery: the gallery has no scroll box");
    return 1;
  }
  const HWND window = form.Handle();
  // On top, at the screen's top-left, as tall as the screen allows, with
  // the mouse pointer outside it.
  const int height = std::min(GetSystemMetrics(SM_CYSCREEN), kContentHeight + 200);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, kSheetWindowWidth, height, SWP_SHOWWINDOW);
  SetForegroundWindow(window);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  const int stored = form.SkinStore1->Store().Count();
  for (int index = 0; index <= stored; ++index) {
    const bool none = index == stored;
    std::wstring name = L"none";
    if (none) {
      form.ChooseNone();
    } else {
      name = SheetName(ReadSkinName(form.SkinStore1->Store().Items(index).Data()), index);
      form.ChooseStored(index);
    }
    // The change is carried out after the manager's short delay, then the
    // window settles at the sheet's size under its new frame.
    Pump(application, 500);
    if (!none) {
      PumpUntil(
          application, [&] { return SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1; }, 5000);
    }
    SetWindowPos(window, HWND_TOPMOST, 0, 0, kSheetWindowWidth, height, 0);
    Pump(application, 300);
    const TPngPixels sheet = TakeSheet(application, form, *box);
    const std::wstring path = folder + L"\\sheet-" + name + L".png";
    std::wstring error;
    if (!WritePngFile(path, sheet, error)) {
      ReportError(L"SkinGallery: " + path + L": " + error);
      return 1;
    }
  }
  return 0;
}
