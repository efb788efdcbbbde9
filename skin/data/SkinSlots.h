#pragma once
// The single-object slots of the skin data and how each is read from the
// skin definition. Slots are named after their sections; each holds one
// object or nothing (nothing when its section lacks the image key).
#include <span>

// In reading order; the two built slots come last.
enum TSkinSlot {
  ssProgress,
  ssProgressChunk,
  ssMenuBar,
  ssGroupBoxEdge,
  ssGroupBox,
  ssTabs,
  ssStatusBarEdges,
  ssTabPane,
  ssToolBars,
  ssComboButton,
  ssSunkEdge,
  ssExtraImages,
  ssHeaderbar,
  ssMenuItem,
  ssMenuBackground,
  ssScrollbar,
  ssHorzScroll,
  ssVertScroll,
  ssHorzScrollThumb,
  ssVertScrollThumb,
  ssThumbHorz,
  ssThumbVert,
  ssThumbLeft,
  ssThumbRight,
  ssThumbUp,
  ssThumbDown,
  ssUpDownHorz,
  ssUpDownVert,
  ssTrack,
  ssTrackVert,
  ssComboxArrow,  // built from ComboButton and SunkEdge
  ssToolbar,      // built: the tool-bar background gradient
  ssSlotCount
};

// Which reader fills a slot.
enum TSlotReader {
  srImage,        // TDataSkinObject from "Image"
  srImageBorder,  // TDataSkinBorder from "Image", Bitmap2 from a second key
  srBitmap,       // TDataSkinBorder from "Bitmap", no colours
  srBoxLabel,     // TDataSkinBoxLabel from "Image"
  srMenuBar       // TDataSkinObject from key "menuBar" of "Personality"
};

// How a slot's cell count is settled once everything is read.
enum TFrameRule {
  frAsRead,         // "Frame" as read (0 when the reader has none)
  frFixed,          // always `frames`
  frZeroMeansFive,  // as read, 5 when that is 0
  frByStyle,        // 1 when Style is not 0, else 2
  frFrameCountKey   // key "FrameCount" of the section, default `frames`
};

struct TSlotReading {
  TSkinSlot slot;
  const char* section;
  TSlotReader reader;
  TFrameRule frame_rule;
  int frames;
  const char* second_key = nullptr;  // srImageBorder: the Bitmap2 key
  int margin_cap = 0;                // each margin at most this (0: no cap)
  bool mirror_to_bitmap2 = false;    // Bitmap2 := Bitmap mirrored left to right
  const char* builtin = nullptr;     // bitmap resource when the slot stays empty
};

// Every read slot, in reading order.
std::span<const TSlotReading> SlotReadings();
// The section name of a slot ("ComboxArrow" and "Toolbar" for the built ones).
const char* SlotName(TSkinSlot slot);
