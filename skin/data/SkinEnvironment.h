#pragma once
// What the skin data component needs from outside itself: a few services of
// the system it runs on (TSkinPlatform) and the single skin manager of the
// process, made when the first component starts. The program keeps one
// TSkinEnvironment for its whole run and hands it to every skin data
// component; tests make their own.
#include <functional>
#include <memory>
#include <string>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "skin/data/SkinManager.h"
#include "skin/packages/SkinMessages.h"

// A solid brush made for painting (the face brush). Natively it is only its
// colour; on Windows it also owns a GDI brush.
class TSkinBrush {
 public:
  explicit TSkinBrush(TColor colour) : colour_(colour) {}
  virtual ~TSkinBrush() = default;
  TColor Colour() const { return colour_; }
  // The GDI brush (HBRUSH), or null where there is none.
  virtual void* Handle() const { return nullptr; }

 private:
  TColor colour_;
};

class TSkinPlatform {
 public:
  virtual ~TSkinPlatform() = default;
  // Whether the system offers GetScrollBarInfo (scroll bars are skinned
  // only then).
  virtual bool HasScrollBarInfo() const = 0;
  // Width of a horizontal scroll bar's arrow button (SM_CXHSCROLL) at 96
  // DPI, the skin images' own scale.
  virtual int ScrollArrowWidth() const = 0;
  // One of the program's bitmap resources by name; false (bitmap empty)
  // when there is none.
  virtual bool LoadBitmapResource(const std::string& name, TBitmap& bitmap) const = 0;
  // The application's small icon drawn on magenta at the small-icon size;
  // an empty bitmap when the application has no icon.
  virtual void CaptureApplicationIcon(TBitmap& icon) const = 0;
  virtual std::unique_ptr<TSkinBrush> MakeSolidBrush(TColor colour) const = 0;
  // Where the archive reader tells the user about skins of an older format;
  // null: no one is told.
  virtual TSkinMessageSink* Messages() const { return nullptr; }
};

// The platform of natively built code: the built-in bitmaps drawn by code,
// scroll bars with their usual 17-pixel arrows, no icon, brushes that are
// only colours.
class TPortableSkinPlatform : public TSkinPlatform {
 public:
  bool HasScrollBarInfo() const override { return true; }
  int ScrollArrowWidth() const override { return 17; }
  bool LoadBitmapResource(const std::string& name, TBitmap& bitmap) const override;
  void CaptureApplicationIcon(TBitmap& icon) const override { icon.Clear(); }
  std::unique_ptr<TSkinBrush> MakeSolidBrush(TColor colour) const override {
    return std::make_unique<TSkinBrush>(colour);
  }
};

class TSkinEnvironment {
 public:
  using ManagerFactory = std::function<std::unique_ptr<TCustomSkinManager>()>;

  TSkinEnvironment(std::unique_ptr<TSkinPlatform> platform, ManagerFactory make_manager)
      : platform_(std::move(platform)), make_manager_(std::move(make_manager)) {}
  TSkinEnvironment(const TSkinEnvironment&) = delete;
  TSkinEnvironment& operator=(const TSkinEnvironment&) = delete;

  const TSkinPlatform& Platform() const { return *platform_; }
  // Null until the first component has started.
  TCustomSkinManager* Manager() const { return manager_.get(); }
  // The manager, made on first use; it lives as long as the environment.
  TCustomSkinManager& CreateManager() {
    if (!manager_) manager_ = make_manager_();
    return *manager_;
  }

 private:
  std::unique_ptr<TSkinPlatform> platform_;
  ManagerFactory make_manager_;
  std::unique_ptr<TCustomSkinManager> manager_;
};
