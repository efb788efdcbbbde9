// Draws every bitmap of a skin from its description. Control images are
// anti-aliased against the colour they are drawn on (the dialog face, the
// caption, the menu) and keep the key colour where nothing is drawn; the
// frame is cut hard at its outline because the window region follows it.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "skins/generator/SkinBuilder.h"

namespace skingen {

namespace {

const TRgb kWhite = Rgb(255, 255, 255);
const TRgb kBlack = Rgb(0, 0, 0);

// Coverage below this becomes the key colour on control images: their
// edges are laid over the colour behind them already.
constexpr float kSoftCut = 0.06f;
// Images drawn without transparency keep every pixel.
constexpr float kOpaque = 0.0f;

// Of two colours, the one that reads better on `plate`.
TRgb ReadableOn(TRgb plate, TRgb first, TRgb second) {
  return ContrastRatio(plate, first) >= ContrastRatio(plate, second) ? first : second;
}

// Dark skins need stronger tints for a state to show against their faces.
bool IsDark(const TSkinStyle& s) {
  return Luminance(s.face) < 0.2;
}

// A lighter shade for the top of a bar or tab: on dark surfaces only a
// touch, so that they stay dark.
TRgb Sheen(TRgb c, float t) {
  return Lighter(c, Luminance(c) < 0.2 ? t * 0.15f : t);
}

enum class Glyph { glClose, glMaximize, glRestore, glMinimize, glPin };

void DrawGlyph(TRaster& r, Glyph glyph, float cx, float cy, float s, float stroke, TRgb colour) {
  const TPaint p = TPaint::Solid(colour);
  switch (glyph) {
    case Glyph::glClose:
      r.Fill(Capsule(cx - s, cy - s, cx + s, cy + s, stroke), p);
      r.Fill(Capsule(cx - s, cy + s, cx + s, cy - s, stroke), p);
      break;
    case Glyph::glMaximize:
      r.Stroke(RoundRect(cx - s - stroke / 2, cy - s - stroke / 2, cx + s + stroke / 2,
                         cy + s + stroke / 2, 1.5f),
               stroke, p);
      break;
    case Glyph::glRestore: {
      const float o = std::max(2.0f, s * 0.45f);
      r.Stroke(RoundRect(cx - s - stroke / 2, cy - s + o - stroke / 2, cx + s - o + stroke / 2,
                         cy + s + stroke / 2, 1.2f),
               stroke, p);
      r.Fill(Capsule(cx - s + o, cy - s, cx + s, cy - s, stroke), p);
      r.Fill(Capsule(cx + s, cy - s, cx + s, cy + s - o, stroke), p);
      break;
    }
    case Glyph::glMinimize:
      r.Fill(Capsule(cx - s, cy + 0.5f, cx + s, cy + 0.5f, stroke), p);
      break;
    case Glyph::glPin:  // "keep on top": an arrow rising to a bar
      r.Fill(Capsule(cx - s, cy - s, cx + s, cy - s, stroke), p);
      r.Fill(Capsule(cx, cy + s, cx, cy - s + stroke * 1.6f, stroke), p);
      r.Fill(Capsule(cx - s * 0.6f, cy - s * 0.1f + stroke, cx, cy - s + stroke * 1.6f, stroke), p);
      r.Fill(Capsule(cx + s * 0.6f, cy - s * 0.1f + stroke, cx, cy - s + stroke * 1.6f, stroke), p);
      break;
  }
}

// A chevron pointing up, down, left or right, centred on (cx, cy).
enum class Dir { dUp, dDown, dLeft, dRight };
void DrawChevron(TRaster& r, Dir dir, float cx, float cy, float s, float stroke, TRgb colour) {
  const TPaint p = TPaint::Solid(colour);
  const float h = s * 0.55f;
  switch (dir) {
    case Dir::dUp:
      r.Fill(Capsule(cx - s, cy + h, cx, cy - h, stroke), p);
      r.Fill(Capsule(cx, cy - h, cx + s, cy + h, stroke), p);
      break;
    case Dir::dDown:
      r.Fill(Capsule(cx - s, cy - h, cx, cy + h, stroke), p);
      r.Fill(Capsule(cx, cy + h, cx + s, cy - h, stroke), p);
      break;
    case Dir::dLeft:
      r.Fill(Capsule(cx + h, cy - s, cx - h, cy, stroke), p);
      r.Fill(Capsule(cx - h, cy, cx + h, cy + s, stroke), p);
      break;
    case Dir::dRight:
      r.Fill(Capsule(cx - h, cy - s, cx + h, cy, stroke), p);
      r.Fill(Capsule(cx + h, cy, cx - h, cy + s, stroke), p);
      break;
  }
}

class Painter {
 public:
  Painter(const TSkinStyle& s, const TSkinMetrics& m) : s_(s), m_(m) {}

  std::vector<TSkinImage> All() {
    std::vector<TSkinImage> out;
    Frame(out);
    out.push_back(TitleBack());
    out.push_back(CaptionButton("btnclose.bmp", "close button", Glyph::glClose, true));
    out.push_back(CaptionButton("btnmax.bmp", "maximise button", Glyph::glMaximize, false));
    out.push_back(CaptionButton("btnrestore.bmp", "restore button", Glyph::glRestore, false));
    out.push_back(CaptionButton("btnmin.bmp", "minimise button", Glyph::glMinimize, false));
    out.push_back(
        CaptionButton("btnpin.bmp", "keep-on-top button (own action)", Glyph::glPin, false));
    out.push_back(WindowIcon());
    out.push_back(MdiControls());
    out.push_back(MenuBar());
    out.push_back(PushButtons());
    out.push_back(CheckBoxes());
    out.push_back(RadioButtons());
    out.push_back(Tabs());
    out.push_back(Pane("tabborder.bmp", "tab page border"));
    out.push_back(Pane("tabpane.bmp", "tab page"));
    out.push_back(UpDown(true));
    out.push_back(UpDownGlyphs(true));
    out.push_back(UpDown(false));
    out.push_back(UpDownGlyphs(false));
    out.push_back(SunkEdge());
    out.push_back(ComboButton());
    out.push_back(ExtraImages());
    out.push_back(GroupBoxEdge());
    out.push_back(GroupBoxLabel());
    out.push_back(ToolButtons());
    out.push_back(Progress());
    out.push_back(ProgressChunk());
    out.push_back(StatusBarEdges());
    out.push_back(Header());
    out.push_back(MenuItems());
    out.push_back(MenuBackground());
    out.push_back(ScrollButtons());
    out.push_back(ScrollTrack(false));
    out.push_back(ScrollTrack(true));
    out.push_back(ScrollThumb(false));
    out.push_back(ScrollThumb(true));
    for (const char* kind : {"horz", "vert", "left", "right", "up", "down"}) {
      out.push_back(TrackThumb(kind));
    }
    out.push_back(Track(false));
    out.push_back(Track(true));
    return out;
  }

 private:
  TRgb CaptionAt(float y, bool active) const {
    const TPaint ramp = CaptionRamp(active);
    return ramp.At(0, y);
  }
  TPaint CaptionRamp(bool active, float offset = 0) const {
    return TPaint::Vertical(active ? s_.caption_top : s_.caption_inactive_top,
                            active ? s_.caption_bottom : s_.caption_inactive_bottom, -offset,
                            static_cast<float>(m_.caption_height) - offset);
  }
  float Line() const { return static_cast<float>(s_.outline); }

  // The outline of a down button: the accent, or the plain line colour in
  // the high-contrast look, where the accent already fills the face.
  TRgb DownBorder() const {
    if (s_.outline > 1) return s_.button_border;
    return IsDark(s_) ? Lighter(s_.accent, 0.15f) : Darker(s_.accent, 0.1f);
  }
  // Disabled faces sink into the dialog face and their outline fades.
  TRgb DisabledFill(TRgb fill) const { return Mix(fill, s_.face, 0.75f); }
  TRgb DisabledBorder(TRgb border) const { return Mix(border, s_.face, 0.6f); }

  // --- window frame ---------------------------------------------------------

  TImage FrameModel(bool active) const {
    const int w = m_.frame_width, h = m_.frame_height, bw = m_.border, ch = m_.caption_height;
    const float rt = static_cast<float>(s_.window_radius);
    const float rb = static_cast<float>(s_.window_bottom_radius);
    TRaster r(w, h);
    const TShape outer =
        RoundRect(0, 0, static_cast<float>(w), static_cast<float>(h), rt, rt, rb, rb);
    r.Fill(outer, TPaint::Solid(active ? s_.frame_border : s_.frame_border_inactive));
    r.Fill(Intersect(outer, Above(static_cast<float>(ch))), CaptionRamp(active));
    if (s_.gloss) {
      r.Fill(Intersect(Inset(outer, Line()), Above(ch * 0.45f)), TPaint::Solid(kWhite), 0.16f);
    }
    // A fine line along the inner edge frames the client area.
    const TRgb inner =
        Mix(active ? s_.frame_border : s_.frame_border_inactive, s_.frame_outline, 0.55f);
    const float fb = static_cast<float>(bw);
    r.Fill(RoundRect(fb - 1, static_cast<float>(ch), fb, h - fb + 1, 0), TPaint::Solid(inner));
    r.Fill(RoundRect(w - fb, static_cast<float>(ch), w - fb + 1, h - fb + 1, 0),
           TPaint::Solid(inner));
    r.Fill(RoundRect(fb - 1, h - fb, w - fb + 1, h - fb + 1, 0), TPaint::Solid(inner));
    const TRgb outline =
        active ? s_.frame_outline : Mix(s_.frame_outline, s_.frame_border_inactive, 0.4f);
    r.Stroke(outer, Line(), TPaint::Solid(outline));
    return r.ToImage(outline, 0.5f);
  }

  void Frame(std::vector<TSkinImage>& out) const {
    const int w = m_.frame_width, h = m_.frame_height, bw = m_.border, ch = m_.caption_height;
    const TImage act = FrameModel(true), inact = FrameModel(false);
    const auto part = [&](const char* file, const char* title, int x, int y, int pw, int ph,
                          bool stacked) {
      TSkinImage img{
          file, title,   JoinCells({act.Crop(x, y, pw, ph), inact.Crop(x, y, pw, ph)}, stacked),
          2,    stacked, {"active", "inactive"}};
      out.push_back(std::move(img));
    };
    part("frameleft.bmp", "left frame", 0, 0, bw, h, false);
    part("frameright.bmp", "right frame", w - bw, 0, bw, h, false);
    part("frametop.bmp", "caption", bw, 0, w - 2 * bw, ch, true);
    part("framebottom.bmp", "bottom frame", bw, h - bw, w - 2 * bw, bw, true);
  }

  TSkinImage TitleBack() const {
    std::vector<TImage> cells;
    const int w = 48, h = 20, y0 = (m_.caption_height - h) / 2;
    for (bool active : {true, false}) {
      TRaster r(w, h);
      r.Fill(RoundRect(0, 0, w, h, h / 2.0f),
             TPaint::Solid(Darker(CaptionAt(y0 + h / 2.0f, active), 0.12f)));
      cells.push_back(r.ToImage(CaptionRamp(active, static_cast<float>(y0)), kOpaque));
    }
    return {"titleback.bmp", "title text background", JoinCells(cells), 2,
            false,           {"active", "inactive"}};
  }

  // --- caption buttons ------------------------------------------------------

  TImage CaptionCell(Glyph glyph, bool close, int state) const {
    // state: 0 normal, 1 pressed, 2 hot, 3 inactive window
    const int w = s_.caption_button_width, h = s_.caption_button_height;
    const bool active = state != 3;
    const float fy = static_cast<float>(m_.button_y);
    const TRgb behind = CaptionAt(fy + h / 2.0f, active);
    TRgb glyph_colour = active ? s_.title_text : s_.title_text_inactive;
    TRaster r(w, h);
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    bool plate = true;
    TRgb fill = behind;
    TShape shape = RoundRect(0, 0, fw, fh, 4);
    switch (s_.caption_buttons) {
      case TCaptionButtonShape::cbFlat:
        plate = state == 1 || state == 2;
        fill = close ? (state == 1 ? Darker(s_.close_hot, 0.18f) : s_.close_hot)
                     : Mix(behind, s_.title_text, state == 1 ? 0.22f : 0.11f);
        shape = RoundRect(0, 0, fw, fh, 5);
        break;
      case TCaptionButtonShape::cbCircle:
        shape = Circle(fw / 2, fh / 2, std::min(fw, fh) / 2 - 0.5f);
        fill = state == 2   ? (close ? s_.close_hot : Mix(behind, kWhite, 0.34f))
               : state == 1 ? Mix(behind, kBlack, 0.22f)
                            : Mix(behind, kWhite, active ? 0.18f : 0.14f);
        break;
      case TCaptionButtonShape::cbRounded:
        fill = state == 2   ? (close ? s_.close_hot : s_.accent)
               : state == 1 ? Darker(close ? s_.close_hot : s_.accent, 0.25f)
                            : Mix(behind, kWhite, active ? 0.12f : 0.03f);
        break;
      case TCaptionButtonShape::cbBoxed:
        fill = state == 2 ? s_.close_hot : state == 1 ? kWhite : behind;
        shape = RoundRect(0, 0, fw, fh, 3);
        break;
      case TCaptionButtonShape::cbGlossPill: {
        const TRgb base = close ? Mix(behind, s_.close_hot, 0.55f) : Lighter(behind, 0.14f);
        fill = state == 2   ? (close ? s_.close_hot : Lighter(behind, 0.24f))
               : state == 1 ? Darker(base, 0.2f)
                            : base;
        shape = RoundRect(0, 0, fw, fh, fh / 2);
        break;
      }
    }
    if (plate) {
      r.Fill(shape, TPaint::Solid(fill));
      if (s_.caption_buttons == TCaptionButtonShape::cbGlossPill) {
        r.Fill(Intersect(Inset(shape, 1), Above(fh * 0.48f)), TPaint::Solid(kWhite),
               state == 1 ? 0.1f : 0.3f);
        r.Stroke(shape, 1, TPaint::Solid(Darker(behind, 0.35f)));
      }
      if (s_.caption_buttons == TCaptionButtonShape::cbBoxed) {
        r.Stroke(shape, Line(), TPaint::Solid(active ? s_.title_text : s_.shadow));
      }
      // The title colour stays while it reads on the plate; otherwise the
      // better of it and black. The close button keeps its own glyph colour
      // on its warning plate.
      if (ContrastRatio(fill, glyph_colour) < 3.0)
        glyph_colour = ReadableOn(fill, glyph_colour, kBlack);
      if (close && (state == 1 || state == 2)) {
        glyph_colour = ReadableOn(fill, s_.close_hot_glyph, glyph_colour);
      }
    }
    const float g =
        std::max(3.5f, std::min(fw, fh) *
                           (s_.caption_buttons == TCaptionButtonShape::cbCircle ? 0.2f : 0.21f));
    DrawGlyph(r, glyph, fw / 2, fh / 2, g, s_.glyph_stroke, glyph_colour);
    return r.ToImage(CaptionRamp(active, fy), kSoftCut);
  }

  TSkinImage CaptionButton(const char* file, const char* title, Glyph glyph, bool close) const {
    std::vector<TImage> cells;
    for (int state = 0; state < 4; ++state) cells.push_back(CaptionCell(glyph, close, state));
    return {file, title, JoinCells(cells), 4, false, {"normal", "pressed", "hot", "inactive"}};
  }

  TImage Logo(int state) const {
    TRaster r(16, 16);
    const TRgb tile = state == 3   ? Mix(s_.accent, s_.caption_inactive_bottom, 0.5f)
                      : state == 1 ? Darker(s_.accent, 0.2f)
                      : state == 2 ? Lighter(s_.accent, 0.15f)
                                   : s_.accent;
    r.Fill(RoundRect(0.5f, 0.5f, 15.5f, 15.5f, 4), TPaint::Solid(tile));
    // One ink for every state, chosen on the accent itself.
    const TRgb ink = ReadableOn(s_.accent, kWhite, kBlack);
    r.Fill(Circle(6.0f, 11.0f, 2.6f), TPaint::Solid(ink));
    r.Fill(Capsule(8.0f, 11.0f, 8.0f, 3.6f, 1.6f), TPaint::Solid(ink));
    r.Fill(Capsule(8.0f, 3.6f, 11.8f, 6.0f, 1.6f), TPaint::Solid(ink));
    return r.ToImage(CaptionRamp(state != 3, static_cast<float>(m_.icon_y)), kSoftCut);
  }

  TSkinImage WindowIcon() const {
    std::vector<TImage> cells;
    for (int state = 0; state < 4; ++state) cells.push_back(Logo(state));
    return {"btnicon.bmp",
            "window icon (fallback)",
            JoinCells(cells),
            4,
            false,
            {"normal", "pressed", "hot", "inactive"}};
  }

  TSkinImage MdiControls() const {
    std::vector<TImage> cells;
    const Glyph glyphs[] = {Glyph::glMinimize, Glyph::glRestore, Glyph::glClose};
    for (Glyph glyph : glyphs) {
      for (int state = 0; state < 4; ++state) {
        TRaster r(16, 14);
        if (state > 0) {
          const TRgb fill = Mix(s_.menubar, s_.accent, state == 1 ? 0.3f : 0.15f);
          r.Fill(RoundRect(0, 0, 16, 14, 3), TPaint::Solid(fill));
          r.Stroke(RoundRect(0, 0, 16, 14, 3), 1, TPaint::Solid(s_.accent));
        }
        DrawGlyph(r, glyph, 8, 7, 3.2f, std::min(s_.glyph_stroke, 2.0f), s_.menubar_text);
        cells.push_back(r.ToImage(s_.menubar, kSoftCut));
      }
    }
    return {"mdicontrols.bmp",
            "MDI child buttons: minimise, restore, close",
            JoinCells(cells),
            12,
            false,
            {"min", "min P", "min H", "min H", "rest", "rest P", "rest H", "rest H", "close",
             "clo P", "clo H", "clo H"}};
  }

  TSkinImage MenuBar() const {
    std::vector<TImage> cells;
    const int h = m_.menu_bar_height;
    for (bool active : {true, false}) {
      TRaster r(40, h);
      const TRgb bar = active ? s_.menubar : Mix(s_.menubar, s_.face, 0.5f);
      r.FillAll(
          TPaint::Vertical(Lighter(bar, s_.gloss ? 0.25f : 0.0f), bar, 0, static_cast<float>(h)));
      r.Fill(RoundRect(0, h - 1.0f, 40, static_cast<float>(h), 0),
             TPaint::Solid(Mix(bar, s_.control_border, 0.45f)));
      cells.push_back(r.ToImage(bar, kOpaque));
    }
    return {"menubar.bmp", "menu bar", JoinCells(cells, true), 2, true, {"active", "inactive"}};
  }

  // --- push buttons, check boxes, radio buttons -----------------------------

  TSkinImage PushButtons() const {
    const int n = 2 * m_.push_margin + 10;
    const float f = static_cast<float>(n);
    std::vector<TImage> cells;
    // normal, pressed, disabled, hot, focused
    for (int state = 0; state < 5; ++state) {
      TRaster r(n, n);
      const TShape shape = RoundRect(0, 0, f, f, static_cast<float>(s_.button_radius));
      TRgb top = s_.button_top, bottom = s_.button_bottom, border = s_.button_border;
      if (state == 1) {
        // Down: the accent-tinted face, a touch darker at the top so it
        // reads as pushed in.
        top = Darker(DownFace(s_), 0.08f);
        bottom = DownFace(s_);
        border = DownBorder();
      } else if (state == 2) {
        top = DisabledFill(s_.button_top);
        bottom = DisabledFill(s_.button_bottom);
        border = DisabledBorder(s_.button_border);
      } else if (state == 3) {
        top = Mix(s_.button_top, s_.accent, 0.07f);
        bottom = Mix(s_.button_bottom, s_.accent, 0.13f);
        border = s_.accent;
      } else if (state == 4) {
        border = s_.accent;
      }
      r.Fill(shape, TPaint::Vertical(top, bottom, 0, f));
      if (s_.gloss && state != 1 && state != 2) {
        r.Fill(Intersect(Inset(shape, 1), Above(f * 0.46f)), TPaint::Solid(kWhite), 0.35f);
      }
      r.Stroke(shape, state == 3 && s_.outline > 1 ? Line() + 1 : Line(), TPaint::Solid(border));
      if (state == 4) r.Stroke(Inset(shape, Line()), 1, TPaint::Solid(Mix(s_.accent, top, 0.35f)));
      cells.push_back(r.ToImage(s_.face, kSoftCut));
    }
    return {"buttons.bmp",
            "push button",
            JoinCells(cells),
            5,
            false,
            {"normal", "pressed", "disabled", "hot", "focused"}};
  }

  TImage Box(bool radio, int mark, int state) const {
    // mark: 0 off, 1 on, 2 mixed; state: 0 normal, 1 hot, 2 pressed, 3 disabled
    TRaster r(13, 13);
    const TShape shape = radio ? Circle(6.5f, 6.5f, 6.5f)
                               : RoundRect(0, 0, 13, 13, static_cast<float>(s_.box_radius));
    TRgb fill = s_.field, border = s_.control_border;
    if (mark == 0) {
      if (state == 1) border = s_.accent;
      if (state == 2) fill = Mix(s_.field, s_.accent, 0.18f), border = s_.accent;
    } else {
      fill = state == 1   ? Lighter(s_.accent, s_.outline > 1 ? 0.5f : 0.14f)
             : state == 2 ? Darker(s_.accent, 0.18f)
                          : s_.accent;
      border = Darker(fill, 0.15f);
      if (s_.outline > 1) border = s_.control_border;
    }
    if (state == 3) {
      fill = Mix(fill, s_.face, 0.6f);
      border = Mix(border, s_.face, 0.5f);
    }
    r.Fill(shape, TPaint::Solid(fill));
    r.Stroke(shape, Line(), TPaint::Solid(border));
    if (mark != 0) {
      const TRgb ink = state == 3 ? Mix(s_.accent_text, fill, 0.15f) : s_.accent_text;
      const float w = s_.outline > 1 ? 2.3f : 1.7f;
      if (radio) {
        r.Fill(Circle(6.5f, 6.5f, 2.6f), TPaint::Solid(ink));
      } else if (mark == 1) {
        r.Fill(Capsule(3.2f, 6.8f, 5.5f, 9.1f, w), TPaint::Solid(ink));
        r.Fill(Capsule(5.5f, 9.1f, 9.9f, 4.0f, w), TPaint::Solid(ink));
      } else {
        r.Fill(Capsule(3.6f, 6.5f, 9.4f, 6.5f, w), TPaint::Solid(ink));
      }
    }
    return r.ToImage(s_.face, kSoftCut);
  }

  TSkinImage CheckBoxes() const {
    std::vector<TImage> cells;
    std::vector<std::string> names;
    const char* marks[] = {"off", "on", "mix"};
    const char* states[] = {"", " H", " P", " D"};
    for (int mark = 0; mark < 3; ++mark) {
      for (int state = 0; state < 4; ++state) {
        cells.push_back(Box(false, mark, state));
        names.push_back(std::string(marks[mark]) + states[state]);
      }
    }
    return {"checkbox.bmp",
            "check box: unchecked, checked, mixed x normal, hot, pressed, disabled",
            JoinCells(cells),
            12,
            false,
            names};
  }

  TSkinImage RadioButtons() const {
    std::vector<TImage> cells;
    std::vector<std::string> names;
    const char* marks[] = {"off", "on"};
    const char* states[] = {"", " H", " P", " D"};
    for (int mark = 0; mark < 2; ++mark) {
      for (int state = 0; state < 4; ++state) {
        cells.push_back(Box(true, mark, state));
        names.push_back(std::string(marks[mark]) + states[state]);
      }
    }
    return {"radio.bmp",
            "radio button: unchecked, checked x normal, hot, pressed, disabled",
            JoinCells(cells),
            8,
            false,
            names};
  }

  // --- tabs -----------------------------------------------------------------

  TSkinImage Tabs() const {
    std::vector<TImage> cells;
    const int w = 24, h = 22;
    const float r = static_cast<float>(s_.control_radius);
    // normal, selected, hot, disabled, selected with focus
    for (int state = 0; state < 5; ++state) {
      TRaster ras(w, h);
      const bool selected = state == 1 || state == 4;
      const TShape shape = selected ? RoundRect(0, 0, w, h + 8.0f, r, r, 0, 0)
                                    : RoundRect(1, 2, w - 1.0f, h + 8.0f, r, r, 0, 0);
      TRgb top = Mix(s_.face, s_.shadow, 0.1f), bottom = Mix(s_.face, s_.shadow, 0.16f);
      if (selected) top = Sheen(s_.face, 0.45f), bottom = s_.face;
      const float hot = IsDark(s_) && s_.outline == 1 ? 0.25f : 0.1f;
      if (state == 2) top = Mix(top, s_.accent, hot), bottom = Mix(bottom, s_.accent, hot * 1.4f);
      if (state == 3) top = Mix(top, s_.face, 0.6f), bottom = Mix(bottom, s_.face, 0.6f);
      ras.Fill(shape, TPaint::Vertical(top, bottom, 0, h));
      const TRgb border = state == 3 ? Mix(s_.control_border, s_.face, 0.5f) : s_.control_border;
      ras.Stroke(shape, Line(), TPaint::Solid(border));
      if (selected) {
        ras.Fill(Intersect(Inset(shape, Line()), Above(Line() + 2)), TPaint::Solid(s_.accent));
        if (state == 4)
          ras.Stroke(Inset(shape, Line()), 1, TPaint::Solid(Mix(s_.accent, s_.face, 0.4f)));
      } else {
        ras.Fill(RoundRect(0, h - Line(), w, h, 0), TPaint::Solid(s_.control_border));
      }
      cells.push_back(ras.ToImage(s_.face, kSoftCut));
    }
    return {"tabs.bmp", "tab", JoinCells(cells),
            5,          false, {"normal", "selected", "hot", "disabled", "sel F"}};
  }

  TSkinImage Pane(const char* file, const char* title) const {
    TRaster r(16, 16);
    r.FillAll(TPaint::Solid(s_.face));
    r.Stroke(RoundRect(0, 0, 16, 16, 0), Line(), TPaint::Solid(s_.control_border));
    return {file, title, r.ToImage(s_.face, kOpaque), 1, false, {"page"}};
  }

  // --- spin buttons, edits, combo boxes ---------------------------------------

  TImage ButtonPlate(int w, int h, TShape shape, int state) const {
    // state: 0 normal, 1 pressed, 2 disabled, 3 hot
    TRaster r(w, h);
    TRgb top = s_.button_top, bottom = s_.button_bottom, border = s_.control_border;
    if (state == 1) top = Darker(DownFace(s_), 0.08f), bottom = DownFace(s_), border = DownBorder();
    if (state == 2)
      top = DisabledFill(top), bottom = DisabledFill(bottom), border = DisabledBorder(border);
    if (state == 3)
      top = Mix(top, s_.accent, 0.08f), bottom = Mix(bottom, s_.accent, 0.15f), border = s_.accent;
    r.Fill(shape, TPaint::Vertical(top, bottom, 0, static_cast<float>(h)));
    if (s_.gloss && state != 1 && state != 2)
      r.Fill(Intersect(Inset(shape, 1), Above(h * 0.48f)), TPaint::Solid(kWhite), 0.3f);
    r.Stroke(shape, Line(), TPaint::Solid(border));
    return r.ToImage(s_.face, kSoftCut);
  }

  TRgb GlyphInk(int state) const {
    if (state == 1) return DownText(s_);
    if (state == 2) return Mix(s_.shadow, s_.face, 0.25f);
    if (state == 3) return ReadableOn(Mix(s_.button_bottom, s_.accent, 0.15f), s_.accent, s_.text);
    return s_.text;
  }

  TSkinImage UpDown(bool vertical) const {
    std::vector<TImage> cells;
    const int w = vertical ? 16 : 11, h = vertical ? 11 : 16;
    const float r = std::min(3.0f, static_cast<float>(s_.control_radius));
    for (int button = 0; button < 2; ++button) {
      const TShape shape = vertical ? (button == 0 ? RoundRect(0, 0, w, h, r, r, 1, 1)
                                                   : RoundRect(0, 0, w, h, 1, 1, r, r))
                                    : (button == 0 ? RoundRect(0, 0, w, h, r, 1, 1, r)
                                                   : RoundRect(0, 0, w, h, 1, r, r, 1));
      for (int state = 0; state < 4; ++state) cells.push_back(ButtonPlate(w, h, shape, state));
    }
    if (vertical) {
      return {"updownvert.bmp",
              "spin buttons: up, down",
              JoinCells(cells),
              8,
              false,
              {"up", "up P", "up D", "up H", "down", "down P", "down D", "down H"}};
    }
    return {"updownhorz.bmp",
            "spin buttons: left, right",
            JoinCells(cells),
            8,
            false,
            {"left", "left P", "left D", "left H", "right", "rig P", "rig D", "rig H"}};
  }

  TSkinImage UpDownGlyphs(bool vertical) const {
    std::vector<TImage> cells;
    const int w = vertical ? 9 : 6, h = vertical ? 6 : 9;
    for (int button = 0; button < 2; ++button) {
      const Dir dir = vertical ? (button == 0 ? Dir::dUp : Dir::dDown)
                               : (button == 0 ? Dir::dLeft : Dir::dRight);
      for (int state = 0; state < 4; ++state) {
        TRaster r(w, h);
        DrawChevron(r, dir, w / 2.0f, h / 2.0f, vertical ? 3.0f : 2.2f,
                    s_.outline > 1 ? 1.9f : 1.4f, GlyphInk(state));
        cells.push_back(r.ToImage(s_.button_bottom, 0.18f));
      }
    }
    return {vertical ? "updownvertglyph.bmp" : "updownhorzglyph.bmp",
            vertical ? "spin glyphs: up, down" : "spin glyphs: left, right",
            JoinCells(cells),
            8,
            false,
            {"1", "2", "3", "4", "5", "6", "7", "8"}};
  }

  TSkinImage SunkEdge() const {
    std::vector<TImage> cells;
    const int w = 16, h = 21;
    // normal, pressed, disabled, hot or focused
    for (int state = 0; state < 4; ++state) {
      TRaster r(w, h);
      const TShape shape = RoundRect(0, 0, w, h, static_cast<float>(s_.control_radius));
      const TRgb fill = state == 2 ? Mix(s_.field, s_.face, 0.6f) : s_.field;
      const TRgb border = state == 1 || state == 3 ? s_.accent
                          : state == 2             ? Mix(s_.control_border, s_.face, 0.5f)
                                                   : s_.control_border;
      r.Fill(shape, TPaint::Solid(fill));
      r.Stroke(shape, state == 1 ? Line() + 1 : Line(), TPaint::Solid(border));
      cells.push_back(r.ToImage(s_.face, kSoftCut));
    }
    return {"sunkedge.bmp",
            "edit box edge (combo box)",
            JoinCells(cells),
            4,
            false,
            {"normal", "pressed", "disabled", "hot"}};
  }

  TSkinImage ComboButton() const {
    std::vector<TImage> cells;
    const int w = 17, h = 21;
    const float r = static_cast<float>(s_.control_radius);
    for (int state = 0; state < 4; ++state) {
      cells.push_back(ButtonPlate(w, h, RoundRect(0, 0, w, h, 0, r, r, 0), state));
    }
    return {"combobutton.bmp",
            "drop-down button",
            JoinCells(cells),
            4,
            false,
            {"normal", "pressed", "disabled", "hot"}};
  }

  TSkinImage ExtraImages() const {
    std::vector<TImage> cells;
    for (int state = 0; state < 4; ++state) {
      TRaster r(11, 11);
      DrawChevron(r, Dir::dDown, 5.5f, 5.5f, 3.4f, s_.outline > 1 ? 2.0f : 1.6f, GlyphInk(state));
      cells.push_back(r.ToImage(s_.button_bottom, 0.18f));
    }
    TRaster grip(11, 11);
    for (int row = 0; row < 3; ++row) {
      for (int k = 0; k <= row; ++k) {
        const float x = 9.0f - 3.0f * k, y = 9.0f - 3.0f * (row - k);
        grip.Fill(RoundRect(x - 1, y - 1, x + 1, y + 1, 0.5f), TPaint::Solid(s_.shadow));
      }
    }
    cells.push_back(grip.ToImage(s_.face, kSoftCut));
    return {"extraimages.bmp",
            "drop-down arrow states and size grip",
            JoinCells(cells),
            5,
            false,
            {"arrow", "arrow P", "arrow D", "arrow H", "grip"}};
  }

  // --- boxes, bars, menus ------------------------------------------------------

  TSkinImage GroupBoxEdge() const {
    std::vector<TImage> cells;
    for (int state = 0; state < 2; ++state) {
      TRaster r(16, 16);
      const TRgb border = state == 0 ? s_.control_border : Mix(s_.control_border, s_.face, 0.5f);
      r.Stroke(RoundRect(0, 0, 16, 16, static_cast<float>(s_.control_radius) + 1), Line(),
               TPaint::Solid(border));
      cells.push_back(r.ToImage(s_.face, kSoftCut));
    }
    return {"groupboxedge.bmp",    "group box edge", JoinCells(cells), 2, false,
            {"normal", "disabled"}};
  }

  TSkinImage GroupBoxLabel() const {
    TRaster r(32, 18);
    const TShape shape = RoundRect(0, 0, 32, 18, 6);
    r.Fill(shape, TPaint::Solid(Mix(s_.face, s_.accent, 0.08f)));
    r.Stroke(shape, 1, TPaint::Solid(Mix(s_.control_border, s_.face, 0.35f)));
    return {"groupbox.bmp", "group box caption", r.ToImage(s_.face, kSoftCut), 1, false, {"label"}};
  }

  TSkinImage ToolButtons() const {
    std::vector<TImage> cells;
    // normal (flat: nothing drawn), pressed, disabled, hot, checked
    for (int state = 0; state < 5; ++state) {
      TRaster r(22, 22);
      const TShape shape = RoundRect(0, 0, 22, 22, static_cast<float>(s_.control_radius));
      // Pressed and checked are tinted with the accent so they read as down;
      // the high-contrast look keeps them dark under its white text.
      const TRgb pressed = s_.outline > 1 ? Mix(s_.face, s_.accent, 0.35f) : DownFace(s_);
      const float checked = s_.outline > 1 ? 0.22f : IsDark(s_) ? 0.32f : 0.16f;
      if (state == 1) r.Fill(shape, TPaint::Solid(pressed));
      if (state == 3) r.Fill(shape, TPaint::Solid(Mix(s_.face, s_.accent, 0.12f)));
      if (state == 4) r.Fill(shape, TPaint::Solid(Mix(s_.face, s_.accent, checked)));
      if (state == 1) r.Stroke(shape, Line(), TPaint::Solid(DownBorder()));
      if (state == 2) r.Stroke(shape, Line(), TPaint::Solid(Mix(s_.control_border, s_.face, 0.6f)));
      if (state >= 3) r.Stroke(shape, Line(), TPaint::Solid(s_.accent));
      cells.push_back(r.ToImage(s_.face, kSoftCut));
    }
    return {"toolbars.bmp",
            "tool-bar button",
            JoinCells(cells),
            5,
            false,
            {"normal", "pressed", "disabled", "hot", "checked"}};
  }

  TSkinImage Progress() const {
    std::vector<TImage> cells;
    const int w = 20, h = 16;
    const float r = std::min(static_cast<float>(s_.control_radius), 6.0f);
    {
      TRaster ras(w, h);
      const TShape shape = RoundRect(0, 0, w, h, r);
      ras.Fill(shape, TPaint::Solid(s_.field));
      ras.Stroke(shape, Line(), TPaint::Solid(s_.control_border));
      cells.push_back(ras.ToImage(s_.face, kSoftCut));
    }
    {
      TRaster ras(w, h);
      const TShape shape = RoundRect(1, 1, w - 1.0f, h - 1.0f, std::max(r - 1, 1.0f));
      ras.Fill(shape, TPaint::Vertical(Lighter(s_.accent, 0.22f), s_.accent, 1, h - 1.0f));
      if (s_.gloss)
        ras.Fill(Intersect(Inset(shape, 1), Above(h * 0.45f)), TPaint::Solid(kWhite), 0.3f);
      ras.Stroke(shape, 1, TPaint::Solid(Darker(s_.accent, 0.15f)));
      cells.push_back(ras.ToImage(s_.field, kSoftCut));
    }
    return {"progress.bmp",   "progress bar: trough, bar", JoinCells(cells), 2, false,
            {"trough", "bar"}};
  }

  TSkinImage ProgressChunk() const {
    TRaster r(10, 12);
    r.Fill(RoundRect(0, 0, 8, 12, 2), TPaint::Vertical(Lighter(s_.accent, 0.2f), s_.accent, 0, 12));
    return {
        "progresschunk.bmp", "progress chunk", r.ToImage(s_.field, kSoftCut), 1, false, {"chunk"}};
  }

  TSkinImage StatusBarEdges() const {
    std::vector<TImage> cells;
    // lowered, raised, no bevel
    for (int state = 0; state < 3; ++state) {
      TRaster r(12, 12);
      r.FillAll(TPaint::Solid(s_.face));
      if (state == 0) {
        r.Fill(RoundRect(0, 0, 12, 12, 2), TPaint::Solid(Mix(s_.face, s_.field, 0.5f)));
        r.Stroke(RoundRect(0, 0, 12, 12, 2), 1,
                 TPaint::Solid(Mix(s_.control_border, s_.face, 0.3f)));
      } else if (state == 1) {
        r.Fill(RoundRect(0, 0, 12, 1, 0), TPaint::Solid(s_.light));
        r.Fill(RoundRect(0, 0, 1, 12, 0), TPaint::Solid(s_.light));
        r.Fill(RoundRect(0, 11, 12, 12, 0), TPaint::Solid(s_.control_border));
        r.Fill(RoundRect(11, 0, 12, 12, 0), TPaint::Solid(s_.control_border));
      }
      cells.push_back(r.ToImage(s_.face, kOpaque));
    }
    return {"statusbar.bmp", "status panel: lowered, raised, flat", JoinCells(cells), 3,
            false,           {"lowered", "raised", "flat"}};
  }

  TSkinImage Header() const {
    std::vector<TImage> cells;
    const int w = 20, h = 20;
    // normal, hot, pressed, disabled, sorted
    for (int state = 0; state < 5; ++state) {
      TRaster r(w, h);
      TRgb top = Sheen(s_.face, 0.5f), bottom = Mix(s_.face, s_.shadow, 0.08f);
      // The high-contrast look tints less, so its text keeps 7:1 on the hot section.
      const float tint = s_.outline > 1 ? 0.05f : IsDark(s_) ? 0.2f : 0.08f;
      if (state == 1) top = Mix(top, s_.accent, tint), bottom = Mix(bottom, s_.accent, tint * 1.7f);
      // Pressed sinks: darker on light skins, accent-tinted on dark ones.
      if (state == 2 && IsDark(s_) && s_.outline == 1)
        top = Mix(bottom, s_.accent, 0.45f), bottom = Mix(bottom, s_.accent, 0.38f);
      else if (state == 2)
        top = Mix(bottom, s_.dark_shadow, 0.1f), bottom = Mix(bottom, s_.dark_shadow, 0.04f);
      if (state == 3) top = s_.face, bottom = s_.face;
      r.FillAll(TPaint::Vertical(top, bottom, 0, h));
      r.Fill(RoundRect(w - 1.0f, 4, w, h - 4.0f, 0),
             TPaint::Solid(Mix(s_.face, s_.control_border, 0.8f)));
      r.Fill(RoundRect(0, h - 1.0f, w, h, 0), TPaint::Solid(s_.control_border));
      if (state == 4) r.Fill(RoundRect(0, h - 3.0f, w, h, 0), TPaint::Solid(s_.accent));
      cells.push_back(r.ToImage(s_.face, kOpaque));
    }
    return {"header.bmp",
            "list header section",
            JoinCells(cells),
            5,
            false,
            {"normal", "hot", "pressed", "disabled", "sorted"}};
  }

  TSkinImage MenuItems() const {
    std::vector<TImage> cells;
    const int w = 24, h = 22;
    // normal, separator, disabled, selected, selected disabled
    for (int state = 0; state < 5; ++state) {
      TRaster r(w, h);
      if (state != 1) r.FillAll(TPaint::Solid(s_.menu));
      if (state == 1) {
        r.Fill(RoundRect(3, h - 5.0f, w - 3.0f, h - 4.0f, 0),
               TPaint::Solid(Mix(s_.menu, s_.control_border, 0.8f)));
      }
      if (state >= 3) {
        const TShape sel = RoundRect(2, 1, w - 2.0f, h - 1.0f,
                                     std::min(4.0f, static_cast<float>(s_.control_radius)));
        if (state == 3) {
          r.Fill(sel, TPaint::Solid(s_.accent));
        } else if (IsDark(s_)) {
          // On dark menus a faded fill sits too close to both the menu and
          // the selection; a ring in the accent tells it from either, and
          // the grey text stays on the menu colour.
          r.Stroke(sel, Line(), TPaint::Solid(s_.accent));
        } else {
          r.Fill(sel, TPaint::Solid(Mix(s_.accent, s_.menu, 0.65f)));
        }
      }
      cells.push_back(r.ToImage(s_.menu, state == 1 ? 0.5f : kSoftCut));
    }
    return {"menuitem.bmp",
            "popup menu item",
            JoinCells(cells),
            5,
            false,
            {"normal", "separator", "disabled", "selected", "sel D"}};
  }

  TSkinImage MenuBackground() const {
    TRaster r(24, 24);
    r.FillAll(TPaint::Solid(s_.menu));
    r.Stroke(RoundRect(0, 0, 24, 24, 0), Line(),
             TPaint::Solid(Mix(s_.control_border, s_.shadow, 0.3f)));
    return {"menuback.bmp", "popup menu background", r.ToImage(s_.menu, kOpaque), 1, false,
            {"back"}};
  }

  // --- scroll bars and track bars ----------------------------------------------

  static constexpr int kScroll = 17;

  TRgb ThumbColour(int state) const {
    // 0 normal, 1 pressed, 2 hot
    // The high-contrast look shows hot in its yellow and pressed paler.
    if (state == 1) return s_.outline > 1 ? Lighter(s_.accent, 0.5f) : s_.accent;
    if (state == 2) return s_.outline > 1 ? s_.accent : Mix(s_.thumb, s_.dark_shadow, 0.22f);
    return s_.thumb;
  }

  TSkinImage ScrollButtons() const {
    std::vector<TImage> cells;
    std::vector<std::string> names;
    const Dir dirs[] = {Dir::dLeft, Dir::dRight, Dir::dUp, Dir::dDown};
    const char* dir_names[] = {"left", "right", "up", "down"};
    const char* state_names[] = {"", " P", " D", " H"};
    const float f = kScroll;
    for (int d = 0; d < 4; ++d) {
      for (int state = 0; state < 4; ++state) {
        TRaster r(kScroll, kScroll);
        TRgb behind = s_.track;
        if (state == 1 || state == 3) {
          behind = state == 1 ? Mix(s_.track, s_.accent, 0.45f) : Mix(s_.track, s_.thumb, 0.55f);
          r.Fill(RoundRect(1, 1, f - 1, f - 1, 3), TPaint::Solid(behind));
        }
        if (s_.outline > 1)
          r.Stroke(RoundRect(0, 0, f, f, 2), Line(), TPaint::Solid(s_.control_border));
        const TRgb ink =
            state == 2 ? Mix(s_.shadow, s_.track, 0.3f) : ReadableOn(behind, s_.text, s_.field);
        DrawChevron(r, dirs[d], f / 2, f / 2, s_.outline > 1 ? 4.0f : 3.4f,
                    s_.outline > 1 ? 2.2f : 1.6f, ink);
        cells.push_back(r.ToImage(s_.track, kSoftCut));
        names.push_back(std::string(dir_names[d]) + state_names[state]);
      }
    }
    for (bool vertical : {false, true}) {
      for (int state = 0; state < 3; ++state) {
        TRaster r(kScroll, kScroll);
        const TRgb ink = ReadableOn(ThumbColour(state), Darker(ThumbColour(state), 0.35f),
                                    Lighter(ThumbColour(state), 0.55f));
        for (int k = -1; k <= 1; ++k) {
          const float o = f / 2 + 3.0f * k;
          r.Fill(vertical ? Capsule(f / 2 - 2.5f, o, f / 2 + 2.5f, o, 1.0f)
                          : Capsule(o, f / 2 - 2.5f, o, f / 2 + 2.5f, 1.0f),
                 TPaint::Solid(ink));
        }
        cells.push_back(r.ToImage(ThumbColour(state), 0.3f));
        names.push_back(std::string(vertical ? "vgrip" : "hgrip") + (state == 0   ? ""
                                                                     : state == 1 ? " P"
                                                                                  : " H"));
      }
    }
    TRaster corner(kScroll, kScroll);
    corner.FillAll(TPaint::Solid(s_.face));
    cells.push_back(corner.ToImage(s_.face, kOpaque));
    names.push_back("corner");
    return {"scrollbar.bmp",
            "scroll arrows (left, right, up, down), grips, corner",
            JoinCells(cells),
            23,
            false,
            names};
  }

  TSkinImage ScrollTrack(bool vertical) const {
    std::vector<TImage> cells;
    const int w = vertical ? kScroll : 20, h = vertical ? 20 : kScroll;
    // normal, pressed, disabled, hot
    for (int state = 0; state < 4; ++state) {
      TRaster r(w, h);
      TRgb fill = s_.track;
      if (state == 1) fill = Mix(s_.track, s_.dark_shadow, 0.08f);
      if (state == 2) fill = Mix(s_.track, s_.face, 0.5f);
      if (state == 3) fill = Mix(s_.track, s_.thumb, 0.15f);
      r.FillAll(TPaint::Solid(fill));
      const TRgb edge = Mix(fill, s_.control_border, s_.outline > 1 ? 1.0f : 0.35f);
      if (vertical) {
        r.Fill(RoundRect(0, 0, Line(), h, 0), TPaint::Solid(edge));
      } else {
        r.Fill(RoundRect(0, 0, w, Line(), 0), TPaint::Solid(edge));
      }
      cells.push_back(r.ToImage(fill, kOpaque));
    }
    return {vertical ? "scrollvert.bmp" : "scrollhorz.bmp",
            vertical ? "vertical scroll track" : "horizontal scroll track",
            JoinCells(cells),
            4,
            false,
            {"normal", "pressed", "disabled", "hot"}};
  }

  TSkinImage ScrollThumb(bool vertical) const {
    std::vector<TImage> cells;
    const int w = vertical ? kScroll : 24, h = vertical ? 24 : kScroll;
    const float in = s_.outline > 1 ? 2.0f : 4.0f;
    for (int state = 0; state < 3; ++state) {
      TRaster r(w, h);
      const TShape shape = vertical ? RoundRect(in, 1, w - in, h - 1.0f, (kScroll - 2 * in) / 2)
                                    : RoundRect(1, in, w - 1.0f, h - in, (kScroll - 2 * in) / 2);
      r.Fill(shape, TPaint::Solid(ThumbColour(state)));
      if (s_.outline > 1 && state == 0) r.Stroke(shape, 1, TPaint::Solid(s_.control_border));
      cells.push_back(r.ToImage(s_.track, kSoftCut));
    }
    return {vertical ? "scrollthumbvert.bmp" : "scrollthumbhorz.bmp",
            vertical ? "vertical scroll thumb" : "horizontal scroll thumb",
            JoinCells(cells),
            3,
            false,
            {"normal", "pressed", "hot"}};
  }

  TSkinImage TrackThumb(const std::string& kind) const {
    const bool tall = kind == "horz" || kind == "up" || kind == "down";
    const int w = tall ? 11 : 21, h = tall ? 21 : 11;
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    TShape shape;
    if (kind == "horz" || kind == "vert") {
      shape = RoundRect(0.5f, 0.5f, fw - 0.5f, fh - 0.5f, std::min(fw, fh) / 2 - 0.5f);
    } else if (kind == "down") {
      shape = Polygon({{0.5f, 0.5f},
                       {fw - 0.5f, 0.5f},
                       {fw - 0.5f, fh - 6},
                       {fw / 2, fh - 0.5f},
                       {0.5f, fh - 6}});
    } else if (kind == "up") {
      shape = Polygon(
          {{fw / 2, 0.5f}, {fw - 0.5f, 6}, {fw - 0.5f, fh - 0.5f}, {0.5f, fh - 0.5f}, {0.5f, 6}});
    } else if (kind == "right") {
      shape = Polygon({{0.5f, 0.5f},
                       {fw - 6, 0.5f},
                       {fw - 0.5f, fh / 2},
                       {fw - 6, fh - 0.5f},
                       {0.5f, fh - 0.5f}});
    } else {
      shape = Polygon(
          {{0.5f, fh / 2}, {6, 0.5f}, {fw - 0.5f, 0.5f}, {fw - 0.5f, fh - 0.5f}, {6, fh - 0.5f}});
    }
    std::vector<TImage> cells;
    // plain, at rest (the look track bars show), hot, pressed, disabled
    for (int state = 0; state < 5; ++state) {
      TRaster r(w, h);
      TRgb fill = state == 0   ? s_.button_bottom
                  : state == 2 ? Lighter(s_.accent, 0.18f)
                  : state == 3 ? Darker(s_.accent, 0.2f)
                  : state == 4 ? Mix(s_.shadow, s_.face, 0.5f)  // grey: out of use
                               : s_.accent;
      r.Fill(shape, TPaint::Solid(fill));
      if (s_.gloss)
        r.Fill(Intersect(Inset(shape, 1), Above(fh * 0.45f)), TPaint::Solid(kWhite), 0.3f);
      r.Stroke(shape, 1, TPaint::Solid(s_.outline > 1 ? s_.control_border : Darker(fill, 0.3f)));
      cells.push_back(r.ToImage(s_.face, kSoftCut));
    }
    const std::string section = kind == "horz"    ? "ThumbHorz"
                                : kind == "vert"  ? "ThumbVert"
                                : kind == "left"  ? "ThumbLeft"
                                : kind == "right" ? "ThumbRight"
                                : kind == "up"    ? "ThumbUp"
                                                  : "ThumbDown";
    return {"thumb" + kind + ".bmp",
            "track-bar thumb (" + section + ")",
            JoinCells(cells),
            5,
            false,
            {"plain", "rest", "hot", "pressed", "disabled"}};
  }

  TSkinImage Track(bool vertical) const {
    const int w = vertical ? 5 : 16, h = vertical ? 16 : 5;
    TRaster r(w, h);
    const TShape shape = RoundRect(0, 0, w, h, 2.5f);
    r.Fill(shape, TPaint::Solid(Mix(s_.track, s_.shadow, 0.3f)));
    r.Stroke(shape, 1, TPaint::Solid(s_.control_border));
    return {vertical ? "trackvert.bmp" : "track.bmp",
            vertical ? "vertical track-bar channel" : "track-bar channel",
            r.ToImage(s_.face, kOpaque),
            1,
            false,
            {"channel"}};
  }

  const TSkinStyle& s_;
  const TSkinMetrics& m_;
};

}  // namespace

TRgb DownFace(const TSkinStyle& s) {
  // The high-contrast look fills a down button with its selection yellow.
  if (s.outline > 1) return s.accent;
  return Mix(s.button_bottom, s.accent, IsDark(s) ? 0.6f : 0.24f);
}

TRgb DownText(const TSkinStyle& s) {
  return ReadableOn(DownFace(s), s.text, s.accent_text);
}

int TSkinMetrics::SlotX(const TSkinStyle& style, int slot) const {
  return border + style.caption_button_margin + slot * style.caption_button_width +
         (slot - 1) * style.caption_button_gap;
}

TSkinMetrics ComputeMetrics(const TSkinStyle& s) {
  TSkinMetrics m;
  m.caption_height = s.caption_height;
  m.border = s.border;
  m.cap_end = s.window_radius + 4;
  m.frame_width = 2 * s.border + 2 * m.cap_end + 16;
  m.side_bottom_end = std::max(s.window_bottom_radius, s.border) + 2;
  m.frame_height = s.caption_height + 12 + m.side_bottom_end;
  m.bottom_end = std::max(s.window_bottom_radius - s.border, 0) + 2;
  m.icon_x = s.border + 6;
  m.icon_y = (s.caption_height - 16) / 2;
  m.pin_x = m.icon_x + 16 + 6;
  m.button_y = (s.caption_height - s.caption_button_height) / 2;
  m.pin_y = m.button_y;
  m.text_shift = m.pin_x + s.caption_button_width + 8;
  m.text_shift_vert = (s.caption_height - s.font_height) / 2;
  m.text_right_clip = m.SlotX(s, 3) + 8;
  // Corners stay whole down to 20-pixel-high buttons.
  m.push_margin = std::clamp(s.button_radius + 2, 5, 10);
  return m;
}

std::vector<TSkinImage> DrawSkinImages(const TSkinStyle& style, const TSkinMetrics& metrics) {
  return Painter(style, metrics).All();
}

TBuiltSkin BuildSkin(const TSkinStyle& style) {
  TBuiltSkin skin;
  skin.style = style;
  skin.metrics = ComputeMetrics(style);
  skin.images = DrawSkinImages(style, skin.metrics);
  skin.definition_file = style.file_stem + ".ini";
  skin.definition = WriteDefinition(style, skin.metrics);
  return skin;
}

const TSkinImage& FindImage(const TBuiltSkin& skin, const std::string& file) {
  for (const TSkinImage& image : skin.images) {
    if (image.file == file) return image;
  }
  throw std::out_of_range("no image " + file);
}

}  // namespace skingen
