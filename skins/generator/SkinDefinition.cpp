// Writes the definition text of a skin: which bitmap each object uses, its
// nine-slice margins, cell counts, transparency and text colours, where the
// caption buttons sit and what they do, and the sixteen skin colours.
#include <cmath>
#include <sstream>

#include "skins/generator/SkinBuilder.h"

namespace skingen {

namespace {

std::string Colour(TRgb c) {
  return std::to_string(std::lround(c.r)) + " " + std::to_string(std::lround(c.g)) + " " +
         std::to_string(std::lround(c.b));
}

class Writer {
 public:
  void Comment(const std::string& text) { out_ << "; " << text << "\r\n"; }
  void Section(const std::string& name) { out_ << "\r\n[" << name << "]\r\n"; }
  void Key(const std::string& key, const std::string& value) {
    out_ << key << "=" << value << "\r\n";
  }
  void Key(const std::string& key, int value) { Key(key, std::to_string(value)); }
  void Margins(int left, int top, int right, int bottom) {
    Key("LeftWidth", left);
    Key("TopHeight", top);
    Key("RightWidth", right);
    Key("BottomHeight", bottom);
  }
  void Margins(int all) { Margins(all, all, all, all); }
  std::string Text() const { return out_.str(); }

 private:
  std::ostringstream out_;
};

// Caption-button visibility codes: 0 always, 1 maximised, 2 not maximised,
// 6 maximise box (with system menu), 7 no maximise box, 8 minimise box,
// 1000 when the window answers that it shows the button.
void CaptionButton(Writer& w, const std::string& section, const std::string& image, int action,
                   int align, int x, int y, int visibility, int visibility1) {
  w.Section(section);
  w.Key("ButtonImage", image);
  w.Key("Action", action);
  w.Key("Align", align);
  w.Key("Xcoord", x);
  w.Key("Ycoord", y);
  w.Key("Visibility", visibility);
  w.Key("Visibility1", visibility1);
  w.Key("frame", 4);
}

void FrameBorder(Writer& w, const std::string& name, const std::string& image, int first_end,
                 int second_end) {
  w.Key(name, image);
  w.Key(name + "TopHeight", first_end);
  w.Key(name + "BotHeight", second_end);
  w.Key(name + "Frame", 2);
  w.Key(name + "Stretch", 1);
  w.Key(name + "Trans", 1);
}

// The first line of a key in a section counts, so each key is written once.
void Image(Writer& w, const std::string& section, const std::string& image, int frames, int trans,
           int tile = 0) {
  w.Section(section);
  w.Key("Image", image);
  w.Key("Frame", frames);
  w.Key("Trans", trans);
  w.Key("Tile", tile);
}

}  // namespace

std::string WriteDefinition(const TSkinStyle& s, const TSkinMetrics& m) {
  Writer w;
  w.Comment(s.name + " - a skin of Tonmill, made by the skin generator from skins/" + s.file_stem +
            "/.");
  w.Comment(s.character);
  w.Section("Skin");
  w.Key("Name", s.name);
  w.Key("Description", s.character);
  w.Key("Author", "Tonmill");

  w.Section("Personality");
  FrameBorder(w, "Left", "frameleft.bmp", m.caption_height, m.side_bottom_end);
  FrameBorder(w, "Right", "frameright.bmp", m.caption_height, m.side_bottom_end);
  FrameBorder(w, "Top", "frametop.bmp", m.cap_end, m.cap_end);
  FrameBorder(w, "Bottom", "framebottom.bmp", m.bottom_end, m.bottom_end);
  w.Key("TextBack", "titleback.bmp");
  w.Key("TextShift", m.text_shift);
  w.Key("TextShiftVert", m.text_shift_vert);
  w.Key("TextRightClip", m.text_right_clip);
  w.Key("TextAlignment", 0);
  w.Key("Textbackground", 0);
  w.Key("ActiveTextR", static_cast<int>(std::lround(s.title_text.r)));
  w.Key("ActiveTextG", static_cast<int>(std::lround(s.title_text.g)));
  w.Key("ActiveTextB", static_cast<int>(std::lround(s.title_text.b)));
  w.Key("InActiveTextR", static_cast<int>(std::lround(s.title_text_inactive.r)));
  w.Key("InActiveTextG", static_cast<int>(std::lround(s.title_text_inactive.g)));
  w.Key("InActiveTextB", static_cast<int>(std::lround(s.title_text_inactive.b)));
  w.Key("menuBar", "menubar.bmp");
  w.Key("TileMenu", 1);
  w.Key("TileLeftMenu", 4);
  w.Key("TileRightMenu", 4);

  w.Section("Fonts");
  w.Key("FontHeight", s.font_height);

  w.Section("Colours");
  w.Key("WindowText", Colour(s.text));
  w.Key("ButtonFace", Colour(s.face));
  w.Key("Scrollbar", Colour(s.track));
  w.Key("HilightText", Colour(s.accent_text));
  w.Key("Hilight", Colour(s.accent));
  w.Key("Menubar", Colour(s.menubar));
  w.Key("Menu", Colour(s.menu));
  w.Key("MenuText", Colour(s.menu_text));
  w.Key("ButtonText", Colour(s.text));
  w.Key("ButtonHilight", Colour(s.light));
  w.Key("Buttonlight", Colour(s.light));
  w.Key("ButtonShadow", Colour(s.shadow));
  w.Key("ButtonDkShadow", Colour(s.dark_shadow));
  w.Key("MenuBarText", Colour(s.menubar_text));
  w.Key("TitleTextActive", Colour(s.title_text));
  w.Key("TitleTextNoActive", Colour(s.title_text_inactive));
  // Content (lists, edits) sits on the field colour under the control text.
  w.Key("Window", Colour(s.field));

  // Right-aligned buttons count their Xcoord from the window's right edge.
  // With a maximise box the minimise button sits in slot 3, without one in
  // slot 2, so no gap is left where the maximise button would be.
  const int y = m.button_y;
  CaptionButton(w, "ButtonClose", "btnclose.bmp", 0, 1, m.SlotX(s, 1), y, 0, 0);
  CaptionButton(w, "ButtonMaximize", "btnmax.bmp", 1, 1, m.SlotX(s, 2), y, 2, 6);
  CaptionButton(w, "ButtonRestore", "btnrestore.bmp", 1, 1, m.SlotX(s, 2), y, 1, 6);
  CaptionButton(w, "ButtonMinimize", "btnmin.bmp", 2, 1, m.SlotX(s, 3), y, 6, 8);
  CaptionButton(w, "ButtonMinimizeAlone", "btnmin.bmp", 2, 1, m.SlotX(s, 2), y, 7, 8);
  CaptionButton(w, "ButtonIcon", "btnicon.bmp", 3, 0, m.icon_x, m.icon_y, 0, 0);
  w.Comment("Action 30 is posted to the window as a button action: keep the window on top.");
  w.Comment("Visibility 1000: shown on the windows that say they keep themselves on top.");
  CaptionButton(w, "ButtonStayOnTop", "btnpin.bmp", 30, 0, m.pin_x, m.pin_y, 1000, 0);

  w.Section("MDICONTROLS");
  w.Key("Image", "mdicontrols.bmp");

  w.Section("Buttons");
  w.Key("Bitmap", "buttons.bmp");
  w.Margins(m.push_margin);
  w.Key("Trans", 1);
  w.Key("Tile", 0);
  w.Key("CheckButton", "checkbox.bmp");
  w.Key("CheckButtonFrame", 12);
  w.Key("RadioButton", "radio.bmp");
  w.Key("RadioButtonFrame", 8);
  w.Key("NormalColour2", Colour(s.text));
  w.Key("MouseOverColour2", Colour(s.button_hot_text));
  w.Key("PressedColour2", Colour(DownText(s)));

  Image(w, "Tabs", "tabs.bmp", 5, 1);
  w.Key("Border", "tabborder.bmp");
  w.Key("Style", 1);
  w.Margins(s.control_radius + 2, 5, s.control_radius + 2, 2);
  w.Key("NormalColour2", Colour(s.text));
  w.Key("MouseOverColour2", Colour(s.text));

  Image(w, "Tab.Pane", "tabpane.bmp", 1, 0);
  w.Margins(4);

  Image(w, "UpDown.Horz", "updownhorz.bmp", 8, 1);
  w.Key("GlyphImage", "updownhorzglyph.bmp");
  w.Margins(3);
  Image(w, "UpDown.Vert", "updownvert.bmp", 8, 1);
  w.Key("GlyphImage", "updownvertglyph.bmp");
  w.Margins(3);

  Image(w, "SunkEdge", "sunkedge.bmp", 4, 1);
  w.Margins(s.control_radius + 1);
  Image(w, "ComboButton", "combobutton.bmp", 4, 1);
  w.Margins(3);
  Image(w, "ExtraImages", "extraimages.bmp", 5, 1);

  Image(w, "GroupBoxEdge", "groupboxedge.bmp", 2, 1);
  w.Margins(s.control_radius + 3);
  Image(w, "GroupBox", "groupbox.bmp", 1, 1);
  w.Margins(7, 3, 7, 3);
  w.Key("BackgroundAlignment", 0);
  w.Key("BackgroundLeftShift", 0);
  w.Key("BackgroundRightShift", 0);
  w.Key("NormalColour2", Colour(s.text));

  Image(w, "ToolBars", "toolbars.bmp", 5, 1);
  w.Margins(s.control_radius + 1);

  w.Section("Progress");
  w.Key("Bitmap", "progress.bmp");
  w.Key("Style", 0);
  w.Margins(std::min(s.control_radius, 6) + 2, 4, std::min(s.control_radius, 6) + 2, 4);
  w.Key("Trans", 1);
  w.Key("Tile", 0);
  Image(w, "Progress.Chunk", "progresschunk.bmp", 1, 1, 1);

  Image(w, "StatusBarEdges", "statusbar.bmp", 3, 0);
  w.Margins(3);
  w.Key("NormalColour2", Colour(s.text));

  Image(w, "Headerbar", "header.bmp", 5, 0);
  w.Margins(3, 3, 3, 4);
  w.Key("NormalColour2", Colour(s.text));

  Image(w, "MenuItem", "menuitem.bmp", 5, 1);
  w.Margins(4, 4, 4, 4);
  Image(w, "MenuBackground", "menuback.bmp", 1, 0);
  w.Margins(4);

  Image(w, "Scrollbar", "scrollbar.bmp", 23, 1);
  Image(w, "HorzScroll", "scrollhorz.bmp", 4, 0);
  w.Margins(2, 0, 2, 0);
  Image(w, "VertScroll", "scrollvert.bmp", 4, 0);
  w.Margins(0, 2, 0, 2);
  Image(w, "HorzScrollThumb", "scrollthumbhorz.bmp", 3, 1);
  w.Key("FrameCount", 3);
  w.Margins(7, 0, 7, 0);
  Image(w, "VertScrollThumb", "scrollthumbvert.bmp", 3, 1);
  w.Key("FrameCount", 3);
  w.Margins(0, 7, 0, 7);

  w.Comment("Track-bar thumbs: cell 2 is the one track bars show.");
  const std::pair<const char*, const char*> thumbs[] = {
      {"Trackbar.ThumbHorz", "thumbhorz.bmp"}, {"Trackbar.ThumbVert", "thumbvert.bmp"},
      {"Trackbar.ThumbLeft", "thumbleft.bmp"}, {"Trackbar.ThumbRight", "thumbright.bmp"},
      {"Trackbar.ThumbUp", "thumbup.bmp"},     {"Trackbar.ThumbDown", "thumbdown.bmp"}};
  for (const auto& [section, image] : thumbs) Image(w, section, image, 5, 1);

  Image(w, "Track", "track.bmp", 1, 0);
  w.Margins(3, 0, 3, 0);
  Image(w, "TRACKVERT", "trackvert.bmp", 1, 0);
  w.Margins(0, 3, 0, 3);
  return w.Text();
}

}  // namespace skingen
