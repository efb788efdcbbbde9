#include "skin/data/SkinSlots.h"

namespace {

// One line per slot. Rows are read in this order.
constexpr TSlotReading kReadings[] = {
    {ssProgress, "Progress", srBitmap, frByStyle, 0},
    {ssProgressChunk, "Progress.Chunk", srImage, frAsRead, 0},
    {ssMenuBar, "Personality", srMenuBar, frFixed, 2},
    {ssGroupBoxEdge, "GroupBoxEdge", srImage, frFixed, 2},
    {ssGroupBox, "GroupBox", srBoxLabel, frFixed, 1},
    {ssTabs, "Tabs", srImageBorder, frFixed, 5, "Border"},
    {ssStatusBarEdges, "StatusBarEdges", srImage, frFixed, 3},
    {ssTabPane, "Tab.Pane", srImage, frFixed, 1, nullptr, 4},
    {ssToolBars, "ToolBars", srImage, frFixed, 5},
    // "****" is a key no skin has: Bitmap2 is the mirrored image instead.
    {ssComboButton, "ComboButton", srImageBorder, frFixed, 4, "****", 0, true},
    {ssSunkEdge, "SunkEdge", srImage, frFixed, 4},
    {ssExtraImages, "ExtraImages", srImage, frFixed, 5},
    {ssHeaderbar, "Headerbar", srImage, frZeroMeansFive, 5},
    {ssMenuItem, "MenuItem", srImage, frFixed, 5},
    {ssMenuBackground, "MenuBackground", srImage, frFixed, 1},
    {ssScrollbar, "Scrollbar", srImage, frFixed, 23},
    {ssHorzScroll, "HorzScroll", srImage, frFixed, 4},
    {ssVertScroll, "VertScroll", srImage, frFixed, 4},
    {ssHorzScrollThumb, "HorzScrollThumb", srImage, frFrameCountKey, 3},
    {ssVertScrollThumb, "VertScrollThumb", srImage, frFrameCountKey, 3},
    {ssThumbHorz, "Trackbar.ThumbHorz", srImage, frFixed, 5},
    {ssThumbVert, "Trackbar.ThumbVert", srImage, frFixed, 5},
    {ssThumbLeft, "Trackbar.ThumbLeft", srImage, frFixed, 5},
    {ssThumbRight, "Trackbar.ThumbRight", srImage, frFixed, 5},
    {ssThumbUp, "Trackbar.ThumbUp", srImage, frFixed, 5},
    {ssThumbDown, "Trackbar.ThumbDown", srImage, frFixed, 5},
    {ssUpDownHorz, "UpDown.Horz", srImageBorder, frFixed, 8, "GlyphImage"},
    {ssUpDownVert, "UpDown.Vert", srImageBorder, frFixed, 8, "GlyphImage"},
    {ssTrack, "Track", srImage, frAsRead, 0, nullptr, 0, false, "TRACK"},
    {ssTrackVert, "TRACKVERT", srImage, frAsRead, 0, nullptr, 0, false, "TRACKVERT"},
};

}  // namespace

std::span<const TSlotReading> SlotReadings() {
  return kReadings;
}

const char* SlotName(TSkinSlot slot) {
  if (slot == ssComboxArrow) return "ComboxArrow";
  if (slot == ssToolbar) return "Toolbar";
  for (const TSlotReading& r : kReadings) {
    if (r.slot == slot) return r.section;
  }
  return "";
}
