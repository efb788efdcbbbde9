// Nightfall: the dark skin. Charcoal surfaces, light text, a teal accent and
// quiet rounded caption buttons.
#include "skins/generator/Catalogue.h"

namespace skingen {

TSkinStyle NightfallStyle() {
  TSkinStyle s;
  s.item = 1;
  s.name = "Nightfall";
  s.file_stem = "nightfall";
  s.character = "dark charcoal with light text and a teal accent";
  s.face = Hex("#25272b");
  s.text = Hex("#e8e9eb");
  s.field = Hex("#1b1c1f");
  s.shadow = Hex("#8f949d");
  s.dark_shadow = Hex("#0e0f11");
  s.light = Hex("#5a606a");
  s.accent = Hex("#1f6f8b");
  s.accent_text = Hex("#ffffff");
  s.menu = Hex("#2d3035");
  s.menu_text = Hex("#e8e9eb");
  s.menubar = Hex("#1f2125");
  s.menubar_text = Hex("#e8e9eb");
  s.caption_top = Hex("#30343b");
  s.caption_bottom = Hex("#1c1f24");
  s.caption_inactive_top = Hex("#2c2e32");
  s.caption_inactive_bottom = Hex("#24262a");
  s.title_text = Hex("#f2f3f5");
  s.title_text_inactive = Hex("#9aa0a8");
  s.frame_outline = Hex("#07080a");
  s.frame_border = Hex("#1c1f24");
  s.frame_border_inactive = Hex("#24262a");
  s.button_top = Hex("#484d56");
  s.button_bottom = Hex("#3c4149");
  s.button_border = Hex("#5a606a");
  s.button_hot_text = Hex("#ffffff");
  s.control_border = Hex("#5d636d");
  s.track = Hex("#1f2125");
  s.thumb = Hex("#4f545d");
  s.close_hot = Hex("#b8372b");
  s.close_hot_glyph = Hex("#ffffff");
  s.caption_height = 30;
  s.border = 4;
  s.window_radius = 7;
  s.window_bottom_radius = 5;
  s.outline = 1;
  s.button_radius = 4;
  s.box_radius = 3;
  s.control_radius = 3;
  s.glyph_stroke = 1.3f;
  s.caption_buttons = TCaptionButtonShape::cbRounded;
  s.caption_button_width = 30;
  s.caption_button_height = 22;
  s.caption_button_gap = 3;
  s.caption_button_margin = 4;
  s.gloss = false;
  s.font_height = 14;
  return s;
}

}  // namespace skingen
