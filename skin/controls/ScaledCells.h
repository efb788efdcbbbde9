#pragma once
// Cells of skin images rendered at a size and DPI, kept so that repainting
// a control costs no new scaling: a cell is rendered once per image, cell,
// size and DPI. The owner clears the cells whenever the images they were
// cut from change (a new skin, a turned image).
#include <deque>

#include "framework/Bitmap.h"
#include "skin/data/SkinRender.h"

class TScaledCells {
 public:
  // Cell `cell` of `frames` cells of `image`, nine-part with `margins`
  // (96-DPI pixels), scaled to width x height at `dpi`. The cell lives until
  // Clear or until the list is full.
  const TBitmap& Cell(const TBitmap& image, const TSkinMargins& margins, bool tile, int frames,
                      int cell, int width, int height, int dpi) {
    for (const TEntry& e : entries_) {
      if (e.image == &image && e.frames == frames && e.cell == cell && e.width == width &&
          e.height == height && e.dpi == dpi && e.tile == tile && Same(e.margins, margins)) {
        return e.bitmap;
      }
    }
    // Sizes come and go (a resized control, a window moved to a screen of
    // another DPI): the list never grows past a few screens' worth.
    if (entries_.size() >= kMostEntries) entries_.clear();
    entries_.push_back(
        {&image, margins, tile, frames, cell, width, height, dpi,
         RenderSkinPart(width, height, image, margins, false, tile, frames, cell, dpi)});
    return entries_.back().bitmap;
  }
  void Clear() { entries_.clear(); }
  size_t Count() const { return entries_.size(); }

 private:
  static constexpr size_t kMostEntries = 48;
  struct TEntry {
    const TBitmap* image;
    TSkinMargins margins;
    bool tile;
    int frames, cell, width, height, dpi;
    TBitmap bitmap;
  };
  static bool Same(const TSkinMargins& a, const TSkinMargins& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }

  std::deque<TEntry> entries_;  // a cell handed out stays put while others are added
};
