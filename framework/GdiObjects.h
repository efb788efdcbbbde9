#pragma once
// Owning and borrowed GDI handles. TGdiObject deletes what it owns (icons
// and menus with their own destroy functions); a
// TSelectObject selects an object into a DC for one scope and puts the
// previous one back; TOwnedMemoryDC is a memory DC, TBitmapDC one with a
// caller's bitmap selected, TMemoryDC one with a compatible bitmap of its
// own: the back buffer that painting code draws into before one copy to the
// screen. DCs are counted like the objects.
#include <windows.h>

#include <utility>

#include "framework/HandleCount.h"

struct TDeleteObject {
  static constexpr THandleKind kKind = THandleKind::hkGdiObject;
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct TDestroyIcon {
  static constexpr THandleKind kKind = THandleKind::hkIcon;
  void operator()(HICON h) const { DestroyIcon(h); }
};
// Destroying a menu destroys its submenus with it.
struct TDestroyMenu {
  static constexpr THandleKind kKind = THandleKind::hkMenu;
  void operator()(HMENU h) const { DestroyMenu(h); }
};

template <class H, class Free = TDeleteObject>
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(H h) : h_(h) {
    if (h_) CountHandle(Free::kKind, 1);
  }
  ~TGdiObject() { Reset(); }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  TGdiObject(TGdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  TGdiObject& operator=(TGdiObject&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  H Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(H h = nullptr) {
    if (h_) {
      Free{}(h_);
      CountHandle(Free::kKind, -1);
    }
    h_ = h;
    if (h_) CountHandle(Free::kKind, 1);
  }
  // The handle leaves the owner (and the count): someone else frees it now.
  H Release() {
    if (h_) CountHandle(Free::kKind, -1);
    return std::exchange(h_, nullptr);
  }

 private:
  H h_ = nullptr;
};

using TOwnedFont = TGdiObject<HFONT>;
using TOwnedBrush = TGdiObject<HBRUSH>;
using TOwnedPen = TGdiObject<HPEN>;
using TOwnedBitmap = TGdiObject<HBITMAP>;
using TOwnedRegion = TGdiObject<HRGN>;
using TOwnedIcon = TGdiObject<HICON, TDestroyIcon>;
using TOwnedMenu = TGdiObject<HMENU, TDestroyMenu>;

class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~TSelectObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Which part of a window a borrowed DC draws on.
enum class TDCArea { daClient, daWholeWindow };

// A window DC borrowed with GetDC (or GetWindowDC, frame included) and
// given back with ReleaseDC.
class TWindowDC {
 public:
  explicit TWindowDC(HWND hwnd, TDCArea area = TDCArea::daClient)
      : hwnd_(hwnd), dc_(area == TDCArea::daClient ? GetDC(hwnd) : GetWindowDC(hwnd)) {
    if (dc_) CountHandle(THandleKind::hkDeviceContext, 1);
  }
  ~TWindowDC() {
    if (!dc_) return;
    ReleaseDC(hwnd_, dc_);
    CountHandle(THandleKind::hkDeviceContext, -1);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// A memory DC made with CreateCompatibleDC (compatible with the screen when
// given none) and deleted when it goes.
class TOwnedMemoryDC {
 public:
  explicit TOwnedMemoryDC(HDC compatible_with = nullptr)
      : dc_(CreateCompatibleDC(compatible_with)) {
    if (dc_) CountHandle(THandleKind::hkDeviceContext, 1);
  }
  ~TOwnedMemoryDC() {
    if (!dc_) return;
    DeleteDC(dc_);
    CountHandle(THandleKind::hkDeviceContext, -1);
  }
  TOwnedMemoryDC(const TOwnedMemoryDC&) = delete;
  TOwnedMemoryDC& operator=(const TOwnedMemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A memory DC with a bitmap the caller owns selected into it; the bitmap is
// put back out before the DC goes.
class TBitmapDC {
 public:
  explicit TBitmapDC(HBITMAP bitmap) : select_(dc_.Get(), dc_.Get() ? bitmap : nullptr) {}
  TBitmapDC(const TBitmapDC&) = delete;
  TBitmapDC& operator=(const TBitmapDC&) = delete;
  HDC Get() const { return dc_.Get(); }

 private:
  TOwnedMemoryDC dc_;
  TSelectObject select_;
};

// A memory DC with a bitmap of its own, compatible with `compatible_with`.
class TMemoryDC {
 public:
  TMemoryDC(HDC compatible_with, int width, int height)
      : dc_(compatible_with),
        bitmap_(CreateCompatibleBitmap(compatible_with, width, height)),
        select_(dc_.Get(), bitmap_.Get()) {}
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_.Get(); }

 private:
  TOwnedMemoryDC dc_;
  TOwnedBitmap bitmap_;
  TSelectObject select_;
};
