#pragma once
// The control skinning walk: once a window is skinned, its engine walks the
// window's child controls and gives each the skinning object of its kind.
// Framework forms are walked through their components, bare windows (such
// as message boxes) through their child windows and window classes. What a
// control gets is decided by its framework class, its class name, the skin
// data's SkinControls, its Skin3rd list and its OnSkinControl event; a
// control the walk does not know stays as it is.
#include <windows.h>

class TComponent;
class TForm;
class TWinControl;
class TWinSkinForm;

void SkinComponents(TWinSkinForm& engine, TForm& form);
void SkinChildren(TWinSkinForm& engine, TWinControl& control);
// The decision for one control (`parent` is the control or form it was
// reached from).
void SkinControl(TWinSkinForm& engine, TComponent& control, TComponent& parent);
void SkinWindows(TWinSkinForm& engine, HWND window);
void SkinWindow(TWinSkinForm& engine, HWND window);
// The object of window `window` is replaced by a scroll-bar object (its
// window was made anew).
void UseScrollbar(TWinSkinForm& engine, HWND window);
