#pragma once
// The form engine's part in drawing menu items: WM_MEASUREITEM and
// WM_DRAWITEM of owner-drawn menu items that no framework menu answers for
// (the drop-downs of a bare window's skinned menu bar, items of the window
// menu) are measured and drawn by the skinned item painter from what the
// menu handle holds, with the font and DC the engine's TBareMenuMeasure
// keeps.
#include <windows.h>

class TWinSkinForm;

// Answers true (with `result`) when the message was such an item's.
bool HandleMenuItemMessage(TWinSkinForm& engine, UINT msg, LPARAM lp, LRESULT& result);
