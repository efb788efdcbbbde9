#include "skins/generator/PreviewSheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "skins/generator/LabelFont.h"

namespace skingen {

namespace {

const TRgb kSheet = Rgb(200, 200, 204);
const TRgb kInk = Rgb(20, 20, 24);
const TRgb kCellLine = Rgb(0, 150, 255);
const TRgb kKeyLight = Rgb(250, 226, 250), kKeyDark = Rgb(236, 196, 236);

std::string Hex2(TRgb c) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X%02X%02X", static_cast<int>(std::lround(c.r)),
                static_cast<int>(std::lround(c.g)), static_cast<int>(std::lround(c.b)));
  return text;
}

void FillRect(TImage& image, int x, int y, int w, int h, TRgb c) {
  for (int py = std::max(y, 0); py < std::min(y + h, image.height); ++py) {
    for (int px = std::max(x, 0); px < std::min(x + w, image.width); ++px) {
      std::uint8_t* p = image.Pixel(px, py);
      p[0] = static_cast<std::uint8_t>(std::lround(c.r));
      p[1] = static_cast<std::uint8_t>(std::lround(c.g));
      p[2] = static_cast<std::uint8_t>(std::lround(c.b));
    }
  }
}

void FrameRect(TImage& image, int x, int y, int w, int h, TRgb c) {
  FillRect(image, x, y, w, 1, c);
  FillRect(image, x, y + h - 1, w, 1, c);
  FillRect(image, x, y, 1, h, c);
  FillRect(image, x + w - 1, y, 1, h, c);
}

// Copies `src` enlarged `scale` times; key pixels show as a pink check.
void BlitScaled(TImage& dst, const TImage& src, int x, int y, int scale) {
  for (int sy = 0; sy < src.height; ++sy) {
    for (int sx = 0; sx < src.width; ++sx) {
      const std::uint8_t* p = src.Pixel(sx, sy);
      for (int k = 0; k < scale * scale; ++k) {
        const int px = x + sx * scale + k % scale, py = y + sy * scale + k / scale;
        if (px < 0 || py < 0 || px >= dst.width || py >= dst.height) continue;
        std::uint8_t* o = dst.Pixel(px, py);
        if (src.IsKey(sx, sy)) {
          const TRgb c = ((px / 4 + py / 4) % 2) ? kKeyLight : kKeyDark;
          o[0] = static_cast<std::uint8_t>(c.r), o[1] = static_cast<std::uint8_t>(c.g),
          o[2] = static_cast<std::uint8_t>(c.b);
        } else {
          std::copy_n(p, 3, o);
        }
      }
    }
  }
}

// The mock window: the frame, caption buttons and a few controls put
// together the way the skin engine draws them.
class MockWindow {
 public:
  explicit MockWindow(const TBuiltSkin& skin) : skin_(skin), s_(skin.style), m_(skin.metrics) {}

  TImage Draw(bool active) const {
    const int w = 440, h = 300, bw = m_.border, ch = m_.caption_height, mh = m_.menu_bar_height;
    TImage win(w, h);
    FillRect(win, 0, 0, w, h, s_.face);
    const int cell = active ? 1 : 2;
    Blit(win, RenderCell(Img("frameleft.bmp"), cell, 0, ch, 0, m_.side_bottom_end, bw, h), 0, 0,
         false);
    Blit(win, RenderCell(Img("frameright.bmp"), cell, 0, ch, 0, m_.side_bottom_end, bw, h), w - bw,
         0, false);
    Blit(win,
         RenderCell(Img("framebottom.bmp"), cell, m_.bottom_end, 0, m_.bottom_end, 0, w - 2 * bw,
                    bw),
         bw, h - bw, false);
    Blit(win, RenderCell(Img("frametop.bmp"), cell, m_.cap_end, 0, m_.cap_end, 0, w - 2 * bw, ch),
         bw, 0, false);
    Blit(win, RenderCell(Img("menubar.bmp"), cell, 4, 0, 4, 0, w - 2 * bw, mh), bw, ch, false);
    const TRgb bar_text = s_.menubar_text;
    DrawLabel(win, bw + 10, ch + (mh - 7) / 2, "FILE", bar_text);
    DrawLabel(win, bw + 44, ch + (mh - 7) / 2, "EDIT", bar_text);
    // The main window has a minimise box and no maximise box.
    const int y = m_.button_y;
    const int button_cell = active ? 1 : 4;
    const int bcw = s_.caption_button_width, bch = s_.caption_button_height;
    Blit(win, RenderCell(Img("btnclose.bmp"), button_cell, 0, 0, 0, 0, bcw, bch),
         w - m_.SlotX(s_, 1), y, true);
    Blit(win, RenderCell(Img("btnmin.bmp"), active ? 3 : 4, 0, 0, 0, 0, bcw, bch),
         w - m_.SlotX(s_, 2), y, true);
    Blit(win, RenderCell(Img("btnpin.bmp"), button_cell, 0, 0, 0, 0, bcw, bch), m_.pin_x, m_.pin_y,
         true);
    Blit(win, RenderCell(Img("btnicon.bmp"), button_cell, 0, 0, 0, 0, 16, 16), m_.icon_x, m_.icon_y,
         true);
    DrawLabel(win, m_.text_shift, (ch - 14) / 2, "TONMILL",
              active ? s_.title_text : s_.title_text_inactive, 2);

    const int top = ch + mh + 10, left = bw + 12;
    const int pm = m_.push_margin;
    // Normal, hot, down (as a pressed or held-down button shows) and disabled.
    Blit(win, RenderCell(Img("buttons.bmp"), 1, pm, pm, pm, pm, 80, 33), left, top, true);
    Blit(win, RenderCell(Img("buttons.bmp"), 4, pm, pm, pm, pm, 80, 33), left + 86, top, true);
    Blit(win, RenderCell(Img("buttons.bmp"), 2, pm, pm, pm, pm, 80, 33), left + 172, top, true);
    Blit(win, RenderCell(Img("buttons.bmp"), 3, pm, pm, pm, pm, 80, 25), left + 258, top + 4, true);
    DrawLabel(win, left + 22, top + 13, "NORMAL", s_.text);
    DrawLabel(win, left + 86 + 31, top + 13, "HOT", s_.button_hot_text);
    DrawLabel(win, left + 172 + 28, top + 13, "DOWN", DownText(s_));
    DrawLabel(win, left + 258 + 16, top + 13, "DISABLED", s_.shadow);
    const int row = top + 44;
    for (int k = 0; k < 4; ++k) {
      const int cells[] = {1, 5, 9, 4};
      Blit(win, RenderCell(Img("checkbox.bmp"), cells[k], 0, 0, 0, 0, 13, 13), left + k * 70, row,
           true);
      Blit(win,
           RenderCell(Img("radio.bmp"), k < 2 ? (k == 0 ? 1 : 5) : (k == 2 ? 2 : 8), 0, 0, 0, 0, 13,
                      13),
           left + k * 70, row + 20, true);
      DrawLabel(win, left + k * 70 + 18, row + 3, "CHECK", s_.text);
      DrawLabel(win, left + k * 70 + 18, row + 23, "RADIO", s_.text);
    }
    const int prow = row + 44;
    const int pr = std::min(s_.control_radius, 6) + 2;
    Blit(win, RenderCell(Img("progress.bmp"), 1, pr, 4, pr, 4, 260, 18), left, prow, true);
    Blit(win, RenderCell(Img("progress.bmp"), 2, pr, 4, pr, 4, 160, 18), left, prow, true);
    // A combo box: edge, button and arrow.
    const int cr = s_.control_radius + 1, crow = prow + 28;
    Blit(win, RenderCell(Img("sunkedge.bmp"), 1, cr, cr, cr, cr, 160, 21), left, crow, true);
    Blit(win, RenderCell(Img("combobutton.bmp"), 1, 3, 3, 3, 3, 19, 21), left + 160 - 19, crow,
         true);
    Blit(win, RenderCell(Img("extraimages.bmp"), 1, 0, 0, 0, 0, 11, 11), left + 160 - 19 + 4,
         crow + 5, true);
    DrawLabel(win, left + 8, crow + 7, "COMBO", s_.text);
    // Tabs above a page.
    const int trow = crow + 30, tr = s_.control_radius + 2;
    Blit(win, RenderCell(Img("tabpane.bmp"), 1, 4, 4, 4, 4, 250, 40), left, trow + 21, false);
    Blit(win, RenderCell(Img("tabs.bmp"), 2, tr, 5, tr, 2, 60, 22), left + 2, trow, true);
    Blit(win, RenderCell(Img("tabs.bmp"), 1, tr, 5, tr, 2, 60, 22), left + 62, trow, true);
    DrawLabel(win, left + 17, trow + 8, "PAGE 1", s_.text);
    DrawLabel(win, left + 77, trow + 8, "PAGE 2", s_.text);
    // A vertical scroll bar at the right of the client area.
    const int sx = w - bw - 17 - 10, sy = top, sh = h - bw - 10 - top;
    Blit(win, RenderCell(Img("scrollvert.bmp"), 1, 0, 2, 0, 2, 17, sh), sx, sy, false);
    Blit(win, RenderCell(Img("scrollbar.bmp"), 9, 0, 0, 0, 0, 17, 17), sx, sy, true);
    Blit(win, RenderCell(Img("scrollbar.bmp"), 16, 0, 0, 0, 0, 17, 17), sx, sy + sh - 17, true);
    Blit(win, RenderCell(Img("scrollthumbvert.bmp"), 1, 0, 7, 0, 7, 17, 60), sx, sy + 30, true);
    Blit(win, RenderCell(Img("scrollbar.bmp"), 20, 0, 0, 0, 0, 17, 17), sx, sy + 30 + 21, true);
    // A menu opened under the bar.
    const int mx = w - 180, my = ch + mh + 96;
    Blit(win, RenderCell(Img("menuback.bmp"), 1, 4, 4, 4, 4, 110, 76), mx, my, false);
    Blit(win, RenderCell(Img("menuitem.bmp"), 1, 4, 4, 4, 4, 104, 22), mx + 3, my + 3, true);
    Blit(win, RenderCell(Img("menuitem.bmp"), 4, 4, 4, 4, 4, 104, 22), mx + 3, my + 25, true);
    const TImage sep = RenderCell(Img("menuitem.bmp"), 2, 4, 0, 4, 0, 104, 22);
    Blit(win, sep.Crop(0, 22 - 9, 104, 9), mx + 3, my + 47, true);
    Blit(win, RenderCell(Img("menuitem.bmp"), 1, 4, 4, 4, 4, 104, 17), mx + 3, my + 56, true);
    DrawLabel(win, mx + 26, my + 10, "OPEN", s_.menu_text);
    DrawLabel(win, mx + 26, my + 32, "SELECTED", s_.accent_text);
    DrawLabel(win, mx + 26, my + 61, "QUIT", s_.menu_text);
    return win;
  }

 private:
  const TSkinImage& Img(const char* file) const { return FindImage(skin_, file); }

  const TBuiltSkin& skin_;
  const TSkinStyle& s_;
  const TSkinMetrics& m_;
};

}  // namespace

TImage RenderCell(const TSkinImage& image, int cell, int left, int top, int right, int bottom,
                  int w, int h) {
  const int cw = image.stacked ? image.image.width : image.image.width / image.cells;
  const int chh = image.stacked ? image.image.height / image.cells : image.image.height;
  const int ox = image.stacked ? 0 : (cell - 1) * cw, oy = image.stacked ? (cell - 1) * chh : 0;
  if (w < left + right) left = right = 0;
  if (h < top + bottom) top = bottom = 0;
  // Maps a target coordinate to a source coordinate along one axis.
  const auto map = [](int t, int target, int source, int lo, int hi) {
    if (t < lo) return t;
    if (t >= target - hi) return source - (target - t);
    const int mid_target = target - lo - hi, mid_source = source - lo - hi;
    if (mid_source <= 0 || mid_target <= 0) return lo;
    return lo + (t - lo) * mid_source / mid_target;
  };
  TImage out(w, h);
  for (int y = 0; y < h; ++y) {
    const int sy = map(y, h, chh, top, bottom);
    for (int x = 0; x < w; ++x) {
      const int sx = map(x, w, cw, left, right);
      std::copy_n(image.image.Pixel(ox + sx, oy + sy), 3, out.Pixel(x, y));
    }
  }
  return out;
}

void Blit(TImage& dst, const TImage& src, int x, int y, bool transparent) {
  for (int sy = 0; sy < src.height; ++sy) {
    for (int sx = 0; sx < src.width; ++sx) {
      const int px = x + sx, py = y + sy;
      if (px < 0 || py < 0 || px >= dst.width || py >= dst.height) continue;
      if (transparent && src.IsKey(sx, sy)) continue;
      std::copy_n(src.Pixel(sx, sy), 3, dst.Pixel(px, py));
    }
  }
}

TImage DrawPreviewSheet(const TBuiltSkin& skin) {
  const TSkinStyle& s = skin.style;
  const int width = 1400, margin = 16;
  // Lay the image blocks out first to learn the sheet's height.
  struct Block {
    const TSkinImage* image;
    int scale, x, y, w, h;
  };
  std::vector<Block> blocks;
  const int images_top = 40 + 18 + 320 + 16 + 8 * 26 + 20;
  int x = margin, y = images_top, row_h = 0;
  for (const TSkinImage& image : skin.images) {
    const int scale = std::clamp((width - 2 * margin) / std::max(image.image.width, 1), 1, 6);
    const int scale_h = std::min(scale, std::max(1, 240 / std::max(image.image.height, 1)));
    const int iw = image.image.width * scale_h, ih = image.image.height * scale_h;
    const std::string title = image.file + "  " + std::to_string(image.image.width) + "X" +
                              std::to_string(image.image.height) + "  " +
                              std::to_string(image.cells) + " CELLS";
    const int bw = std::max(iw + (image.stacked ? 84 : 0), LabelWidth(title) + 4),
              bh = ih + 12 + 10 + 12;
    if (x + bw > width - margin) {
      x = margin;
      y += row_h + 14;
      row_h = 0;
    }
    blocks.push_back({&image, scale_h, x, y, bw, bh});
    x += bw + 24;
    row_h = std::max(row_h, bh);
  }
  const int height = y + row_h + margin;
  TImage sheet(width, height);
  FillRect(sheet, 0, 0, width, height, kSheet);

  DrawLabel(sheet, margin, 12, s.name + "  (SKIN STORE ITEM " + std::to_string(s.item) + ")", kInk,
            3);
  DrawLabel(sheet, margin, 42, s.character, kInk, 2);

  // Two mock windows, active and inactive, over a plain backdrop so the
  // rounded corners show.
  MockWindow mock(skin);
  int mx = margin;
  for (bool active : {true, false}) {
    TImage win = mock.Draw(active);
    FillRect(sheet, mx - 8, 66, win.width + 16, win.height + 16, Rgb(90, 110, 140));
    Blit(sheet, win, mx, 74, true);
    mx += win.width + 40;
  }
  DrawLabel(sheet, mx, 74, "ACTIVE AND INACTIVE WINDOW,", kInk);
  DrawLabel(sheet, mx, 86, "PUT TOGETHER FROM THE IMAGES", kInk);
  DrawLabel(sheet, mx, 98, "BELOW (LABELS IN THE 5X7 FONT)", kInk);

  // The sixteen colours.
  const std::pair<const char*, TRgb> colours[] = {{"WINDOWTEXT", s.text},
                                                  {"BUTTONFACE", s.face},
                                                  {"SCROLLBAR", s.track},
                                                  {"HILIGHTTEXT", s.accent_text},
                                                  {"HILIGHT", s.accent},
                                                  {"MENUBAR", s.menubar},
                                                  {"MENU", s.menu},
                                                  {"MENUTEXT", s.menu_text},
                                                  {"BUTTONTEXT", s.text},
                                                  {"BUTTONHILIGHT", s.light},
                                                  {"BUTTONLIGHT", s.light},
                                                  {"BUTTONSHADOW", s.shadow},
                                                  {"BUTTONDKSHADOW", s.dark_shadow},
                                                  {"MENUBARTEXT", s.menubar_text},
                                                  {"TITLETEXTACTIVE", s.title_text},
                                                  {"TITLETEXTNOACTIVE", s.title_text_inactive}};
  const int ctop = 40 + 18 + 320 + 16;
  for (int i = 0; i < 16; ++i) {
    const int cx = margin + (i % 2) * 340, cy = ctop + (i / 2) * 26;
    FillRect(sheet, cx, cy, 40, 20, colours[i].second);
    FrameRect(sheet, cx, cy, 40, 20, kInk);
    DrawLabel(sheet, cx + 48, cy + 7, std::string(colours[i].first) + " " + Hex2(colours[i].second),
              kInk);
  }
  // Contrast of the text pairs the skin promises to keep readable.
  const std::pair<const char*, double> pairs[] = {
      {"BUTTONTEXT ON BUTTONFACE", ContrastRatio(s.text, s.face)},
      {"MENUTEXT ON MENU", ContrastRatio(s.menu_text, s.menu)},
      {"HILIGHTTEXT ON HILIGHT", ContrastRatio(s.accent_text, s.accent)},
      {"MENUBARTEXT ON MENUBAR", ContrastRatio(s.menubar_text, s.menubar)},
      {"TITLE ON CAPTION TOP", ContrastRatio(s.title_text, s.caption_top)},
      {"TITLE ON CAPTION BOTTOM", ContrastRatio(s.title_text, s.caption_bottom)},
      {"INACTIVE TITLE ON CAPTION TOP",
       ContrastRatio(s.title_text_inactive, s.caption_inactive_top)},
      {"INACTIVE TITLE ON CAPTION BOTTOM",
       ContrastRatio(s.title_text_inactive, s.caption_inactive_bottom)}};
  for (int i = 0; i < static_cast<int>(std::size(pairs)); ++i) {
    char ratio[32];
    std::snprintf(ratio, sizeof ratio, "%.1f:1", pairs[i].second);
    DrawLabel(sheet, margin + 720, ctop + i * 26 + 7, std::string(pairs[i].first) + "  " + ratio,
              kInk);
  }

  for (const Block& b : blocks) {
    const TSkinImage& image = *b.image;
    const std::string title = image.file + "  " + std::to_string(image.image.width) + "X" +
                              std::to_string(image.image.height) + "  " +
                              std::to_string(image.cells) + " CELLS";
    DrawLabel(sheet, b.x, b.y, title, kInk);
    DrawLabel(sheet, b.x, b.y + 10, image.title.substr(0, static_cast<size_t>(b.w / 6)),
              Rgb(60, 60, 70));
    const int iy = b.y + 22;
    BlitScaled(sheet, image.image, b.x, iy, b.scale);
    const int cw = image.stacked ? image.image.width : image.image.width / image.cells;
    const int chh = image.stacked ? image.image.height / image.cells : image.image.height;
    for (int c = 0; c < image.cells; ++c) {
      const int cx = b.x + (image.stacked ? 0 : c * cw * b.scale);
      const int cy = iy + (image.stacked ? c * chh * b.scale : 0);
      FrameRect(sheet, cx, cy, cw * b.scale, chh * b.scale, kCellLine);
      std::string label = std::to_string(c + 1);
      if (c < static_cast<int>(image.cell_names.size())) label += " " + image.cell_names[c];
      const size_t fit = static_cast<size_t>(std::max(cw * b.scale / 6, 1));
      if (label.size() > fit) label = label.substr(0, fit);
      if (image.stacked) {
        DrawLabel(sheet, cx + cw * b.scale + 3, cy + 2, label, kInk);
      } else {
        DrawLabel(sheet, cx + 1, iy + chh * b.scale + 3, label, kInk);
      }
    }
  }
  return sheet;
}

}  // namespace skingen
