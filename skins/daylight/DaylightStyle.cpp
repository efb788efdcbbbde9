// Daylight: the face of the program. A clean light look for Windows 10 and
// 11: a pale blue-grey caption ramp, rounded corners, flat caption buttons
// that show a plate under the mouse, and a blue accent.
#include "skins/generator/Catalogue.h"

namespace skingen {

TSkinStyle DaylightStyle() {
  TSkinStyle s;
  s.item = 2;
  s.name = "Daylight";
  s.file_stem = "daylight";
  s.character = "clean modern light look, pale caption ramp, rounded corners, blue accent";
  s.face = Hex("#f3f5f8");
  s.text = Hex("#1c1e21");
  s.field = Hex("#ffffff");
  s.shadow = Hex("#6b7280");
  s.dark_shadow = Hex("#3c4048");
  s.light = Hex("#ffffff");
  s.accent = Hex("#0a5fc4");
  s.accent_text = Hex("#ffffff");
  s.menu = Hex("#ffffff");
  s.menu_text = Hex("#1c1e21");
  s.menubar = Hex("#edf2f8");
  s.menubar_text = Hex("#1c1e21");
  s.caption_top = Hex("#fdfeff");
  s.caption_bottom = Hex("#d3e1f2");
  s.caption_inactive_top = Hex("#f8f9fb");
  s.caption_inactive_bottom = Hex("#e7eaef");
  s.title_text = Hex("#14202f");
  s.title_text_inactive = Hex("#5f6672");
  s.frame_outline = Hex("#7f93ad");
  s.frame_border = Hex("#d3e1f2");
  s.frame_border_inactive = Hex("#e7eaef");
  s.button_top = Hex("#ffffff");
  s.button_bottom = Hex("#eaeef3");
  s.button_border = Hex("#aab4c2");
  s.button_hot_text = Hex("#0a3f80");
  s.control_border = Hex("#9aa6b5");
  s.track = Hex("#eef1f5");
  s.thumb = Hex("#aeb8c6");
  s.close_hot = Hex("#c42b1c");
  s.close_hot_glyph = Hex("#ffffff");
  s.caption_height = 32;
  s.border = 4;
  s.window_radius = 9;
  s.window_bottom_radius = 6;
  s.outline = 1;
  s.button_radius = 5;
  s.box_radius = 3;
  s.control_radius = 4;
  s.glyph_stroke = 1.2f;
  s.caption_buttons = TCaptionButtonShape::cbFlat;
  s.caption_button_width = 38;
  s.caption_button_height = 24;
  s.caption_button_gap = 2;
  s.caption_button_margin = 4;
  s.gloss = false;
  s.font_height = 14;
  return s;
}

}  // namespace skingen
