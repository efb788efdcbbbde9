#pragma once
// Builds one skin from its description: every bitmap of the package, the
// definition text, and the metrics both of them share.
#include <string>
#include <vector>

#include "skins/generator/Raster.h"
#include "skins/generator/SkinStyle.h"

namespace skingen {

// Sizes and positions that the images and the definition must agree on.
struct TSkinMetrics {
  int caption_height = 0;
  int border = 0;
  int cap_end = 0;      // unscaled ends of the caption image
  int frame_width = 0;  // width of the model window the frame is cut from
  int frame_height = 0;
  int side_bottom_end = 0;  // unscaled bottom end of the side parts
  int bottom_end = 0;       // unscaled ends of the bottom part
  int icon_x = 0, icon_y = 0;
  int pin_x = 0, pin_y = 0;
  int button_y = 0;  // caption buttons
  int text_shift = 0, text_shift_vert = 0, text_right_clip = 0;
  int push_margin = 0;  // push-button nine-slice margins
  int menu_bar_height = 20;

  // Distance from the window's right edge to the left edge of caption
  // button slot `slot` (1 = the close button's place).
  int SlotX(const TSkinStyle& style, int slot) const;
};

TSkinMetrics ComputeMetrics(const TSkinStyle& style);

// One bitmap of a package: a strip of `cells` equal cells side by side, or
// stacked from top to bottom.
struct TSkinImage {
  std::string file;   // member name (lower case, ".bmp")
  std::string title;  // what it holds, for the preview sheet
  TImage image;
  int cells = 1;
  bool stacked = false;
  std::vector<std::string> cell_names;  // one short label per cell
};

struct TBuiltSkin {
  TSkinStyle style;
  TSkinMetrics metrics;
  std::vector<TSkinImage> images;
  std::string definition_file;  // "<name>.ini"
  std::string definition;       // CR LF line ends
};

// The face of a push, spin or combo button that is down (pressed, or a
// speed button held down), and the caption colour that reads on it: the
// images and the definition both use them, so they stay a pair.
TRgb DownFace(const TSkinStyle& style);
TRgb DownText(const TSkinStyle& style);

std::vector<TSkinImage> DrawSkinImages(const TSkinStyle& style, const TSkinMetrics& metrics);
std::string WriteDefinition(const TSkinStyle& style, const TSkinMetrics& metrics);
TBuiltSkin BuildSkin(const TSkinStyle& style);

// The image named `file` of a built skin; std::out_of_range when absent.
const TSkinImage& FindImage(const TBuiltSkin& skin, const std::string& file);

}  // namespace skingen
