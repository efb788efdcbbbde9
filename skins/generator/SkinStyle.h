#pragma once
// The description of one skin: its palette, shapes and metrics. Every image
// and the definition text of a skin are drawn from this alone, so a new
// look is a new description (see skins/README.md).
#include <string>

#include "skins/generator/Raster.h"

namespace skingen {

// How the caption buttons (close, maximise, ...) look.
enum class TCaptionButtonShape {
  cbFlat,      // glyph only; a rounded plate appears under the mouse
  cbCircle,    // translucent round plates
  cbRounded,   // rounded squares with a faint plate
  cbBoxed,     // outlined squares with heavy glyphs
  cbGlossPill  // glossy rounded pills
};

struct TSkinStyle {
  int item = 0;           // index in the skin store
  std::string name;       // shown name, also the definition's file name
  std::string file_stem;  // lower-case name of the built package
  std::string character;  // one line for people choosing a skin

  // Palette.
  TRgb face;             // dialog and control background (ButtonFace)
  TRgb text;             // control text (ButtonText, WindowText)
  TRgb field;            // inside of edits, boxes, tracks
  TRgb shadow;           // ButtonShadow: group frames, disabled text
  TRgb dark_shadow;      // ButtonDkShadow
  TRgb light;            // ButtonHilight: hot menu-bar frame, bevel light
  TRgb accent;           // Hilight: selection, progress, checked boxes
  TRgb accent_text;      // HilightText
  TRgb menu, menu_text;  // popup menus
  TRgb menubar, menubar_text;
  TRgb caption_top, caption_bottom;                    // active caption ramp
  TRgb caption_inactive_top, caption_inactive_bottom;  // inactive caption ramp
  TRgb title_text, title_text_inactive;
  TRgb frame_outline;                             // outermost line of the window
  TRgb frame_border, frame_border_inactive;       // left, right and bottom band
  TRgb button_top, button_bottom, button_border;  // push buttons
  TRgb button_hot_text;                           // caption of a push button under the mouse
  TRgb control_border;                            // edits, check boxes, tracks, tabs
  TRgb track;                                     // scroll-bar track (Scrollbar colour)
  TRgb thumb;                                     // scroll thumb at rest
  TRgb close_hot;                                 // close button under the mouse
  TRgb close_hot_glyph;

  // Shapes and metrics, in pixels.
  int caption_height = 30;
  int border = 4;         // left, right and bottom frame band
  int window_radius = 8;  // top corners
  int window_bottom_radius = 5;
  int outline = 1;            // width of frame and control lines
  int button_radius = 4;      // push buttons
  int box_radius = 3;         // check boxes
  int control_radius = 3;     // edits, tabs, progress, menus
  float glyph_stroke = 1.2f;  // caption glyph line width
  TCaptionButtonShape caption_buttons = TCaptionButtonShape::cbFlat;
  int caption_button_width = 36;
  int caption_button_height = 24;
  int caption_button_gap = 2;
  int caption_button_margin = 4;  // from the right border to the close button
  bool gloss = false;             // a light band over the upper half of bars and buttons
  int font_height = 14;           // title font
};

}  // namespace skingen
