#pragma once
// Switching framework menus to the skinned item painter and back. A menu
// switched on becomes owner-drawn (when it was not) and its items are
// measured and drawn by TSkinMenuItemPainter; switched off, it gets back
// the drawing events and the owner-draw setting it had. Events a menu's
// owner assigned are left alone either way.
//
// Nothing is switched while a screen reader runs: it reads the system's own
// menus best.
class TComponent;
class TMenu;
class TSkinData;

// Every popup-menu component owned by `owner` (and by the forms it owns),
// unless its Tag is the skin data's DisableTag or its SkinControls lack
// xcPopupMenu.
void SetPopupOwnerDraw(TComponent& owner, TSkinData& data, bool on);
// The drop-downs of every main-menu component owned by `owner` (the bar's
// own items stay as they are).
void SetMainMenuOwnerDraw(TComponent& owner, TSkinData& data, bool on);
// One menu: a control's own, or the skinned system menu.
void SetItemPainter(TMenu& menu, TSkinData& data, bool on);
// Whether the menu's items are drawn by the skinned painter now.
bool HasItemPainter(const TMenu& menu);
