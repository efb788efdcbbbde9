#pragma once
// The skin objects built from a skin definition: one per image slot of the
// skin data, each owning its bitmaps. Painting code reads these fields and
// never the definition text.
//
// An object's Bitmap is a strip of Frame equal cells laid left to right
// (the Top and Bottom frame borders stack theirs top to bottom), numbered
// from 1. The four margins cut a cell into nine parts: corners unscaled,
// edges and centre stretched or tiled. Trans = 1 makes magenta transparent.
#include <cstdint>
#include <string>
#include <utility>

#include "framework/Bitmap.h"
#include "framework/Graphics.h"
#include "framework/Object.h"

// A colour the skin does not give (title text colours).
inline constexpr TColor kNoSkinColour = 0x1FFFFFFF;

class TDataSkinObject : public TObject {
 public:
  explicit TDataSkinObject(std::string name = {}) : Name(std::move(name)) {}
  TDataSkinObject(const TDataSkinObject&) = default;
  TDataSkinObject& operator=(const TDataSkinObject&) = default;
  TDataSkinObject(TDataSkinObject&&) = default;
  TDataSkinObject& operator=(TDataSkinObject&&) = default;
  ~TDataSkinObject() override = default;

  std::int32_t LeftWidth = 0;
  std::int32_t TopHeight = 0;
  std::int32_t RightWidth = 0;
  std::int32_t BottomHeight = 0;
  TBitmap Bitmap;
  std::int32_t Trans = 0;
  // 1 tiles edges and centre. The four frame borders keep their Stretch
  // value here instead, where 1 stretches and anything else tiles.
  std::int32_t Tile = 0;
  std::string Name;
  std::int32_t Frame = 0;
  std::int32_t Style = 0;
  // Text colours as integers; -1 = not given.
  std::int32_t NormalColour = -1;
  std::int32_t MouseOverColour = -1;
  std::int32_t PressedColour = -1;
  // Text colours from colour texts; the skin's ButtonText when not given.
  TColor NormalColour2 = clBtnText;
  TColor MouseOverColour2 = clBtnText;
  TColor PressedColour2 = clBtnText;
};

// An object with a second image: the tab border, the up-down glyphs, or the
// mirrored combo button.
class TDataSkinBorder : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap Bitmap2;
};

// The caption text object. Its margins place the text: LeftWidth is the
// shift from the left, TopHeight the vertical shift, RightWidth the space
// kept free at the right; Bitmap is the text background image.
class TDataSkinTitle : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t TextAlignment = 0;
  std::int32_t Textbackground = 0;
  std::int32_t FontHeight = 0;
  std::int32_t TXTBackleft = 0;
  std::int32_t TXTBackRight = 0;
  TColor ActiveTextColour = kNoSkinColour;
  TColor InactiveTextColour = kNoSkinColour;
};

// The push-button object, with the check-box and radio-button strips.
class TDataSkinButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap CheckBitmap;
  TBitmap RadioBitmap;
  std::int32_t RadioButtonFrame = 0;
  std::int32_t CheckButtonFrame = 0;
  bool HasNormalColour2 = false;
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;
};

// One caption button.
class TDataSkinSysButton : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t Action = 0;
  std::int32_t Align = 0;
  std::int32_t Xcoord = 0;
  std::int32_t Ycoord = 0;
  std::int32_t CombineOp = -1;
  std::int32_t Visibility = 0;
  std::int32_t Visibility1 = 0;
};

// The group-box caption object.
class TDataSkinBoxLabel : public TDataSkinObject {
 public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t BackgroundLeftShift = 0;
  std::int32_t BackgroundRightShift = 0;
  std::int32_t BackgroundAlignment = 0;
};
