#include "tools/gallery/GallerySheet.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "framework/BitmapWin32.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/GraphicControl.h"
#include "framework/Unicode.h"
#include "skin/data/SkinName.h"
#include "skin/form/SkinWindowMessages.h"
#include "tools/gallery/GallerySheetPieces.h"
#include "tools/gallery/PngFile.h"

namespace {

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

// What the screen shows in `rect` (screen coordinates).
TBitmap Capture(const RECT& rect) {
  GdiFlush();
  TWindowDC screen(nullptr);
  return ReadDCPixels(screen.Get(), TRect{rect.left, rect.top, rect.right, rect.bottom});
}

void Repaint(TApplication& application, HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(application, 150);
}

// Where the window and its box are on screen while a sheet is taken, in
// pixels. The box's scroll bars lie between its client area and its
// window's edges: the sheet leaves them out.
struct TSheetFrame {
  RECT outer{};  // the window
  RECT box{};    // the box's window, scroll bars included
  RECT shown{};  // the box's client area: the part of the content on show
  struct {
    int cx = 0, cy = 0;
  } content;  // the whole content at the window's DPI, in pixels
  int Left() const { return shown.left - outer.left; }
  int Above() const { return shown.top - outer.top; }
  int Right() const { return outer.right - box.right; }
  int Below() const { return outer.bottom - box.bottom; }
};

TSheetFrame MeasureFrame(TGalleryForm& form, TScrollBox& box) {
  TSheetFrame frame;
  const int dpi = WindowDpi(form.Handle());
  GetWindowRect(form.Handle(), &frame.outer);
  GetWindowRect(box.Handle(), &frame.box);
  GetClientRect(box.Handle(), &frame.shown);
  MapWindowPoints(box.Handle(), nullptr, reinterpret_cast<POINT*>(&frame.shown), 2);
  frame.content.cx = ScaleForDpi(TGalleryForm::kContentWidth, dpi);
  frame.content.cy = ScaleForDpi(TGalleryForm::kContentHeight, dpi);
  return frame;
}

// Sizes the window, at the screen's top-left, so that its box shows as
// much of the content as the screen allows and no more: the frame, bars
// and the box's scroll bars around it are measured at the window's size
// and scroll bars, which the new size may change, so it is done twice.
void PlaceForSheet(TApplication& application, TGalleryForm& form, TScrollBox& box, bool show) {
  const HWND window = form.Handle();
  for (int round = 0; round < 2; ++round) {
    const TSheetFrame frame = MeasureFrame(form, box);
    const int around_x =
        (frame.outer.right - frame.outer.left) - (frame.shown.right - frame.shown.left);
    const int around_y =
        (frame.outer.bottom - frame.outer.top) - (frame.shown.bottom - frame.shown.top);
    const int width = std::min(GetSystemMetrics(SM_CXSCREEN), around_x + frame.content.cx);
    const int height = std::min(GetSystemMetrics(SM_CYSCREEN), around_y + frame.content.cy);
    const bool first_show = show && round == 0;
    if (!first_show && frame.outer.left == 0 && frame.outer.top == 0 &&
        frame.outer.right == width && frame.outer.bottom == height) {
      return;
    }
    SetWindowPos(window, HWND_TOPMOST, 0, 0, width, height, first_show ? SWP_SHOWWINDOW : 0);
    Pump(application, 200);
  }
}

// The box's children along one axis, in content units (the box scrolled
// to its start).
std::vector<TSheetSpan> ChildSpans(TScrollBox& box, bool across) {
  std::vector<TSheetSpan> spans;
  const auto add = [&](int left, int top, int width, int height) {
    if (across) {
      spans.push_back({left, left + width});
    } else {
      spans.push_back({top, top + height});
    }
  };
  for (int i = 0; i < box.ControlCount(); ++i) {
    const TWinControl& c = *box.Controls(i);
    add(c.Left(), c.Top(), c.Width(), c.Height());
  }
  for (int i = 0; i < box.GraphicControlCount(); ++i) {
    const TGraphicControl& c = *box.GraphicControls(i);
    add(c.Left(), c.Top(), c.Width(), c.Height());
  }
  return spans;
}

// Makes the window `width` pixels wide, its height and place kept.
void SetWidth(TApplication& application, HWND window, int width) {
  RECT outer{};
  GetWindowRect(window, &outer);
  if (outer.right - outer.left == width) return;
  SetWindowPos(window, HWND_TOPMOST, 0, 0, width, outer.bottom - outer.top, 0);
  Pump(application, 200);
}

// The window as it would look large enough for its whole content: the
// rows above the box and below it (the box's scroll bar left out), taken
// with the window at the sheet's width where the screen allows, and
// between them the frame's edges with the content, scrolled through piece
// by piece in the window sized for that. Scroll positions are in the box's
// 96-DPI units, the pieces in the screen's pixels.
TPngPixels TakeSheet(TApplication& application, TGalleryForm& form, TScrollBox& box) {
  const HWND window = form.Handle();
  const int dpi = WindowDpi(window);
  box.ScrollTo(0, 0);
  TSheetFrame frame = MeasureFrame(form, box);
  TPngPixels sheet;
  sheet.width = frame.Left() + frame.content.cx + frame.Right();

  // The bands: the caption, menu bar and skin bar above, the status bars
  // below, as the window shows them at the sheet's width (or as near as
  // the screen allows, laid out at the sheet's width).
  SetWidth(application, window, std::min(GetSystemMetrics(SM_CXSCREEN), sheet.width));
  Repaint(application, window);
  frame = MeasureFrame(form, box);
  const int above = frame.Above();
  sheet.height = above + frame.content.cy + frame.Below();
  sheet.bgr.assign(static_cast<size_t>(sheet.width) * sheet.height * 3, 0);
  // The caption and menu bar, then the bar of skin choices: each band
  // gets its own stretch of room.
  POINT client{0, 0};
  ClientToScreen(window, &client);
  FitBandIntoSheet(Capture({frame.outer.left, frame.outer.top, frame.outer.right, client.y}), sheet,
                   0);
  FitBandIntoSheet(Capture({frame.outer.left, client.y, frame.outer.right, frame.shown.top}), sheet,
                   client.y - frame.outer.top);
  FitBandIntoSheet(
      Capture({frame.outer.left, frame.box.bottom, frame.outer.right, frame.outer.bottom}), sheet,
      above + frame.content.cy);

  PlaceForSheet(application, form, box, false);
  frame = MeasureFrame(form, box);
  const SIZE shown{frame.shown.right - frame.shown.left, frame.shown.bottom - frame.shown.top};
  if (shown.cx <= 0 || shown.cy <= 0) return sheet;
  // How far the box really scrolls, from its own answer.
  box.ScrollTo(TGalleryForm::kContentWidth, TGalleryForm::kContentHeight);
  const int last_x = box.HorzPosition(), last_y = box.VertPosition();
  box.ScrollTo(0, 0);
  const std::vector<TSheetPiece> columns =
      PlanSheetPieces(frame.content.cx, shown.cx, last_x, dpi, ChildSpans(box, true));
  const std::vector<TSheetPiece> rows =
      PlanSheetPieces(frame.content.cy, shown.cy, last_y, dpi, ChildSpans(box, false));
  for (const TSheetPiece& row : rows) {
    for (const TSheetPiece& column : columns) {
      box.ScrollTo(column.units, row.units);
      Repaint(application, window);
      // The box's screen rows of this piece with the frame's edges on
      // either side of the content (its scroll bar left out).
      const TBitmap strip = Capture({frame.outer.left, frame.shown.top + row.from - row.offset,
                                     frame.outer.right, frame.shown.top + row.to - row.offset});
      const int at = above + row.from;
      const int height = row.to - row.from;
      PasteIntoSheet(strip, frame.Left() + column.from - column.offset, 0, column.to - column.from,
                     height, sheet, frame.Left() + column.from, at);
      if (column.from == 0) PasteIntoSheet(strip, 0, 0, frame.Left(), height, sheet, 0, at);
      if (column.to == frame.content.cx) {
        PasteIntoSheet(strip, frame.box.right - frame.outer.left, 0, frame.Right(), height, sheet,
                       sheet.width - frame.Right(), at);
      }
    }
  }
  box.ScrollTo(0, 0);
  return sheet;
}

}  // namespace

int WriteContactSheets(TApplication& application, TGalleryForm& form, const std::wstring& folder,
                       const std::vector<std::wstring>& only) {
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
  // On top, at the screen's top-left, with the mouse pointer outside it.
  PlaceForSheet(application, form, *box, true);
  SetForegroundWindow(window);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  const int stored = form.SkinStore1->Store().Count();
  std::vector<std::wstring> names;
  for (int index = 0; index < stored; ++index) {
    names.push_back(SheetName(ReadSkinName(form.SkinStore1->Store().Items(index).Data()), index));
  }
  names.push_back(L"none");
  // A name asked for that no skin has is an error, not a sheet quietly
  // left out.
  for (const std::wstring& wanted : only) {
    if (std::find(names.begin(), names.end(), wanted) == names.end()) {
      ReportError(L"SkinGallery: no skin is named " + wanted);
      return 1;
    }
  }
  for (int index = 0; index <= stored; ++index) {
    const bool none = index == stored;
    const std::wstring& name = names[static_cast<size_t>(index)];
    if (!only.empty() && std::find(only.begin(), only.end(), name) == only.end()) continue;
    if (none) {
      form.ChooseNone();
    } else {
      form.ChooseStored(index);
    }
    // The change is carried out after the manager's short delay, then the
    // window settles at the sheet's size under its new frame.
    Pump(application, 500);
    if (!none) {
      PumpUntil(
          application, [&] { return SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1; }, 5000);
    }
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
