#pragma once
// The skin data's services on Windows: the program's bitmap resources, the
// application icon, system metrics, GDI brushes and the message box about
// skins of an older format.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Dpi.h"
#include "skin/data/SkinEnvironment.h"
#include "skin/data/SkinSystemWin32.h"
#include "skin/packages/SkinMessages.h"

class TWin32SkinPlatform : public TSkinPlatform {
 public:
  // `application_window` answers the window whose icon is the application's
  // (asked when a component starts; may answer null). `caption` (UTF-8)
  // titles the message boxes.
  TWin32SkinPlatform(std::function<HWND()> application_window, std::string caption);

  bool HasScrollBarInfo() const override { return system_.HasScrollBarInfo(); }
  // At 96 DPI: the images built from it are skin images, which the
  // renderer scales to each window's DPI like every other.
  int ScrollArrowWidth() const override { return SystemMetricsForDpi(SM_CXHSCROLL, kDefaultDpi); }
  bool LoadBitmapResource(const std::string& name, TBitmap& bitmap) const override;
  void CaptureApplicationIcon(TBitmap& icon) const override;
  std::unique_ptr<TSkinBrush> MakeSolidBrush(TColor colour) const override;
  TSkinMessageSink* Messages() const override { return &messages_; }

  const TSkinSystem& System() const { return system_; }

 private:
  std::function<HWND()> application_window_;
  TSkinSystem system_;
  mutable TSkinMessageBox messages_;
};

// Draws `icon` on magenta at the small-icon size; an empty bitmap when the
// icon cannot be drawn. The result has magenta as its transparent colour.
void DrawIconOnMagenta(HICON icon, TBitmap& bitmap);
