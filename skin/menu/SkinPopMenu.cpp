#include "skin/menu/SkinPopMenu.h"

#include <algorithm>

#include "framework/BitmapWin32.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "skin/data/SkinManage.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/menu/MenuFont.h"
#include "skin/menu/SkinMenuItemPainter.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x3532;
// The system's message that answers a popup window's menu.
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

// Marks the object busy for one call (see Busy).
class TBusy {
 public:
  explicit TBusy(int& count) : count_(count) { ++count_; }
  ~TBusy() { --count_; }
  TBusy(const TBusy&) = delete;
  TBusy& operator=(const TBusy&) = delete;

 private:
  int& count_;
};

// Marks a popup as the one painting into a buffer of its own, so that the
// item painter finds its background although the DC is not the window's.
class TPaintingPopup {
 public:
  TPaintingPopup(TSkinManage& manager, TWinSkinPopMenu* popup)
      : manager_(manager), previous_(manager.PaintingPopup()) {
    manager_.SetPaintingPopup(popup);
  }
  ~TPaintingPopup() { manager_.SetPaintingPopup(previous_); }
  TPaintingPopup(const TPaintingPopup&) = delete;
  TPaintingPopup& operator=(const TPaintingPopup&) = delete;

 private:
  TSkinManage& manager_;
  TWinSkinPopMenu* previous_;
};

}  // namespace

bool TWinSkinPopMenu::Hook(HWND window, TSkinData* data, HMENU menu) {
  handle_ = window;
  data_ = data;
  menu_ = menu;
  return subclass_.Install(window, &TWinSkinPopMenu::Proc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this));
}

void TWinSkinPopMenu::Unhook() {
  subclass_.Remove();
  background_.Clear();
  rendered_ = TRendered{};
  for (TItemCell& kept : item_cells_) kept = TItemCell{};
}

HFONT TWinSkinPopMenu::ItemFont(bool bold, int dpi) {
  return fonts_.Get(dpi, bold);
}

const TBitmap& TWinSkinPopMenu::ItemCell(const TDataSkinObject& object, int width, int height,
                                         int cell, int dpi) {
  TItemCell& kept = item_cells_[cell == 1 ? 0 : 1];
  const void* pixels = object.Bitmap.Pixels().data();
  if (kept.image.Empty() || kept.width != width || kept.height != height || kept.cell != cell ||
      kept.dpi != dpi || kept.object != &object || kept.pixels != pixels) {
    constexpr int kFrames = 5;
    kept.image = RenderSkinCell(object, width, height, kFrames, cell, dpi);
    kept.width = width;
    kept.height = height;
    kept.cell = cell;
    kept.dpi = dpi;
    kept.object = &object;
    kept.pixels = pixels;
  }
  return kept.image;
}

POINT TWinSkinPopMenu::ClientOffset() const {
  RECT window{};
  GetWindowRect(handle_, &window);
  POINT origin{0, 0};
  ClientToScreen(handle_, &origin);
  return {origin.x - window.left, origin.y - window.top};
}

HMENU TWinSkinPopMenu::ShownMenu() {
  if (!menu_) {
    menu_ = reinterpret_cast<HMENU>(SendMessageW(handle_, kGetMenuHandle, 0, 0));
    if (menu_ && !IsMenu(menu_)) menu_ = nullptr;
  }
  return menu_;
}

bool TWinSkinPopMenu::Skinned() {
  if (!subclass_.Installed() || !data_ || data_->NotReady() || !manager_.SkinningOn()) return false;
  const TDataSkinObject* back = data_->Object(ssMenuBackground);
  if (!back || back->Bitmap.Empty()) return false;
  if (owner_drawn_ < 0) {
    // Only a menu whose items the skin draws gets the skin's background: a
    // menu left to the system keeps the system's look whole.
    const HMENU menu = ShownMenu();
    if (!menu) return false;
    owner_drawn_ = 0;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE;
      if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) &&
          (info.fType & MFT_OWNERDRAW)) {
        owner_drawn_ = 1;
        break;
      }
    }
  }
  return owner_drawn_ == 1;
}

bool TWinSkinPopMenu::RenderBackground() {
  const TDataSkinObject* back = data_ ? data_->Object(ssMenuBackground) : nullptr;
  if (!back || back->Bitmap.Empty()) return false;
  RECT r{};
  GetWindowRect(handle_, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  // Rendered again only when the window's size, its DPI or the skin's
  // image changed.
  const TRendered now{w, h, WindowDpi(handle_), back, back->Bitmap.Pixels().data()};
  if (background_.Empty() || now.width != rendered_.width || now.height != rendered_.height ||
      now.dpi != rendered_.dpi || now.object != rendered_.object ||
      now.pixels != rendered_.pixels) {
    background_ = RenderSkinCell(*back, w, h, 1, 1, now.dpi);
    rendered_ = now;
  }
  return !background_.Empty();
}

void TWinSkinPopMenu::PaintBorder() {
  if (!RenderBackground()) return;
  TWindowDC dc(handle_, TDCArea::daWholeWindow);
  if (!dc.Get()) return;
  // The client area is painted with the items; only the frame around it
  // here.
  RECT client{};
  GetClientRect(handle_, &client);
  const POINT offset = ClientOffset();
  ExcludeClipRect(dc.Get(), offset.x, offset.y, offset.x + client.right, offset.y + client.bottom);
  DrawBitmap(dc.Get(), 0, 0, background_);
}

HRGN TWinSkinPopMenu::ItemRegion() {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const HMENU menu = ShownMenu();
  const int count = menu ? GetMenuItemCount(menu) : 0;
  RECT client{};
  GetClientRect(handle_, &client);
  int top = client.bottom, bottom = 0, total = 0;
  const auto add = [region](const RECT& r) {
    HRGN part = CreateRectRgnIndirect(&r);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  };
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!GetMenuItemRect(handle_, menu, static_cast<UINT>(i), &r)) continue;
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
    total += r.bottom - r.top;
    if (r.bottom <= 0 || r.top >= client.bottom) continue;
    top = std::min(top, static_cast<int>(r.top));
    bottom = std::max(bottom, static_cast<int>(r.bottom));
    add(r);
  }
  if (total > client.bottom) {
    // A menu taller than its window scrolls: the system's scroll arrows
    // above and below the items stay.
    add(RECT{0, 0, client.right, top});
    add(RECT{0, bottom, client.right, client.bottom});
  }
  return region;
}

void TWinSkinPopMenu::PaintClient(HDC dc) {
  RECT client{};
  GetClientRect(handle_, &client);
  if (client.right <= 0 || client.bottom <= 0 || !RenderBackground()) return;
  // Drawn off-screen and copied once: the background, then the items the
  // system draws (owner-drawn, each over its part of the background) into
  // their own rectangles only, so its own background and border stay out.
  TMemoryDC buffer(dc, client.right, client.bottom);
  if (!buffer.Get()) return;
  const POINT offset = ClientOffset();
  DrawBitmap(buffer.Get(), -offset.x, -offset.y, background_);
  {
    const TPaintingPopup painting(manager_, this);
    const int saved = SaveDC(buffer.Get());
    HRGN items = ItemRegion();
    SelectClipRgn(buffer.Get(), items);
    DeleteObject(items);
    SetBkMode(buffer.Get(), TRANSPARENT);
    subclass_.PassOn(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.Get()), PRF_CLIENT);
    RestoreDC(buffer.Get(), saved);
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK TWinSkinPopMenu::Proc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR ref) {
  auto* self = reinterpret_cast<TWinSkinPopMenu*>(ref);
  if (msg == SKM_ISSKINNED) return 1;
  if (msg == WM_NCDESTROY) {
    // The window's end: the procedure goes back before the window does.
    self->subclass_.Remove();
    return self->subclass_.PassOn(msg, wp, lp);
  }
  const TBusy busy(self->busy_);
  try {
    return self->Dispatch(msg, wp, lp);
  } catch (...) {
    // The skin engine never reports: the menu goes on with its own look.
    return self->subclass_.PassOn(msg, wp, lp);
  }
}

LRESULT TWinSkinPopMenu::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  const HWND hwnd = handle_;
  switch (msg) {
    case WM_ERASEBKGND:
      if (!Skinned()) break;
      if (data_->Options().Contains(xoMenuBG)) return 1;
      subclass_.PassOn(msg, wp, lp);
      return 1;
    case WM_NCPAINT: {
      if (!Skinned()) break;
      const LRESULT result = subclass_.PassOn(msg, wp, lp);
      PaintBorder();
      return result;
    }
    case WM_PAINT: {
      if (!Skinned()) break;
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc) PaintClient(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (!Skinned()) break;
      PaintClient(reinterpret_cast<HDC>(wp));
      return 0;
    default:
      break;
  }
  return subclass_.PassOn(msg, wp, lp);
}
