#include "skin/form/ControlWalk.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Buttons.h"
#include "framework/CheckBox.h"
#include "framework/ClassName.h"
#include "framework/ComCtrls.h"
#include "framework/ComboBox.h"
#include "framework/DateTimePicker.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "framework/HeaderControl.h"
#include "framework/MediaPlayer.h"
#include "framework/Memo.h"
#include "framework/PageControl.h"
#include "framework/RadioGroup.h"
#include "framework/ScrollBar.h"
#include "framework/ScrollBox.h"
#include "framework/StatusBar.h"
#include "framework/StdCtrls.h"
#include "framework/StringList.h"
#include "framework/TabSet.h"
#include "framework/ToolBar.h"
#include "framework/TrackBar.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinPanels.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinProps.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinTabSet.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/Skin3rdMap.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"

namespace {

// The skinning objects the walk makes.
enum class TKind {
  kButton,
  kBitButton,
  kPngBitButton,
  kMenuButton,
  kSpeedButton,
  kGroupBox,
  kBox,
  kToolBar,
  kBoxH,
  kSizer,
  kStatusBar,
  kCheckImage,    // foreign check boxes with a 9-cell glyph property
  kRadioImage,    // foreign radio buttons with a 6-cell glyph property
  kCxCheckImage,  // foreign check boxes with a glyph in their "Properties"
  kScrollbar,
  kSingleScrollbar,
  kListView,
  kScrollControl,
  kProgress,
  kCheckBox,
  kRadioButton,
  // Kinds of controls the program has no skinning class for yet: such a
  // control keeps its own look.
  kEdit,
  kComboBox,
  kDateTime,
  kTrackBar,
  kUpDown,
  kHeader,
  kTab,
  kTabButtons,
  kTabSet,
  kTabSheet,
  kAdvancedPages,
  kMediaPlayer
};

std::unique_ptr<TSkinControl> Make(TKind kind) {
  switch (kind) {
    case TKind::kButton:
      return std::make_unique<TSkinButton>();
    case TKind::kBitButton:
      return std::make_unique<TSkinBitButton>();
    case TKind::kPngBitButton: {
      auto button = std::make_unique<TSkinBitButton>();
      button->SetPictureProperty("PngImage");
      return button;
    }
    case TKind::kMenuButton:
      return std::make_unique<TSkinMenuButton>();
    case TKind::kSpeedButton:
      return std::make_unique<TSkinSpeedButton>();
    case TKind::kGroupBox:
      return std::make_unique<TSkinGroupBox>();
    case TKind::kBox:
      return std::make_unique<TSkinBox>();
    case TKind::kToolBar:
      return std::make_unique<TSkinToolBar>();
    case TKind::kBoxH:
      return std::make_unique<TSkinBoxH>();
    case TKind::kSizer:
      return std::make_unique<TSkinSizer>();
    case TKind::kStatusBar:
      return std::make_unique<TSkinStatusBar>();
    case TKind::kCheckImage:
      return std::make_unique<TSkinObjImage>(1);
    case TKind::kRadioImage:
      return std::make_unique<TSkinObjImage>(2);
    case TKind::kCxCheckImage:
      return std::make_unique<TSkinObjImage>(3);
    case TKind::kScrollbar:
      return std::make_unique<TSkinScrollbar>();
    case TKind::kSingleScrollbar: {
      auto bar = std::make_unique<TSkinScrollbar>();
      bar->SetMode(1);
      return bar;
    }
    case TKind::kListView:
      return std::make_unique<TSkinListView>();
    case TKind::kScrollControl:
      return std::make_unique<TSkinScControl>();
    case TKind::kProgress:
      return std::make_unique<TSkinProgress>();
    case TKind::kHeader:
      return std::make_unique<TSkinHeader>();
    case TKind::kEdit:
      return std::make_unique<TSkinEdit>();
    case TKind::kUpDown:
      return std::make_unique<TSkinUpDown>();
    case TKind::kTrackBar:
      return std::make_unique<TSkinTrackBar>();
    case TKind::kDateTime:
      return std::make_unique<TSkinDateTime>();
    case TKind::kComboBox:
      return std::make_unique<TSkinComBox>();
    case TKind::kMediaPlayer:
      return std::make_unique<TSkinMP>();
    case TKind::kTab:
      return std::make_unique<TSkinTab>();
    case TKind::kTabButtons:
      return std::make_unique<TSkinTabBtn>();
    case TKind::kTabSet:
      return std::make_unique<TSkinTab31>();
    case TKind::kTabSheet:
      return std::make_unique<TSkinTabSheet>();
    case TKind::kAdvancedPages:
      return std::make_unique<TSkinAdvPage>(4);
    case TKind::kCheckBox:
      return std::make_unique<TSkinCheckBox>();
    case TKind::kRadioButton:
      return std::make_unique<TSkinRadioButton>();
    default:
      return nullptr;
  }
}

bool NeedsScrollBars(const TComponent& control) {
  const auto* windowed = dynamic_cast<const TWinControl*>(&control);
  if (!windowed || !windowed->HandleAllocated()) return false;
  return (GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

class TWalk {
 public:
  TWalk(TWinSkinForm& engine, TSkinData& data) : engine_(engine), data_(data) {}

  void Components(TComponent& owner);
  void Children(TWinControl& control);
  void Control(TComponent& control, TComponent& parent);
  void Window(HWND window);
  void Windows(HWND window);
  // Gives `control` a new object of `kind`; null when it cannot be skinned
  // (it then stays as it is).
  TSkinControl* Attach(TComponent& control, TKind kind, bool colour = false);

 private:
  bool Has(TSkinControlType type) const { return data_.SkinControls().Contains(type); }
  bool HasTabObject() const {
    const TDataSkinObject* tabs = data_.Object(ssTabs);
    return tabs && !tabs->Bitmap.Empty();
  }
  // Tabs can be drawn: the skin has the Tabs image, or at least a page
  // frame to draw around system-drawn tabs.
  bool HasTabOrPane() const {
    const TDataSkinObject* pane = data_.Object(ssTabPane);
    return HasTabObject() || (pane && !pane->Bitmap.Empty());
  }
  void TabControl(TCustomTabControl& control);
  bool Known(const TComponent& control) const;
  bool KnownWindow(HWND window) const;
  bool AnswersSkinned(TComponent& control) const;
  TSkinControl* Attach(TComponent& control, std::unique_ptr<TSkinControl> object, bool colour);
  TSkinControl* AttachWindow(HWND window, TKind kind);
  bool Adopt(TComponent& control, TComponent* offered);
  bool Skin3rd(TComponent& control, const std::string& upper);
  void Decide(TComponent& control, const std::string& upper);
  void EachChild(TComponent& control, TKind kind, bool colour);

  TWinSkinForm& engine_;
  TSkinData& data_;
};

bool TWalk::Known(const TComponent& control) const {
  const auto& list = engine_.Controls();
  return std::any_of(list.begin(), list.end(),
                     [&](const auto& object) { return object->Skinned() == &control; });
}

bool TWalk::KnownWindow(HWND window) const {
  const auto& list = engine_.Controls();
  return std::any_of(list.begin(), list.end(),
                     [&](const auto& object) { return object->Handle() == window; });
}

bool TWalk::AnswersSkinned(TComponent& control) const {
  if (auto* windowed = dynamic_cast<TWinControl*>(&control)) {
    return windowed->Perform(SKM_ISSKINNED, 0, 0) == 1;
  }
  if (auto* graphic = dynamic_cast<TGraphicControl*>(&control)) {
    return graphic->Perform(SKM_ISSKINNED, 0, 0) == 1;
  }
  return false;
}

TSkinControl* TWalk::Attach(TComponent& control, TKind kind, bool colour) {
  return Attach(control, Make(kind), colour);
}

TSkinControl* TWalk::Attach(TComponent& control, std::unique_ptr<TSkinControl> object,
                            bool colour) {
  if (!object) return nullptr;
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  auto* graphic = dynamic_cast<TGraphicControl*>(&control);
  if (windowed && !windowed->HandleAllocated()) return nullptr;
  TSkinControl* added = engine_.AddControl(std::move(object));
  try {
    if (auto* scroll = dynamic_cast<TSkinScrollbar*>(added)) {
      if (!windowed) throw std::runtime_error("scroll bars need a window");
      scroll->AttachScrollHost(*windowed, data_, engine_);
    } else if (windowed) {
      added->InitControl(*windowed, engine_, data_, colour);
    } else if (graphic) {
      added->InitGraphic(*graphic, engine_, data_);
    } else {
      throw std::runtime_error("not a control");
    }
  } catch (...) {
    // A control that cannot be skinned stays as it is.
    engine_.RemoveControl(added);
    return nullptr;
  }
  return added;
}

TSkinControl* TWalk::AttachWindow(HWND window, TKind kind) {
  std::unique_ptr<TSkinControl> object = Make(kind);
  if (!object) return nullptr;
  TSkinControl* added = engine_.AddControl(std::move(object));
  try {
    added->InitWindow(window, data_, engine_);
  } catch (...) {
    engine_.RemoveControl(added);
    return nullptr;
  }
  return added;
}

void TWalk::EachChild(TComponent& control, TKind kind, bool colour) {
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  if (!windowed) return;
  for (int i = 0; i < windowed->ControlCount(); ++i) Attach(*windowed->Controls(i), kind, colour);
  for (int i = 0; i < windowed->GraphicControlCount(); ++i) {
    Attach(*windowed->GraphicControls(i), kind, colour);
  }
}

void TWalk::Children(TWinControl& control) {
  // A copy: skinning may add windows of its own (scroll-bar overlays).
  std::vector<TComponent*> children;
  for (int i = 0; i < control.ControlCount(); ++i) children.push_back(control.Controls(i));
  for (int i = 0; i < control.GraphicControlCount(); ++i) {
    children.push_back(control.GraphicControls(i));
  }
  for (TComponent* child : children) Control(*child, control);
}

void TWalk::Components(TComponent& owner) {
  std::vector<TComponent*> controls;
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    TComponent* c = owner.Components(i);
    if (dynamic_cast<TWinControl*>(c) || dynamic_cast<TGraphicControl*>(c)) controls.push_back(c);
  }
  for (TComponent* c : controls) Control(*c, owner);
}

// An object the program's OnSkinControl handler made; the engine takes it
// over (from its owner, when it has one).
bool TWalk::Adopt(TComponent& control, TComponent* offered) {
  auto* object = dynamic_cast<TSkinControl*>(offered);
  if (!object) return false;
  if (engine_.HasControl(object)) return true;
  std::unique_ptr<TSkinControl> adopted;
  if (TComponent* owner = object->Owner()) {
    adopted.reset(static_cast<TSkinControl*>(owner->RemoveComponent(object).release()));
  } else {
    adopted.reset(object);
  }
  const bool colour = adopted->ChangeColour();
  Attach(control, std::move(adopted), colour);
  if (auto* panel = dynamic_cast<TPanel*>(&control)) Children(*panel);
  return true;
}

void TWalk::Control(TComponent& control, TComponent& parent) {
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  auto* graphic = dynamic_cast<TGraphicControl*>(&control);
  if (!windowed && !graphic) return;
  if (control.Tag() == data_.DisableTag()) {
    // The buttons of a group that stays unskinned stay so too.
    const std::string name = AsciiLower(ClassNameOf(control));
    if (windowed && (name.find("radiogroup") != std::string::npos ||
                     name.find("checkgroup") != std::string::npos)) {
      for (int i = 0; i < windowed->ControlCount(); ++i)
        windowed->Controls(i)->SetTag(control.Tag());
      for (int i = 0; i < windowed->GraphicControlCount(); ++i) {
        windowed->GraphicControls(i)->SetTag(control.Tag());
      }
    }
    return;
  }
  const bool has_parent = windowed ? windowed->Parent() != nullptr : graphic->Parent() != nullptr;
  if (!has_parent || AnswersSkinned(control) || Known(control)) return;
  const std::string upper = AsciiUpper(ClassNameOf(control));
  if (windowed && !windowed->HandleAllocated()) return;
  if (data_.OnSkinControl) {
    TComponent* offered = nullptr;
    data_.OnSkinControl(&engine_, &data_, &parent, &control, upper, offered);
    if (Adopt(control, offered)) return;
  }
  if (Skin3rd(control, upper)) return;
  if (upper == "TDBCOMBOBOXEH" || upper == "TFRDESIGNERPAGE" || upper == "TFRPBOX") return;
  Decide(control, upper);
}

bool TWalk::Skin3rd(TComponent& control, const std::string& upper) {
  const std::optional<std::string> found = Skin3rdKind(data_.Skin3rd(), ClassNameOf(control));
  if (!found) return false;
  const std::string& kind = *found;
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  if (kind == "nil") return true;
  if (kind == "combobox") {
    if (Has(xcCombo)) Attach(control, TKind::kComboBox);
  } else if (kind == "edit") {
    // Only an edit with a border of its own.
    if (Has(xcEdit) && windowed) {
      RECT window{}, client{};
      GetWindowRect(windowed->Handle(), &window);
      GetClientRect(windowed->Handle(), &client);
      if (window.right - window.left != client.right ||
          window.bottom - window.top != client.bottom) {
        Attach(control, TKind::kEdit);
      }
    }
  } else if (kind == "radiobutton") {
    if (Has(xcRadioButton)) Attach(control, TKind::kRadioButton);
  } else if (kind == "panel") {
    if (Has(xcPanel)) {
      WriteProp(&control, "Transparent", "True");
      Attach(control, TKind::kBox, true);
    }
  } else if (kind == "trackbar") {
    if (Has(xcButton)) {
      WriteProp(&control, "Transparent", "True");
      Attach(control, TKind::kTrackBar);
    }
  } else if (kind == "button") {
    if (Has(xcButton)) Attach(control, TKind::kButton);
  } else if (kind == "datetimepicker") {
    if (Has(xcCombo)) Attach(control, TKind::kDateTime);
  } else if (kind == "mediaplayer") {
    if (Has(xcButton)) Attach(control, TKind::kMediaPlayer);
  } else if (kind == "bitbtn") {
    if (Has(xcButton)) {
      const bool drop_down = AsciiLower(ClassNameOf(control)) == "tcxbutton" &&
                             AsciiEqualNoCase(PropEnum(&control, "Kind"), "cxbkDropDownButton");
      Attach(control, drop_down ? TKind::kMenuButton : TKind::kBitButton);
    }
  } else if (kind == "pngbitbtn") {
    if (Has(xcButton)) Attach(control, TKind::kPngBitButton);
  } else if (kind == "menubtn") {
    if (Has(xcButton)) Attach(control, TKind::kMenuButton);
  } else if (kind == "speedbutton") {
    if (Has(xcSpeedButton)) Attach(control, TKind::kSpeedButton);
  } else if (kind == "tab") {
    if (Has(xcTab) && HasTabObject()) Attach(control, TKind::kTab);
  } else if (kind == "progress") {
    if (Has(xcProgress)) Attach(control, TKind::kProgress);
  } else if (kind == "scrollbar") {
    if (Has(xcScrollbar)) {
      Attach(control, TKind::kScrollbar);
      if (windowed) Children(*windowed);
    }
  } else if (kind == "singlescrollbar") {
    if (Has(xcScrollbar)) Attach(control, TKind::kSingleScrollbar);
  } else if (kind == "embedscrollbar") {
    if (Has(xcScrollbar) && windowed) {
      for (int i = 0; i < windowed->ControlCount(); ++i) {
        if (NeedsScrollBars(*windowed->Controls(i)))
          Attach(*windowed->Controls(i), TKind::kScrollbar);
      }
    }
  } else if (kind == "container") {
    if (windowed) Children(*windowed);
  } else if (kind == "groupbox") {
    if (Has(xcGroupBox)) Attach(control, TKind::kGroupBox, true);
  } else if (kind == "advpagecontrol") {
    if (Has(xcTab)) Attach(control, TKind::kAdvancedPages, true);
  } else if (kind == "radiogroup") {
    if (Has(xcGroupBox)) {
      if (Has(xcRadioButton)) {
        const bool own_glyphs = upper.find("TRZ") != std::string::npos;
        EachChild(control, own_glyphs ? TKind::kRadioImage : TKind::kRadioButton, own_glyphs);
      }
      Attach(control, TKind::kGroupBox, true);
    }
  } else if (kind == "checkgroup") {
    if (Has(xcPanel)) {
      if (Has(xcRadioButton)) {
        const bool own_glyphs = upper.find("TRZ") != std::string::npos;
        EachChild(control, own_glyphs ? TKind::kCheckImage : TKind::kCheckBox, own_glyphs);
      }
      if (Has(xcGroupBox)) Attach(control, TKind::kGroupBox, true);
    }
  } else if (kind == "checkbox") {
    if (Has(xcCheckBox)) Attach(control, TKind::kCheckBox);
  }
  // Any kind named in the list is handled, also when nothing was attached.
  return true;
}

// The rules for one control; the first that matches applies, also when the
// skin data's SkinControls leaves it nothing to do. Rules that name a class
// test the framework's class of that kind (given beside them); the framework
// has no band controls, so their rule cannot match here. Rules that name
// foreign classes compare the upper-cased class name.
// Tab and page controls: button tabs along the top get buttons; tab
// controls that are not page controls paint their windowless children over
// the page frame. Both take the skin's colours, and so do the labels on
// them.
void TWalk::TabControl(TCustomTabControl& control) {
  if (!Has(xcTab) || !HasTabOrPane()) return;
  if (control.Style() != tsTabs && control.TabPosition() == tpTop) {
    Attach(control, TKind::kTabButtons, true);
    return;
  }
  auto object = Make(TKind::kTab);
  if (!dynamic_cast<TPageControl*>(&control)) object->SetMode(2);
  Attach(control, std::move(object), true);
}

void TWalk::Decide(TComponent& control, const std::string& upper) {
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  if (auto* tabs = dynamic_cast<TCustomTabControl*>(&control)) {  // tab and page controls
    TabControl(*tabs);
    return;
  }
  if (upper == "TTABSET") {
    if (Has(xcTab) && HasTabObject()) Attach(control, TKind::kTabSet);
    return;
  }
  if (dynamic_cast<TTabSheet*>(&control)) {  // pages of page controls
    // The page's colours are the skin's, for the labels on it too.
    if (Has(xcTab) && HasTabOrPane()) Attach(control, TKind::kTabSheet, true);
    return;
  }
  if (upper == "TTABBEDNOTEBOOK") {
    if (Has(xcTab) && HasTabObject()) Attach(control, TKind::kTab);
    return;
  }
  if (upper == "TMVCPANEL") {
    if (windowed) Children(*windowed);
    return;
  }
  // Tab sets of other kinds that publish a Style: any style but plain tabs
  // shows its tabs as buttons.
  if (dynamic_cast<TTabSet*>(&control) && HasProp(&control, "Style")) {
    if (Has(xcTab) && HasTabObject()) {
      const bool tabs = AsciiEqualNoCase(PropEnum(&control, "Style"), "tsTabs");
      Attach(control, tabs ? TKind::kTab : TKind::kTabButtons);
    }
    return;
  }
  if (dynamic_cast<THeaderControl*>(&control)) {  // header controls
    if (Has(xcPanel)) Attach(control, TKind::kHeader);
    return;
  }
  if (dynamic_cast<TCheckBox*>(&control)) {  // check boxes
    if (Has(xcCheckBox)) Attach(control, TKind::kCheckBox);
    return;
  }
  if (dynamic_cast<TTrackBar*>(&control)) {  // track bars
    if (Has(xcTrackBar)) Attach(control, TKind::kTrackBar);
    return;
  }
  if (upper == "TUPDOWN" || upper == "TSPINBUTTON") {
    if (Has(xcSpin)) Attach(control, TKind::kUpDown);
    return;
  }
  if (dynamic_cast<TMediaPlayer*>(&control) || upper == "TMEDIAPLAYER") {  // media players
    if (Has(xcButton)) Attach(control, TKind::kMediaPlayer);
    return;
  }
  if (dynamic_cast<TRadioGroup*>(&control)) {  // radio groups
    if (Has(xcRadioButton)) {
      EachChild(control, TKind::kRadioButton, false);
      Attach(control, TKind::kGroupBox, true);
    }
    return;
  }
  if (upper == "TDBNAVIGATOR") {
    if (Has(xcPanel)) {
      Attach(control, TKind::kBox, true);
      if (windowed) {
        for (int i = 0; i < windowed->ControlCount(); ++i) Control(*windowed->Controls(i), control);
      }
    }
    return;
  }
  if (upper == "TRZDBCHECKBOX" || upper == "TRZCHECKBOX") {
    if (Has(xcCheckBox)) Attach(control, TKind::kCheckImage, true);
    return;
  }
  if (upper == "TRZRADIOBUTTON" || upper == "TRZDBRADIOBUTTON") {
    if (Has(xcRadioButton)) Attach(control, TKind::kRadioImage, true);
    return;
  }
  if (upper == "TCXDBCHECKBOX" || upper == "TCXCHECKBOX") {
    if (Has(xcCheckBox)) Attach(control, TKind::kCxCheckImage, true);
    return;
  }
  if (auto* group = dynamic_cast<TGroupBox*>(&control)) {  // group boxes
    if (Has(xcPanel)) {
      // The controls inside first, then the box itself.
      Children(*group);
      Attach(control, TKind::kGroupBox);
    }
    return;
  }
  if (dynamic_cast<TRadioButton*>(&control)) {  // radio buttons
    if (Has(xcRadioButton)) Attach(control, TKind::kRadioButton);
    return;
  }
  if (dynamic_cast<TToolBar*>(&control)) {  // tool bars
    if (Has(xcToolbar)) Attach(control, TKind::kToolBar);
    return;
  }
  if (dynamic_cast<TStatusBar*>(&control)) {  // status bars
    if (Has(xcStatusBar)) Attach(control, TKind::kStatusBar);
    return;
  }
  if (dynamic_cast<TProgressBar*>(&control)) {  // progress bars
    if (Has(xcProgress)) Attach(control, TKind::kProgress);
    return;
  }
  if (dynamic_cast<TScrollBar*>(&control)) {  // scroll-bar controls
    if (Has(xcScrollbar)) Attach(control, TKind::kScrollControl);
    return;
  }
  if (dynamic_cast<TComboBox*>(&control)) {  // combo boxes
    if (Has(xcCombo)) Attach(control, TKind::kComboBox);
    return;
  }
  if (upper == "TTNTCOMBOBOX") {
    if (Has(xcCombo)) Attach(control, TKind::kComboBox);
    return;
  }
  if (dynamic_cast<TDateTimePicker*>(&control)) {  // date-time pickers
    // Also a picker of times, or one that moves its date with up-down
    // arrows: it has no drop-down button, but its field (which no edit's
    // colours reach) is drawn in the skin's content colours all the same.
    if (Has(xcEdit)) Attach(control, TKind::kDateTime);
    return;
  }
  if (upper == "TRICHEDIT" || upper == "TWWDBRICHEDIT" || upper == "TDXDBMEMO") {
    if (Has(xcScrollbar)) Attach(control, TKind::kScrollbar);
    return;
  }
  if (dynamic_cast<TMenuButton*>(&control)) {  // drop-down menu buttons
    if (Has(xcButton)) Attach(control, TKind::kMenuButton);
    return;
  }
  if (dynamic_cast<TBitBtn*>(&control)) {  // glyph buttons
    if (Has(xcBitBtn)) Attach(control, TKind::kBitButton);
    return;
  }
  if (dynamic_cast<TSpeedButton*>(&control)) {  // speed buttons
    if (Has(xcSpeedButton)) Attach(control, TKind::kSpeedButton);
    return;
  }
  if (auto* panel = dynamic_cast<TPanel*>(&control)) {  // panels
    if (Has(xcPanel)) {
      Children(*panel);
      Attach(control, TKind::kBox, true);
    }
    return;
  }
  if (upper == "TDXTREELIST" || upper == "TDXDBTREELIST" || upper == "TDXDBGRID") {
    if (Has(xcScrollbar)) Attach(control, TKind::kScrollbar);
    return;
  }
  if (dynamic_cast<TListView*>(&control)) {  // list views
    if (Has(xcScrollbar)) Attach(control, TKind::kListView);
    return;
  }
  if (dynamic_cast<TMemo*>(&control) && !NeedsScrollBars(control)) {
    // A memo without scroll bars is an edit of many lines.
    if (Has(xcEdit)) Attach(control, TKind::kEdit);
    return;
  }
  if (dynamic_cast<TScrollBox*>(&control) || dynamic_cast<TMemo*>(&control)) {
    // Scroll boxes and memos: scrolling controls of the framework.
    if (Has(xcScrollbar)) Attach(control, TKind::kScrollbar);
    return;
  }
  if (NeedsScrollBars(control)) {
    if (Has(xcScrollbar)) Attach(control, TKind::kScrollbar);
    return;
  }
  if (dynamic_cast<TButton*>(&control)) {  // push buttons
    if (Has(xcButton)) Attach(control, TKind::kButton);
    return;
  }
  if (dynamic_cast<TEdit*>(&control)) {  // edits
    if (Has(xcEdit)) Attach(control, TKind::kEdit);
    return;
  }
  if (upper == "TDCEDIT" || upper == "TDCDBEDIT") {
    const int buttons = PropInt(&control, "NumButtons");
    if (buttons == 1 && Has(xcCombo)) Attach(control, TKind::kComboBox);
    if (buttons == 0 && Has(xcEdit) && windowed) AttachWindow(windowed->Handle(), TKind::kEdit);
    return;
  }
  // Any other class: a form shown inside another gets the skin's colour and
  // its own controls are walked.
  if (auto* form = dynamic_cast<TForm*>(&control); form && form != engine_.Form()) {
    Attach(control, TKind::kBox, true);
    Components(*form);
  }
}

// --- bare windows -----------------------------------------------------------

void TWalk::Windows(HWND window) {
  std::vector<HWND> children;
  for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) children.push_back(child);
  }
  for (HWND child : children) Window(child);
}

void TWalk::Window(HWND window) {
  if (KnownWindow(window)) return;
  const std::string name = AsciiLower(WindowClassName(window));
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  if (name == "button") {
    if ((style & 0xB) == 0xB) return;  // drawn by its owner
    if ((style & 7) == 7 || (style & 0x80)) return;
    if ((style & 3) == 3 || (style & 2) || (style & 5) == 5) {
      AttachWindow(window, TKind::kCheckBox);
    } else if ((style & 9) == 9 || (style & 4)) {
      AttachWindow(window, TKind::kRadioButton);
    } else {
      AttachWindow(window, TKind::kButton);
    }
  } else if (name == "combobox") {
    if ((style & 3) != 1) AttachWindow(window, TKind::kComboBox);
  } else if (name == "comboboxex32") {
    if (HWND first = GetTopWindow(window)) AttachWindow(first, TKind::kComboBox);
  } else if (name == "scrollbar") {
    if (!(style & WS_TABSTOP)) AttachWindow(window, TKind::kSizer);
  } else if (name == "systreeview32") {
    return;
  } else if (name == "#32770") {
    if (!(style & WS_TABSTOP)) {
      Windows(window);
      AttachWindow(window, TKind::kBoxH);
    }
  } else if (name == "tpanel" || name == "ttntpanel.unicodeclass" ||
             name == "ttntsilentpaintpanel.unicodeclass" || name == "tsilentpaintpanel") {
    if (name != "tsilentpaintpanel") Windows(window);
    // The panel's colour becomes the face's, and comes back with the skin.
    if (TWinControl* control = TWinControl::FindControl(window))
      Attach(*control, TKind::kBox, true);
  } else if (name == "tcheckbox") {
    AttachWindow(window, TKind::kCheckBox);
  } else if (name == "tcombobox") {
    AttachWindow(window, TKind::kComboBox);
  } else if (name == "tbutton") {
    AttachWindow(window, TKind::kButton);
  } else if (name == "tprogressbar") {
    AttachWindow(window, TKind::kProgress);
  } else if (name == "systabcontrol32") {
    if (!(style & 0x2000)) AttachWindow(window, TKind::kTab);
  } else if (name == "edit") {
    AttachWindow(window, TKind::kEdit);
  }
}

}  // namespace

void SkinComponents(TWinSkinForm& engine, TForm& form) {
  TSkinData* data = engine.SkinData();
  if (!data) return;
  engine.PurgeControls();
  TWalk walk(engine, *data);
  walk.Components(form);
  // Windowed controls of the form that belong to others.
  std::vector<TWinControl*> order;
  std::vector<TWinControl*> pending{&form};
  while (!pending.empty()) {
    TWinControl* c = pending.back();
    pending.pop_back();
    for (int i = c->ControlCount() - 1; i >= 0; --i) {
      order.push_back(c->Controls(i));
      pending.push_back(c->Controls(i));
    }
  }
  for (TWinControl* c : order) {
    if (!c->HandleAllocated() || c->Tag() == data->DisableTag()) continue;
    if (c->Perform(SKM_ISSKINNED, 0, 0) == 1) continue;
    walk.Control(*c, form);
  }
  // Controls that keep their own procedures (labels) take the new colours.
  if (form.HandleAllocated()) {
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

void SkinChildren(TWinSkinForm& engine, TWinControl& control) {
  if (TSkinData* data = engine.SkinData()) TWalk(engine, *data).Children(control);
}

void SkinControl(TWinSkinForm& engine, TComponent& control, TComponent& parent) {
  if (TSkinData* data = engine.SkinData()) TWalk(engine, *data).Control(control, parent);
}

void SkinWindows(TWinSkinForm& engine, HWND window) {
  if (TSkinData* data = engine.SkinData()) TWalk(engine, *data).Windows(window);
}

void SkinWindow(TWinSkinForm& engine, HWND window) {
  if (TSkinData* data = engine.SkinData()) TWalk(engine, *data).Window(window);
}

void UseScrollbar(TWinSkinForm& engine, HWND window) {
  TSkinData* data = engine.SkinData();
  if (!data) return;
  TSkinControl* old = nullptr;
  for (const auto& object : engine.Controls()) {
    if (object->Handle() == window) old = object.get();
  }
  if (!old) return;
  TWinControl* control = old->Control();
  const bool list_view = dynamic_cast<TSkinListView*>(old) != nullptr;
  if (old->LifeState() != slDestroyed) old->Restore();
  engine.RemoveControl(old).reset();
  if (!control) return;
  TWalk(engine, *data).Attach(*control, list_view ? TKind::kListView : TKind::kScrollbar);
}
