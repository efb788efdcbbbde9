#pragma once
// The arithmetic of a skinned frame, free of Win32 so that it is tested on
// its own: the border sizes a skin gives a window, where the client area
// lies inside it, which caption buttons show and where they stand, and the
// opaque runs of a frame image that make up the window's outline.
#include <functional>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/SkinRender.h"

class TSkinData;

// Kinds of frame: a sizable one, a single border, no caption at all, or a
// dialog frame.
enum TFrameKind { fkSizable = 0, fkSingle = 1, fkNone = 2, fkDialog = 3 };

enum TShowState { ssNormal = 0, ssMaximized = 1, ssMinimized = 2 };

// Border icons of a window, as bits.
inline constexpr int kIconMaximize = 1;
inline constexpr int kIconMinimize = 2;
inline constexpr int kIconSystemMenu = 8;
// The window's own caption is switched off while the skin draws it.
inline constexpr int kIconNativeCaption = 0x10;

// The non-client sizes a skin gives a window.
struct TFrameMetrics {
  int left = 0;
  int caption = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const TFrameMetrics&, const TFrameMetrics&) = default;
};

// A frame count as every divider uses it: below 1 counts as 1.
inline int FrameCount(int frames) {
  return frames < 1 ? 1 : frames;
}

// Border widths from the four frame images (one cell of each strip), scaled
// to the window's DPI; all 0 for a window without caption.
TFrameMetrics FrameMetricsOf(const TSkinData& data, TFrameKind kind, int dpi = kSkinDpi);

// The least caption a skinned frame must give: something to hold the window
// by and to carry its caption buttons.
inline constexpr int kMinSkinnedCaption = 8;

// Whether a skinned frame of these sizes leaves a window usable on a work
// area of `area_width` x `area_height`: a caption to move it by, a border on
// every side, and the frame taking at most half the work area each way, so
// that a client area remains. A frame that is not usable is not applied.
bool FrameUsable(const TFrameMetrics& frame, int area_width, int area_height);

// Where the client area lies in a window of `window` (screen or parent
// coordinates) under a skinned frame with a menu bar line of `menu_bar`.
TRect SkinnedClientRect(const TRect& window, const TFrameMetrics& frame, int menu_bar);

// Everything the caption-button rules read about a window.
struct TCaptionWindowState {
  bool maximized = false;
  bool active = true;
  int border_icons = 0;  // kIcon... bits
  TFrameKind frame_kind = fkSingle;
  bool system_dialog = false;
  // An MDI frame whose active child is maximised, and which has a skinned
  // menu bar.
  bool mdi_child_maximized_in_menu_bar = false;
  // The window's answer to the visibility query (codes 1000 to 2000).
  std::function<int(int code, int action)> ask_window;
};

// Whether a caption button shows, from its two visibility codes and its
// action.
bool CaptionButtonVisible(const TDataSkinSysButton& button, const TCaptionWindowState& state);

// Where a caption button of `width` x `height` stands, in frame coordinates
// (origin at the window's top-left corner).
struct TCaptionLayoutFrame {
  int frame_width = 0;
  TFrameMetrics metrics;
  int menu_bar = 0;
  int menu_bar_margin = 0;
  bool right_to_left = false;
  // The skin's button positions are 96-DPI pixels; they are scaled to this.
  int dpi = kSkinDpi;
};
TRect CaptionButtonBounds(const TDataSkinSysButton& button, int width, int height,
                          const TCaptionLayoutFrame& frame);

// The opaque parts of a bitmap, row by row: each maximal run of pixels that
// are not the key colour becomes one rectangle, offset by (dx, dy); rows
// with the same runs as the row above share its rectangles, which grow
// downwards. A pixel is transparent when each channel lies between the
// key's and the key's plus the tolerance.
std::vector<TRect> OpaqueRuns(const TBitmap& bitmap, int dx, int dy, TColor key, int tolerance);
