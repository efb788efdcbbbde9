#pragma once
// Owning and borrowed GDI handles. TGdiObject deletes what it owns (icons
// and menus with their own destroy functions); a
// TSelectObject selects an object into a DC for one scope and puts the
// previous one back; TMemoryDC is a memory DC with a compatible bitmap, the
// back buffer that painting code draws into before one copy to the screen.
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

class TMemoryDC {
 public:
  TMemoryDC(HDC compatible_with, int width, int height)
      : dc_(CreateCompatibleDC(compatible_with)),
        bitmap_(CreateCompatibleBitmap(compatible_with, width, height)),
        select_(dc_.dc, bitmap_.Get()) {}
  ~TMemoryDC() = default;
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return dc_.dc; }

 private:
  struct OwnedDC {
    explicit OwnedDC(HDC d) : dc(d) {
      if (dc) CountHandle(THandleKind::hkDeviceContext, 1);
    }
    ~OwnedDC() {
      if (!dc) return;
      DeleteDC(dc);
      CountHandle(THandleKind::hkDeviceContext, -1);
    }
    HDC dc;
  };
  OwnedDC dc_;
  TOwnedBitmap bitmap_;
  TSelectObject select_;
};
