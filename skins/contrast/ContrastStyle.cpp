// Contrast: for people with low vision. Black surfaces, white text and
// lines two pixels wide, yellow selection with black text, heavy glyphs;
// every text colour reads at 7:1 or better.
#include "skins/generator/Catalogue.h"

namespace skingen {

TSkinStyle ContrastStyle() {
  TSkinStyle s;
  s.item = 3;
  s.name = "Contrast";
  s.file_stem = "contrast";
  s.character = "high contrast: black and white, yellow selection, heavy lines and glyphs";
  s.face = Hex("#000000");
  s.text = Hex("#ffffff");
  s.field = Hex("#000000");
  s.shadow = Hex("#b0b0b0");
  s.dark_shadow = Hex("#ffffff");
  s.light = Hex("#ffff00");
  s.accent = Hex("#ffff00");
  s.accent_text = Hex("#000000");
  s.menu = Hex("#000000");
  s.menu_text = Hex("#ffffff");
  s.menubar = Hex("#000000");
  s.menubar_text = Hex("#ffffff");
  s.caption_top = Hex("#1c1c8c");
  s.caption_bottom = Hex("#000060");
  s.caption_inactive_top = Hex("#3a3a3a");
  s.caption_inactive_bottom = Hex("#262626");
  s.title_text = Hex("#ffffff");
  s.title_text_inactive = Hex("#ffffff");
  s.frame_outline = Hex("#ffffff");
  s.frame_border = Hex("#000000");
  s.frame_border_inactive = Hex("#000000");
  s.button_top = Hex("#000000");
  s.button_bottom = Hex("#000000");
  s.button_border = Hex("#ffffff");
  s.button_hot_text = Hex("#ffff00");
  s.control_border = Hex("#ffffff");
  s.track = Hex("#000000");
  s.thumb = Hex("#ffffff");
  s.close_hot = Hex("#ffff00");
  s.close_hot_glyph = Hex("#000000");
  s.caption_height = 30;
  s.border = 5;
  s.window_radius = 5;
  s.window_bottom_radius = 4;
  s.outline = 2;
  s.button_radius = 3;
  s.box_radius = 2;
  s.control_radius = 2;
  s.glyph_stroke = 2.4f;
  s.caption_buttons = TCaptionButtonShape::cbBoxed;
  s.caption_button_width = 28;
  s.caption_button_height = 22;
  s.caption_button_gap = 3;
  s.caption_button_margin = 3;
  s.gloss = false;
  s.font_height = 16;
  return s;
}

}  // namespace skingen
