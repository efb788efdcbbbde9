#pragma once
// TSkinData: the component that owns the active skin of an application. It
// keeps the skin package as raw bytes (from a skin file, a skin store entry
// or its own stored "SkinStream"), opens it in memory, reads the skin
// definition and builds the skin objects every painting part reads, with
// the skin colours and a few derived images. It also carries the settings
// that decide which windows and controls are skinned, and switches skinning
// on and off through the process's skin manager.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Component.h"
#include "framework/ImageList.h"
#include "framework/Streams.h"
#include "framework/StringList.h"
#include "skin/data/SkinColours.h"
#include "skin/data/SkinEnvironment.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/SkinSlots.h"
#include "skin/data/SkinTypes.h"
#include "skin/packages/ImgUtil.h"

class TQuickIni;
class TSkinReader;
class TSkinStore;

inline constexpr char kSkinLibraryVersion[] = "4.11.07.25";
// Every control type except xcMenuItem and xcFastReport.
inline constexpr std::uint32_t kDefaultSkinControls = 0x1FFFFB;
// Delay of the commands sent to the manager.
inline constexpr int kSkinCommandDelay = 250;

// The four frame borders, in the order the frame painting numbers them.
enum TFrameBorderSide { fbLeft, fbRight, fbTop, fbBottom };

class TSkinData : public TComponent {
 public:
  // `environment` must outlive the component.
  TSkinData(TComponent* owner, TSkinEnvironment& environment);
  ~TSkinData() override;

  // --- published settings
  bool Active() const { return active_; }
  void SetActive(bool value);
  // Whether windows show this skin now: it is active and the system is not
  // in its high-contrast mode. What a control draws by itself follows this.
  bool Shown() const;
  std::int32_t DisableTag() const { return disable_tag_; }
  void SetDisableTag(std::int32_t value) { disable_tag_ = value; }
  TSkinControlTypes SkinControls() const { return skin_controls_; }
  void SetSkinControls(TSkinControlTypes value) { skin_controls_ = value; }
  TSkinOptions Options() const { return options_; }
  void SetOptions(TSkinOptions value) { options_ = value; }
  const TStringList& Skin3rd() const { return skin3rd_; }
  // Copies the lines.
  void SetSkin3rd(const TStringList& lines);
  const std::string& SkinFile() const { return skin_file_; }
  // At run time loads the file when it exists (the component is not ready
  // until a skin has been read, even when it does not).
  void SetSkinFile(const std::string& path);
  // "(Good)" at design time when the skin buffer holds a skin, else "(none)".
  std::string SkinStore() const;
  TSkinFormType SkinFormtype() const { return form_type_; }
  void SetSkinFormtype(TSkinFormType value) { form_type_ = value; }
  const std::string& Version() const { return version_; }
  bool MenuUpdate() const { return menu_update_; }
  void SetMenuUpdate(bool value) { menu_update_ = value; }
  bool MenuMerge() const { return menu_merge_; }
  void SetMenuMerge(bool value) { menu_merge_ = value; }

  TOnFormSkin OnFormSkin;
  TNotifyEvent OnSkinChanged;
  TOnSkinControl OnSkinControl;
  TOnSkinForm OnBeforeSkinForm;
  TOnSkinForm OnAfterSkinForm;

  void DescribeProperties(TPropertyTable& table) override;

  // The stored "SkinStream" value: a 32-bit little-endian count and that many
  // bytes of the skin buffer. Reading a count of 0 or less changes nothing;
  // a count past the end of `source` raises EReadError and changes nothing.
  // Otherwise the bytes become the skin buffer and, unless designing, the
  // skin is read (switching on follows from Loaded).
  void ReadSkinStream(TStream& source);
  void WriteSkinStream(TStream& target) const;

  // --- component state
  // Design time: nothing is read or sent to the manager.
  bool Designing() const { return designing_; }
  void SetDesigning(bool value) { designing_ = value; }
  // Set by the form reader while it streams the owner; Loaded ends it.
  bool Loading() const { return loading_; }
  void BeginLoading() { loading_ = true; }
  // The owner has finished streaming: the component starts (manager, hook,
  // switching on).
  void Loaded();

  // --- loading a skin
  // Loads and applies stored skin `index` of `store`; an index outside the
  // store (or no store) changes nothing at all.
  void LoadFromSkinStore(TSkinStore* store, int index);
  // Reads the skin buffer: opens the package, parses the definition and
  // builds the objects. False (at design time, or for a package that does
  // not open) leaves the component not ready with its earlier objects.
  bool LoadSkinStream();
  // Tells the manager that this component's skin has changed.
  void ApplyNewSkin();
  // Fills `bitmap` from the archive entry named by `value` (any folder part
  // dropped; the extension must be exactly ".bmp"); empty otherwise. Only
  // meaningful while a skin is being read.
  void LoadSkinBitmap(TBitmap& bitmap, const std::string& value) const;
  static TColor ParseColour(std::string_view text, TColor default_colour) {
    return ::ParseColour(text, default_colour);
  }
  // Whether no skin has been read completely (nothing new is skinned then).
  bool NotReady() const { return not_ready_; }
  const TMemoryStream& SkinBuffer() const { return skin_buffer_; }

  // --- decisions asked by the manager
  // Called for every candidate top-level window with DoSkin already decided.
  void DecideFormSkin(TWindowHandle window, const std::string& class_name, bool& DoSkin);
  void DoSkinChanged();

  // --- the skin
  const TSkinColours& Colours() const { return colours_; }
  // The colour of the title bar: a pixel a third into the top border's first
  // cell, or ButtonFace without a top border image.
  TColor TitleBarColour() const;
  // Solid brush of ButtonFace, made after every load (null before).
  const TSkinBrush* FaceBrush() const { return face_brush_.get(); }
  const TBitmap& ApplicationIcon() const { return application_icon_; }
  // The form engine gives the skin a window's icon when the application had
  // none at start.
  void SetApplicationIcon(const TBitmap& icon) { application_icon_ = icon; }
  const TImageList& MenuGlyphs() const { return menu_glyphs_; }
  // Cleared by the form skinning for the length of a menu change.
  bool FramePainting() const { return frame_painting_; }
  void SetFramePainting(bool value) { frame_painting_ = value; }
  TGradientCache& Gradients() { return gradients_; }

  // The object of a slot, or null.
  TDataSkinObject* Object(TSkinSlot slot) const { return slots_[slot].get(); }
  // Slots read as TDataSkinBorder: Progress, Tabs, ComboButton, UpDown.*.
  TDataSkinBorder* BorderObject(TSkinSlot slot) const;
  TDataSkinBoxLabel* GroupBox() const;
  const TDataSkinTitle& Title() const { return title_; }
  const TDataSkinButton& Buttons() const { return buttons_; }
  const TDataSkinBorder& FrameBorder(TFrameBorderSide side) const { return borders_[side]; }
  // The caption buttons of the skin; the last three are the MDI child
  // buttons (minimise, restore, close).
  const std::vector<std::unique_ptr<TDataSkinSysButton>>& CaptionButtons() const {
    return caption_buttons_;
  }

 private:
  // Reads `package` in place of the skin held so far. A package that cannot
  // be opened changes nothing: the old skin, its stored bytes and its ready
  // state stay for the windows that use them. Answers whether it was read.
  bool ReplaceSkin(std::span<const std::uint8_t> package);
  // Reading the definition (SkinReaders.cpp).
  void ReadSkinObjects();
  std::string ReadText(const std::string& section, const std::string& key) const;
  std::int32_t ReadInt(const std::string& section, const std::string& key,
                       std::int32_t default_value) const;
  void ReadObjectFields(TDataSkinObject& object, const std::string& section, bool with_frame,
                        bool with_colours) const;
  void ReadSlot(const TSlotReading& row);
  void ReadImageObject(TSkinSlot slot, const std::string& section);
  void ReadImageBorderObject(TSkinSlot slot, const std::string& section,
                             const std::string& second_key);
  void ReadBitmapObject(TSkinSlot slot, const std::string& section);
  void ReadBoxLabelObject(TSkinSlot slot, const std::string& section);
  void ReadMenuBarObject(TSkinSlot slot, const std::string& section);
  void ReadTitle(const std::string& section);
  void ReadButtons();
  void ReadFrameBorders();
  void ReadCaptionButtons();
  void ReadMdiButtons(size_t first);
  void LoadBuiltInObject(TSkinSlot slot, const std::string& name);
  void SetFrameCounts();

  // Built images (SkinBuiltImages.cpp).
  void BuildComboButtonStrip();
  void BuildComboArrow();
  void BuildToolbarBackground();

  TSkinEnvironment& environment_;
  std::string skin_file_;
  // These three exist only while a skin is being read.
  std::unique_ptr<TQuickIni> ini_;
  std::unique_ptr<TMemoryStream> scratch_;
  std::unique_ptr<TSkinReader> reader_;
  bool active_ = false;
  std::int32_t disable_tag_ = 99;
  TSkinControlTypes skin_controls_{kDefaultSkinControls};
  TSkinOptions options_{xoPreview, xoToolbarBK};
  TSkinFormType form_type_ = sfMainform;
  TStringList skin3rd_;
  bool menu_update_ = true;
  std::string version_ = kSkinLibraryVersion;
  bool menu_merge_ = false;
  TMemoryStream skin_buffer_;
  bool not_ready_ = true;
  bool designing_ = false;
  bool loading_ = false;
  TSkinColours colours_;
  TBitmap application_icon_;
  std::vector<std::unique_ptr<TDataSkinSysButton>> caption_buttons_;
  TDataSkinTitle title_{"Title"};
  TDataSkinButton buttons_{"Buttons"};
  std::array<TDataSkinBorder, 4> borders_{TDataSkinBorder("Left"), TDataSkinBorder("Right"),
                                          TDataSkinBorder("Top"), TDataSkinBorder("Bottom")};
  std::array<std::unique_ptr<TDataSkinObject>, ssSlotCount> slots_;
  std::unique_ptr<TSkinBrush> face_brush_;
  bool frame_painting_ = true;
  TImageList menu_glyphs_{16, 16};
  TGradientCache gradients_;
};
