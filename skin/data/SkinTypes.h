#pragma once
// The enumerations, sets and event types of the skin data component.
#include <cstdint>
#include <functional>
#include <string>

#include "framework/Component.h"
#include "framework/EnumSet.h"

class TSkinData;

// Kinds of controls and menus that are skinned; bit n of the 4-byte set is
// member n.
enum TSkinControlType {
  xcMainMenu,
  xcPopupMenu,
  xcMenuItem,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcSpin,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab,
  xcTrackBar,
  xcSystemMenu,
  xcFastReport
};

// Behaviour switches; bit n of the 2-byte set is member n.
enum TSkinOption {
  xoMDIScrollbar,
  xoMenuMerge,
  xoTransparent,
  xoPreview,
  xoParentBackGround,
  xoNoFocusRect,
  xoToolbarBK,
  xoMDIChildBorder,
  xoMenuBG,
  xoFormScrollbar
};

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

using TSkinControlTypes = TEnumSet<TSkinControlType, std::uint32_t>;
using TSkinOptions = TEnumSet<TSkinOption, std::uint16_t>;

// A window handle carried as a number, so that the portable skin data needs
// no Win32 headers.
using TWindowHandle = std::uintptr_t;

// Veto per top-level window: aName is its window class name.
using TOnFormSkin = std::function<void(TObject* Sender, const std::string& aName, bool& DoSkin)>;
// Sender is the framework form (may be null for a foreign window).
using TOnSkinForm =
    std::function<void(TObject* Sender, TWindowHandle ahwnd, const std::string& aName)>;
// SkinnedControl comes in empty; a handler that sets it supplies the
// skinning object for Control itself.
using TOnSkinControl = std::function<void(TComponent* Sender, TSkinData* SkinData, TComponent* Form,
                                          TComponent* Control, const std::string& ControlClass,
                                          TComponent*& SkinnedControl)>;
