// The readers of the skin definition: every skin object of TSkinData is
// built here from the ini text and the archive's bitmaps.
#include <algorithm>

#include "framework/StringList.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/QuickIni.h"

namespace {

constexpr char kPersonality[] = "Personality";

// Tile of the generic readers: 0 or 1, anything above 1 becoming `above`.
std::int32_t CapTile(std::int32_t tile, std::int32_t above) {
  return tile > 1 ? above : tile;
}

}  // namespace

std::string TSkinData::ReadText(const std::string& section, const std::string& key) const {
  return ini_->ReadString(section, key, "");
}

std::int32_t TSkinData::ReadInt(const std::string& section, const std::string& key,
                                std::int32_t default_value) const {
  return ini_->ReadInteger(section, key, default_value);
}

void TSkinData::ReadSkinObjects() {
  ReadFrameBorders();
  colours_.Read(*ini_);
  ReadCaptionButtons();
  ReadButtons();
  ReadTitle(kPersonality);
  for (const TSlotReading& row : SlotReadings()) ReadSlot(row);
  SetFrameCounts();
  BuildComboButtonStrip();
  BuildComboArrow();
  BuildToolbarBackground();
  face_brush_ = environment_.Platform().MakeSolidBrush(colours_.ButtonFace);
  not_ready_ = false;
}

void TSkinData::ReadSlot(const TSlotReading& row) {
  switch (row.reader) {
    case srImage:
      ReadImageObject(row.slot, row.section);
      break;
    case srImageBorder:
      ReadImageBorderObject(row.slot, row.section, row.second_key ? row.second_key : "");
      break;
    case srBitmap:
      ReadBitmapObject(row.slot, row.section);
      break;
    case srBoxLabel:
      ReadBoxLabelObject(row.slot, row.section);
      break;
    case srMenuBar:
      ReadMenuBarObject(row.slot, row.section);
      break;
  }
  TDataSkinObject* object = slots_[row.slot].get();
  if (object && row.margin_cap > 0) {
    for (std::int32_t* m :
         {&object->LeftWidth, &object->TopHeight, &object->RightWidth, &object->BottomHeight}) {
      *m = std::min(*m, row.margin_cap);
    }
  }
  if (row.mirror_to_bitmap2) {
    TDataSkinBorder* border = BorderObject(row.slot);
    if (border && !border->Bitmap.Empty()) {
      border->Bitmap2 = border->Bitmap;
      border->Bitmap2.SetBitCount(24);
      MirrorBitmap(border->Bitmap2);
    }
  }
  if (row.builtin && !slots_[row.slot]) LoadBuiltInObject(row.slot, row.builtin);
}

// The keys the generic readers share: style, margins, transparency, fill
// mode and, where the reader has them, the cell count and text colours.
void TSkinData::ReadObjectFields(TDataSkinObject& object, const std::string& section,
                                 bool with_frame, bool with_colours) const {
  object.Style = ReadInt(section, "Style", 0);
  object.LeftWidth = ReadInt(section, "LeftWidth", 0);
  object.RightWidth = ReadInt(section, "RightWidth", 0);
  object.TopHeight = ReadInt(section, "TopHeight", 0);
  object.BottomHeight = ReadInt(section, "BottomHeight", 0);
  if (with_frame) object.Frame = ReadInt(section, "Frame", 0);
  object.Trans = ReadInt(section, "Trans", 0);
  object.Tile = ReadInt(section, "Tile", 0);
  if (!with_colours) return;
  object.NormalColour = ReadInt(section, "NormalColour", -1);
  object.MouseOverColour = ReadInt(section, "MouseOverColour", -1);
  object.PressedColour = ReadInt(section, "PressedColour", -1);
  object.NormalColour2 = ParseColour(ReadText(section, "NormalColour2"), colours_.ButtonText);
  object.MouseOverColour2 = ParseColour(ReadText(section, "MouseOverColour2"), colours_.ButtonText);
  object.PressedColour2 = ParseColour(ReadText(section, "PressedColour2"), colours_.ButtonText);
}

void TSkinData::ReadImageObject(TSkinSlot slot, const std::string& section) {
  slots_[slot].reset();
  const std::string image = ReadText(section, "Image");
  if (image.empty()) return;
  auto object = std::make_unique<TDataSkinObject>(section);
  LoadSkinBitmap(object->Bitmap, image);
  ReadObjectFields(*object, section, true, true);
  object->Tile = CapTile(object->Tile, 0);
  slots_[slot] = std::move(object);
}

void TSkinData::ReadImageBorderObject(TSkinSlot slot, const std::string& section,
                                      const std::string& second_key) {
  slots_[slot].reset();
  const std::string image = ReadText(section, "Image");
  if (image.empty()) return;
  auto object = std::make_unique<TDataSkinBorder>(section);
  LoadSkinBitmap(object->Bitmap, image);
  ReadObjectFields(*object, section, false, true);
  object->Tile = CapTile(object->Tile, 0);
  const std::string second = ReadText(section, second_key);
  if (!second.empty()) LoadSkinBitmap(object->Bitmap2, second);
  slots_[slot] = std::move(object);
}

void TSkinData::ReadBitmapObject(TSkinSlot slot, const std::string& section) {
  slots_[slot].reset();
  const std::string image = ReadText(section, "Bitmap");
  if (image.empty()) return;
  auto object = std::make_unique<TDataSkinBorder>(section);
  LoadSkinBitmap(object->Bitmap, image);
  ReadObjectFields(*object, section, false, false);
  object->Tile = CapTile(object->Tile, 1);
  slots_[slot] = std::move(object);
}

void TSkinData::ReadBoxLabelObject(TSkinSlot slot, const std::string& section) {
  slots_[slot].reset();
  const std::string image = ReadText(section, "Image");
  if (image.empty()) return;
  auto object = std::make_unique<TDataSkinBoxLabel>(section);
  LoadSkinBitmap(object->Bitmap, image);
  ReadObjectFields(*object, section, false, true);
  object->Tile = CapTile(object->Tile, 0);
  object->BackgroundAlignment = ReadInt(section, "BackgroundAlignment", 0);
  object->BackgroundLeftShift = ReadInt(section, "BackgroundLeftShift", 0);
  object->BackgroundRightShift = ReadInt(section, "BackgroundRightShift", 0);
  slots_[slot] = std::move(object);
}

void TSkinData::ReadMenuBarObject(TSkinSlot slot, const std::string& section) {
  slots_[slot].reset();
  const std::string image = ReadText(section, "menuBar");
  if (image.empty()) return;
  auto object = std::make_unique<TDataSkinObject>(section);
  LoadSkinBitmap(object->Bitmap, image);
  object->TopHeight = 0;
  object->BottomHeight = 0;
  object->Tile = CapTile(ReadInt(section, "TileMenu", 1), 1);
  object->LeftWidth = ReadInt(section, "TileLeftMenu", 1);
  object->RightWidth = ReadInt(section, "TileRightMenu", 1);
  slots_[slot] = std::move(object);
}

void TSkinData::ReadTitle(const std::string& section) {
  // The title object stays the same object across skins; only its content
  // is replaced.
  title_ = TDataSkinTitle("Title");
  LoadSkinBitmap(title_.Bitmap, ReadText(section, "TextBack"));
  title_.LeftWidth = ReadInt(section, "TextShift", 0);
  title_.TopHeight = ReadInt(section, "TextShiftVert", 0);
  title_.RightWidth = ReadInt(section, "TextRightClip", 0);
  title_.BottomHeight = 0;
  title_.TextAlignment = ReadInt(section, "TextAlignment", 0);
  title_.Textbackground = ReadInt(section, "Textbackground", 0);
  title_.FontHeight = ReadInt("Fonts", "FontHeight", 14);
  title_.TXTBackleft = ReadInt(section, "TXTBackleft", 0);
  title_.TXTBackRight = ReadInt(section, "TXTBackRight", 0);
  auto triple = [&](const std::string& prefix, TColor& colour) {
    const std::int32_t r = ReadInt(section, prefix + "R", -1);
    const std::int32_t g = ReadInt(section, prefix + "G", -1);
    const std::int32_t b = ReadInt(section, prefix + "B", -1);
    if (r >= 0 && g >= 0 && b >= 0) colour = RGBColour(r, g, b);
  };
  triple("ActiveText", title_.ActiveTextColour);
  triple("InActiveText", title_.InactiveTextColour);
}

void TSkinData::ReadButtons() {
  const std::string section = "Buttons";
  buttons_ = TDataSkinButton("Buttons");
  TDataSkinButton& b = buttons_;
  b.LeftWidth = ReadInt(section, "LeftWidth", 0);
  b.RightWidth = ReadInt(section, "RightWidth", 0);
  b.TopHeight = ReadInt(section, "TopHeight", 0);
  b.BottomHeight = ReadInt(section, "BottomHeight", 0);
  b.Trans = ReadInt(section, "Trans", 0);
  LoadSkinBitmap(b.Bitmap, ReadText(section, "Bitmap"));
  b.Tile = CapTile(ReadInt(section, "Tile", 0), 0);
  LoadSkinBitmap(b.CheckBitmap, ReadText(section, "CheckButton"));
  LoadSkinBitmap(b.RadioBitmap, ReadText(section, "RadioButton"));
  b.NormalColour = ReadInt(section, "NormalColour", -1);
  b.MouseOverColour = ReadInt(section, "MouseOverColour", -1);
  b.PressedColour = ReadInt(section, "PressedColour", -1);
  b.RadioButtonFrame = ReadInt(section, "RadioButtonFrame", 0);
  b.CheckButtonFrame = ReadInt(section, "CheckButtonFrame", 0);
  const std::string normal2 = ReadText(section, "NormalColour2");
  const std::string over2 = ReadText(section, "MouseOverColour2");
  const std::string pressed2 = ReadText(section, "PressedColour2");
  b.HasNormalColour2 = !normal2.empty();
  b.HasMouseOverColour2 = !over2.empty();
  b.HasPressedColour2 = !pressed2.empty();
  b.NormalColour2 = ParseColour(normal2, colours_.ButtonText);
  b.MouseOverColour2 = ParseColour(over2, colours_.ButtonText);
  b.PressedColour2 = ParseColour(pressed2, colours_.ButtonText);
}

void TSkinData::ReadFrameBorders() {
  for (TDataSkinBorder& border : borders_) {
    const std::string name = border.Name;
    border = TDataSkinBorder(name);
    const std::int32_t first = ReadInt(kPersonality, name + "TopHeight", 0);
    const std::int32_t second = ReadInt(kPersonality, name + "BotHeight", 0);
    // Left and right borders run down the window: their end pieces are at
    // the top and bottom. Top and bottom borders run across: at the left
    // and right.
    if (name == "Left" || name == "Right") {
      border.TopHeight = first;
      border.BottomHeight = second;
    } else {
      border.LeftWidth = first;
      border.RightWidth = second;
    }
    border.Frame = ReadInt(kPersonality, name + "Frame", 1);
    border.Tile = CapTile(ReadInt(kPersonality, name + "Stretch", 1), 1);
    border.Trans = ReadInt(kPersonality, name + "Trans", 1);
    LoadSkinBitmap(border.Bitmap, ReadText(kPersonality, name));
  }
}

void TSkinData::ReadCaptionButtons() {
  caption_buttons_.clear();
  TStringList sections;
  ini_->ReadSections(sections);
  // Filtered from the last section to the first; the kept ones stay in
  // section order.
  for (int i = sections.Count() - 1; i >= 0; --i) {
    const std::string name = AsciiUpper(sections[i]);
    bool keep = name.starts_with("BUTTON") && name != "BUTTON" && name != "BUTTONS" &&
                name != "BUTTON.RADIO" && name != "BUTTON.CHECKBOX";
    // A decorative button (action -1) shows only when its visibility is 0.
    if (keep && ReadInt(name, "Action", 0) == -1 && ReadInt(name, "Visibility", -1) != 0) {
      keep = false;
    }
    if (keep) {
      sections.SetString(i, name);
    } else {
      sections.Delete(i);
    }
  }
  caption_buttons_.reserve(static_cast<size_t>(sections.Count()) + 3);
  for (int i = 0; i < sections.Count(); ++i) {
    const std::string& name = sections[i];
    auto button = std::make_unique<TDataSkinSysButton>(name);
    button->Action = ReadInt(name, "Action", 0);
    button->Align = ReadInt(name, "Align", 0);
    button->Xcoord = ReadInt(name, "Xcoord", 0);
    button->Ycoord = ReadInt(name, "Ycoord", 0);
    button->Visibility = ReadInt(name, "Visibility", 0);
    button->Visibility1 = ReadInt(name, "Visibility1", button->Action == -1 ? -1 : 0);
    button->CombineOp = ReadInt(name, "CombineOp", -1);
    button->Frame = ReadInt(name, "frame", 0);
    LoadSkinBitmap(button->Bitmap, ReadText(name, "ButtonImage"));
    if (button->Frame == 0) {
      button->Frame = 6;
      if (!button->Bitmap.Empty()) {
        const double ratio = static_cast<double>(button->Bitmap.Width()) / button->Bitmap.Height();
        button->Frame = ratio <= 3.8 ? 3 : 6;
      }
      if (button->Action < 0) button->Frame = 6;
    }
    // The system-menu button shows the application icon instead.
    if (button->Action == 3 || button->Action == 11) button->Bitmap.Clear();
    caption_buttons_.push_back(std::move(button));
  }
  const size_t first_mdi = caption_buttons_.size();
  for (std::int32_t action : {7, 8, 9}) {
    auto button = std::make_unique<TDataSkinSysButton>();
    button->Action = action;
    button->Align = 100;
    button->Visibility = 100;
    button->Visibility1 = 100;
    button->Frame = 4;
    caption_buttons_.push_back(std::move(button));
  }
  ReadMdiButtons(first_mdi);
}

void TSkinData::ReadMdiButtons(size_t first) {
  TBitmap source;
  LoadSkinBitmap(source, ReadText("MDICONTROLS", "Image"));
  if (source.Empty() || first + 3 > caption_buttons_.size()) return;
  // Three buttons of four cells each, side by side.
  const int c = source.Width() / 12;
  for (int i = 0; i < 3; ++i) {
    TDataSkinSysButton& button = *caption_buttons_[first + static_cast<size_t>(i)];
    button.Bitmap.SetSize(4 * c, source.Height());
    button.Bitmap.CopyRect(button.Bitmap.BoundsRect(), source,
                           Bounds(4 * c * i, 0, 4 * c, source.Height()));
    button.Bitmap.SetBitCount(source.BitCount());
    button.Xcoord = (c + 4) * (3 - i);
  }
}

void TSkinData::LoadBuiltInObject(TSkinSlot slot, const std::string& name) {
  auto object = std::make_unique<TDataSkinObject>(name);
  environment_.Platform().LoadBitmapResource(name, object->Bitmap);
  object->LeftWidth = object->TopHeight = object->RightWidth = object->BottomHeight = 3;
  object->Tile = 0;
  object->Frame = 1;
  slots_[slot] = std::move(object);
}

void TSkinData::SetFrameCounts() {
  title_.Frame = 2;
  buttons_.Frame = 5;
  // Check-box and radio strips without a count: cells of 13 pixels in strips
  // lower than 16, else of 16, and at least 4 cells.
  auto strip_cells = [](const TBitmap& strip) {
    const int cell = strip.Height() < 16 ? 13 : 16;
    return std::max(strip.Width() / cell, 4);
  };
  if (buttons_.RadioButtonFrame == 0) buttons_.RadioButtonFrame = strip_cells(buttons_.RadioBitmap);
  if (buttons_.CheckButtonFrame == 0) buttons_.CheckButtonFrame = strip_cells(buttons_.CheckBitmap);
  for (const TSlotReading& row : SlotReadings()) {
    TDataSkinObject* object = slots_[row.slot].get();
    if (!object) continue;
    switch (row.frame_rule) {
      case frAsRead:
        break;
      case frFixed:
        object->Frame = row.frames;
        break;
      case frZeroMeansFive:
        if (object->Frame == 0) object->Frame = row.frames;
        break;
      case frByStyle:
        object->Frame = object->Style != 0 ? 1 : 2;
        break;
      case frFrameCountKey:
        object->Frame = ReadInt(row.section, "FrameCount", row.frames);
        break;
    }
  }
}
