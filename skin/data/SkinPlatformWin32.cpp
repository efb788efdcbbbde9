#include "skin/data/SkinPlatformWin32.h"

#include "framework/BitmapWin32.h"
#include "framework/BmpReader.h"
#include "framework/GdiObjects.h"
#include "framework/Unicode.h"

namespace {

// A brush that owns its GDI brush.
class TWin32Brush : public TSkinBrush {
 public:
  explicit TWin32Brush(TColor colour)
      : TSkinBrush(colour), brush_(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(colour)))) {}
  void* Handle() const override { return brush_.Get(); }

 private:
  TOwnedBrush brush_;
};

}  // namespace

TWin32SkinPlatform::TWin32SkinPlatform(std::function<HWND()> application_window,
                                       std::string caption)
    : application_window_(std::move(application_window)), messages_(std::move(caption)) {}

bool TWin32SkinPlatform::LoadBitmapResource(const std::string& name, TBitmap& bitmap) const {
  bitmap.Clear();
  const HMODULE module = GetModuleHandleW(nullptr);
  const std::wstring wide = Utf8ToWide(name);
  const HRSRC info = FindResourceW(module, wide.c_str(), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (!info) return false;
  const HGLOBAL loaded = LoadResource(module, info);
  const DWORD size = SizeofResource(module, info);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return false;
  return ReadPackedDib(std::span(static_cast<const std::uint8_t*>(bytes), size), bitmap);
}

void DrawIconOnMagenta(HICON icon, TBitmap& bitmap) {
  bitmap.Clear();
  if (!icon) return;
  const int cx = GetSystemMetrics(SM_CXSMICON);
  const int cy = GetSystemMetrics(SM_CYSMICON);
  TOwnedIcon small(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
  if (!small.Get()) return;
  THBitmap dib = MakeDibSection(TBitmap(cx, cy, clFuchsia));
  if (!dib) return;
  const HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  const HGDIOBJ old = SelectObject(dc, dib.Get());
  DrawIconEx(dc, 0, 0, small.Get(), cx, cy, 0, nullptr, DI_NORMAL);
  SelectObject(dc, old);
  DeleteDC(dc);
  if (!ReadGdiBitmap(dib.Get(), bitmap)) return;
  bitmap.SetBitCount(24);
  bitmap.Transparent = true;
  bitmap.TransparentColor = clFuchsia;
}

void TWin32SkinPlatform::CaptureApplicationIcon(TBitmap& icon) const {
  icon.Clear();
  const HWND window = application_window_ ? application_window_() : nullptr;
  if (!window) return;
  auto handle = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  if (!handle) handle = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  DrawIconOnMagenta(handle, icon);
}

std::unique_ptr<TSkinBrush> TWin32SkinPlatform::MakeSolidBrush(TColor colour) const {
  return std::make_unique<TWin32Brush>(colour);
}
