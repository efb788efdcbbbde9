// Ember: warm sand surfaces under a glowing rust caption, glossy pill
// caption buttons and glossy push buttons.
#include "skins/generator/Catalogue.h"

namespace skingen {

TSkinStyle EmberStyle() {
  TSkinStyle s;
  s.item = 4;
  s.name = "Ember";
  s.file_stem = "ember";
  s.character = "warm sand with a rust-to-maroon glossy caption and glossy pills";
  s.face = Hex("#f4ece2");
  s.text = Hex("#2b1a10");
  s.field = Hex("#fffaf4");
  s.shadow = Hex("#7c6554");
  s.dark_shadow = Hex("#3e2a1c");
  s.light = Hex("#fffaf4");
  s.accent = Hex("#a13c12");
  s.accent_text = Hex("#ffffff");
  s.menu = Hex("#fff8f0");
  s.menu_text = Hex("#2b1a10");
  s.menubar = Hex("#ead9c6");
  s.menubar_text = Hex("#2b1a10");
  s.caption_top = Hex("#8e3116");
  s.caption_bottom = Hex("#5a180c");
  s.caption_inactive_top = Hex("#e8d9cc");
  s.caption_inactive_bottom = Hex("#d8c4b4");
  s.title_text = Hex("#fff3e0");
  s.title_text_inactive = Hex("#4d3326");
  s.frame_outline = Hex("#330d05");
  s.frame_border = Hex("#5a180c");
  s.frame_border_inactive = Hex("#d8c4b4");
  s.button_top = Hex("#fffbf6");
  s.button_bottom = Hex("#ead8c4");
  s.button_border = Hex("#ad8668");
  s.button_hot_text = Hex("#5a180c");
  s.control_border = Hex("#ad8668");
  s.track = Hex("#efe3d6");
  s.thumb = Hex("#c6a488");
  s.close_hot = Hex("#d0401a");
  s.close_hot_glyph = Hex("#ffffff");
  s.caption_height = 32;
  s.border = 5;
  s.window_radius = 10;
  s.window_bottom_radius = 6;
  s.outline = 1;
  s.button_radius = 6;
  s.box_radius = 3;
  s.control_radius = 4;
  s.glyph_stroke = 1.5f;
  s.caption_buttons = TCaptionButtonShape::cbGlossPill;
  s.caption_button_width = 30;
  s.caption_button_height = 20;
  s.caption_button_gap = 3;
  s.caption_button_margin = 5;
  s.gloss = true;
  s.font_height = 14;
  return s;
}

}  // namespace skingen
