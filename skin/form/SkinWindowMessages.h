#pragma once
// The private window messages of the skin engine. Their numbers are fixed:
// skinned forms, skinned controls, popup menus and other windows of the
// process send and answer them by number.
#include <cstdint>

// Re-apply the skin's colours and frame (framework forms).
inline constexpr unsigned SKM_RECOLOR = 0x3401;
// Paint the frame now.
inline constexpr unsigned SKM_PAINTFRAME = 0x3502;
// Finish skinning; posted right after a window's engine is attached
// (wParam 0, lParam kFinishSkinTag).
inline constexpr unsigned SKM_FINISHSKIN = 0x3503;
// Switch a skinned control's painting on (wParam > 0) or off (0).
inline constexpr unsigned SKM_SKINSWITCH = 0x3506;
// Sent by a skinned page control before it closes a page through a close
// box: wParam = the tab control, lParam = the page index; 0 closes.
inline constexpr unsigned SKM_CLOSETAB = 0x3507;
// A caption button with an action of its own was clicked: wParam = action.
inline constexpr unsigned SKM_BUTTONACTION = 0x3514;
// The caption button action that keeps a window on top (the skins' pin):
// the window carries it out; the engine shows the button pressed while the
// window is kept on top.
inline constexpr int kStayOnTopAction = 30;
// Is a caption button visible: wParam = its visibility code, lParam = its
// action; an answer above 0 means visible.
inline constexpr unsigned SKM_BUTTONVISIBLE = 0x3515;
// Posted to an MDI client: redraw everything (wParam = the child).
inline constexpr unsigned SKM_MDIREDRAW = 0x3516;
// Replace the skinned-control object of window wParam by a scroll-bar one.
inline constexpr unsigned SKM_USESCROLLBAR = 0x3517;
// Open the menu-bar popup under the point in lParam.
inline constexpr unsigned SKM_MENUPOPUP = 0x3518;
// Is this window skinned: every skinned window answers 1.
inline constexpr unsigned SKM_ISSKINNED = 0x3523;
// Skinned edits and combo boxes: with lParam kSkinMagic and a DC in wParam,
// paint the client into that DC; the answer is kSkinMagic.
inline constexpr unsigned SKM_PAINTCLIENT = 0xBC4A;
// Framework forms: paint the frame into the DC in wParam when lParam is
// kSkinMagic; the answer is kSkinMagic.
inline constexpr unsigned SKM_PAINTNC = 0xBC4B;
// Framework forms: answer kSkinMagic when lParam is kSkinMagic, else 1.
inline constexpr unsigned SKM_QUERYNC = 0xBC4D;
// Sent to a window once it is skinned (wParam 0, lParam kSkinMagic).
inline constexpr unsigned SKM_SKINNED = 0xBC4E;

// The lParam that marks the engine's own queries and answers.
inline constexpr std::intptr_t kSkinMagic = 0x41A2;
// The lParam of the finishing message.
inline constexpr std::intptr_t kFinishSkinTag = 1000;

// Framework notifications the engine reacts to: the form's menu changed,
// and a dialog character (menu-bar accelerators).
inline constexpr unsigned CM_MENUCHANGED_SKIN = 0xB015;
inline constexpr unsigned CM_DIALOGCHAR_SKIN = 0xB006;
// The system's own caption redraw, which a skinned frame suppresses.
inline constexpr unsigned WM_NCUAHDRAWCAPTION_SKIN = 0xAE;
