// Meadow: soft greens with a deep green caption, generous curves, round
// caption buttons and pill-shaped push buttons.
#include "skins/generator/Catalogue.h"

namespace skingen {

TSkinStyle MeadowStyle() {
  TSkinStyle s;
  s.item = 0;
  s.name = "Meadow";
  s.file_stem = "meadow";
  s.character = "soft greens, deep green caption, round caption buttons, pill buttons";
  s.face = Hex("#eef3ea");
  s.text = Hex("#1f2a1c");
  s.field = Hex("#fbfdf9");
  s.shadow = Hex("#63755a");
  s.dark_shadow = Hex("#38452f");
  s.light = Hex("#ffffff");
  s.accent = Hex("#2f6b3a");
  s.accent_text = Hex("#ffffff");
  s.menu = Hex("#f8fbf5");
  s.menu_text = Hex("#1f2a1c");
  s.menubar = Hex("#dde8d3");
  s.menubar_text = Hex("#1f2a1c");
  s.caption_top = Hex("#3d7846");
  s.caption_bottom = Hex("#285a31");
  s.caption_inactive_top = Hex("#d3e0cf");
  s.caption_inactive_bottom = Hex("#c0d1bc");
  s.title_text = Hex("#ffffff");
  s.title_text_inactive = Hex("#33422f");
  s.frame_outline = Hex("#1b3f21");
  s.frame_border = Hex("#285a31");
  s.frame_border_inactive = Hex("#c0d1bc");
  s.button_top = Hex("#fbfdf8");
  s.button_bottom = Hex("#e0eadb");
  s.button_border = Hex("#8aa481");
  s.button_hot_text = Hex("#1a4d24");
  s.control_border = Hex("#86a07d");
  s.track = Hex("#e2ebdc");
  s.thumb = Hex("#a5bd9d");
  s.close_hot = Hex("#b23c2c");
  s.close_hot_glyph = Hex("#ffffff");
  s.caption_height = 30;
  s.border = 5;
  s.window_radius = 12;
  s.window_bottom_radius = 8;
  s.outline = 1;
  s.button_radius = 8;
  s.box_radius = 4;
  s.control_radius = 5;
  s.glyph_stroke = 1.4f;
  s.caption_buttons = TCaptionButtonShape::cbCircle;
  s.caption_button_width = 20;
  s.caption_button_height = 20;
  s.caption_button_gap = 5;
  s.caption_button_margin = 7;
  s.gloss = false;
  s.font_height = 14;
  return s;
}

}  // namespace skingen
