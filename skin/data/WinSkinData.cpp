#include "skin/data/WinSkinData.h"

#include <cstring>

#include "skin/data/Skin3rdDefaults.h"
#include "skin/packages/QuickIni.h"
#include "skin/packages/SkinReader.h"
#include "skin/packages/WinSkinStore.h"

namespace {

std::int32_t ReadInt32(TStream& source) {
  std::uint8_t b[4];
  source.ReadBuffer(b, 4);
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
      static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}

void WriteInt32(TStream& target, std::uint32_t v) {
  const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                             static_cast<std::uint8_t>(v >> 16),
                             static_cast<std::uint8_t>(v >> 24)};
  target.WriteBuffer(b, 4);
}

}  // namespace

TSkinData::TSkinData(TComponent* owner, TSkinEnvironment& environment)
    : TComponent(owner), environment_(environment) {
  for (const std::string& line : DefaultSkin3rdLines()) skin3rd_.Add(line);
  TBitmap glyphs;
  if (environment_.Platform().LoadBitmapResource("VENEERMENU", glyphs)) {
    menu_glyphs_.AddMasked(glyphs, clWhite);
  }
}

TSkinData::~TSkinData() {
  if (TCustomSkinManager* manager = environment_.Manager()) manager->RemoveSkinData(this);
}

void TSkinData::SetSkin3rd(const TStringList& lines) {
  if (&lines == &skin3rd_) return;
  skin3rd_.Clear();
  for (int i = 0; i < lines.Count(); ++i) skin3rd_.Add(lines[i]);
}

std::string TSkinData::SkinStore() const {
  return designing_ && !skin_buffer_.Bytes().empty() ? "(Good)" : "(none)";
}

void TSkinData::DescribeProperties(TPropertyTable& table) {
  TComponent::DescribeProperties(table);
  const std::vector<std::string> booleans = {"False", "True"};
  table.Enum(
      "Active", booleans, [this] { return active_ ? 1 : 0; },
      [this](std::int64_t v) { SetActive(v != 0); });
  table.Int(
      "DisableTag", [this] { return std::int64_t{disable_tag_}; },
      [this](std::int64_t v) { disable_tag_ = static_cast<std::int32_t>(v); });
  table.Int(
      "SkinControls", [this] { return std::int64_t{skin_controls_.ToBits()}; },
      [this](std::int64_t v) {
        skin_controls_ = TSkinControlTypes(static_cast<std::uint32_t>(v));
      });
  table.Int(
      "Options", [this] { return std::int64_t{options_.ToBits()}; },
      [this](std::int64_t v) { options_ = TSkinOptions(static_cast<std::uint16_t>(v)); });
  table.Text(
      "Skin3rd", [this] { return skin3rd_.Text(); },
      [this](const std::string& v) { skin3rd_.SetText(v); });
  table.Text(
      "SkinFile", [this] { return skin_file_; }, [this](const std::string& v) { SetSkinFile(v); });
  table.Text(
      "SkinStore", [this] { return SkinStore(); }, [](const std::string&) {});
  table.Enum(
      "SkinFormtype", {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"},
      [this] { return static_cast<std::int64_t>(form_type_); },
      [this](std::int64_t v) { form_type_ = static_cast<TSkinFormType>(v); });
  table.Text(
      "Version", [this] { return version_; }, [](const std::string&) {});
  table.Enum(
      "MenuUpdate", booleans, [this] { return menu_update_ ? 1 : 0; },
      [this](std::int64_t v) { menu_update_ = v != 0; });
  table.Enum(
      "MenuMerge", booleans, [this] { return menu_merge_ ? 1 : 0; },
      [this](std::int64_t v) { menu_merge_ = v != 0; });
}

void TSkinData::ReadSkinStream(TStream& source) {
  const std::int32_t count = ReadInt32(source);
  if (count <= 0) return;
  // Checked before the buffer is touched, so a damaged value keeps the skin.
  if (count > source.Size() - source.Position()) throw EReadError("Stream read error");
  std::vector<std::uint8_t> bytes(static_cast<size_t>(count));
  source.ReadBuffer(bytes.data(), count);
  not_ready_ = true;
  skin_buffer_.Assign(bytes);
  if (!designing_) LoadSkinStream();
}

void TSkinData::WriteSkinStream(TStream& target) const {
  const std::span<const std::uint8_t> bytes = skin_buffer_.Bytes();
  WriteInt32(target, static_cast<std::uint32_t>(bytes.size()));
  target.WriteBytes(bytes);
}

void TSkinData::Loaded() {
  loading_ = false;
  if (designing_) return;
  if (!environment_.Platform().HasScrollBarInfo()) skin_controls_.Exclude(xcScrollbar);
  TCustomSkinManager& manager = environment_.CreateManager();
  manager.AddSkinData(this);
  if (form_type_ != sfMainform) {
    manager.SetSkinningOn(true);
    manager.SetStartCounter(manager.StartCounter() + 1);
    if (active_) manager.SkinOwnerForm(Owner());
    return;
  }
  manager.InstallHook();
  if (active_) {
    if (not_ready_) {
      active_ = false;
    } else {
      manager.Post(scActivate, kSkinCommandDelay);
    }
  }
  if (skin_controls_.Contains(xcMainMenu)) {
    skin_controls_.Exclude(xcMenuItem);
  } else {
    skin_controls_.Exclude(xcSystemMenu);
  }
  environment_.Platform().CaptureApplicationIcon(application_icon_);
}

bool TSkinData::Shown() const {
  const TCustomSkinManager* manager = environment_.Manager();
  return active_ && !(manager && manager->HighContrast());
}

void TSkinData::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (designing_ || loading_) return;
  // A component that has not started has no manager to tell; Loaded acts on
  // the value when it comes.
  TCustomSkinManager* manager = environment_.Manager();
  if (!manager) return;
  switch (form_type_) {
    case sfMainform:
      if (value) {
        if (not_ready_) return;
        manager->SetRequestingData(this);
        manager->Post(scActivate, kSkinCommandDelay);
        manager->SetStartCounter(1);
      } else {
        manager->SetRequestingData(this);
        manager->Post(scDeactivate, kSkinCommandDelay);
      }
      break;
    case sfOnlyThisForm:
      manager->SetRequestingData(this);
      if (value && not_ready_) return;
      manager->Post(value ? scActivate : scDeactivate, kSkinCommandDelay);
      break;
    case sfDialog:
    case sfDLL:
      break;
  }
}

void TSkinData::SetSkinFile(const std::string& path) {
  skin_file_ = path;
  if (designing_) {
    if (!path.empty() && !skin_buffer_.Bytes().empty()) skin_buffer_.Clear();
    return;
  }
  TMemoryStream file;
  try {
    file.LoadFromFile(path);
  } catch (const EStreamError&) {
    return;  // no such file: the skin held so far stays
  }
  if (ReplaceSkin(file.Bytes())) ApplyNewSkin();
}

void TSkinData::LoadFromSkinStore(TSkinStore* store, int index) {
  if (!store || index < 0 || index >= store->Store().Count()) return;
  TMemoryStream& data = store->Store().Items(index).Data();
  data.SetPosition(0);
  if (ReplaceSkin(data.Bytes())) ApplyNewSkin();
}

bool TSkinData::ReplaceSkin(std::span<const std::uint8_t> package) {
  // The package may be the store's own stream: copied before the buffer
  // changes.
  const std::vector<std::uint8_t> incoming(package.begin(), package.end());
  const std::span<const std::uint8_t> held = skin_buffer_.Bytes();
  const std::vector<std::uint8_t> previous(held.begin(), held.end());
  const bool was_not_ready = not_ready_;
  skin_buffer_.Assign(incoming);
  if (LoadSkinStream()) return true;
  skin_buffer_.Assign(previous);
  not_ready_ = was_not_ready;
  return false;
}

bool TSkinData::LoadSkinStream() {
  if (designing_) return false;
  not_ready_ = true;
  // The reader, the scratch stream and the ini exist only for this load.
  struct TReadingScope {
    TSkinData& data;
    ~TReadingScope() {
      data.ini_.reset();
      data.scratch_.reset();
      data.reader_.reset();
    }
  } scope{*this};
  reader_ = std::make_unique<TSkinReader>(environment_.Platform().Messages());
  scratch_ = std::make_unique<TMemoryStream>();
  if (!reader_->Load(skin_buffer_)) return false;
  ini_ = std::make_unique<TQuickIni>();
  std::string ini_name;
  reader_->FindFile(".ini", *scratch_, ini_name);
  scratch_->SetPosition(0);
  ini_->LoadFromStream(scratch_.get());
  ReadSkinObjects();
  return true;
}

void TSkinData::ApplyNewSkin() {
  if (designing_ || loading_) return;
  if (!environment_.Manager()) Loaded();
  TCustomSkinManager& manager = environment_.CreateManager();
  manager.SetRequestingData(this);
  manager.RefreshData();
  if (manager.StartCounter() == 1) manager.Post(scSkinChanged, kSkinCommandDelay);
}

void TSkinData::LoadSkinBitmap(TBitmap& bitmap, const std::string& value) const {
  const size_t slash = value.find_last_of("\\/:");
  const std::string name = slash == std::string::npos ? value : value.substr(slash + 1);
  const size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  // Compared with case: ".BMP" does not name a bitmap.
  if (name.empty() || extension != ".bmp" || !reader_ || !scratch_) {
    bitmap.Clear();
    return;
  }
  reader_->ExtractFile(name, *scratch_);
  if (!scratch_->Bytes().empty()) {
    bitmap.LoadFromStream(*scratch_);
  } else {
    bitmap.Clear();
  }
}

void TSkinData::DecideFormSkin(TWindowHandle, const std::string& class_name, bool& DoSkin) {
  if (OnFormSkin) {
    OnFormSkin(this, class_name, DoSkin);
    return;
  }
  if (class_name == "SysMonthCal32" ||
      (skin_controls_.Contains(xcFastReport) && class_name.starts_with("Tfr"))) {
    DoSkin = false;
  }
}

void TSkinData::DoSkinChanged() {
  if (OnSkinChanged) OnSkinChanged(this);
}

TColor TSkinData::TitleBarColour() const {
  const TDataSkinBorder& top = borders_[fbTop];
  if (top.Bitmap.Empty()) return colours_.ButtonFace;
  // A frame count below 1 would divide by zero; such a strip is one cell.
  const int frames = top.Frame > 0 ? top.Frame : 1;
  return top.Bitmap.Pixel(top.Bitmap.Width() / 3, (top.Bitmap.Height() / frames) / 3);
}

TDataSkinBorder* TSkinData::BorderObject(TSkinSlot slot) const {
  return dynamic_cast<TDataSkinBorder*>(slots_[slot].get());
}

TDataSkinBoxLabel* TSkinData::GroupBox() const {
  return dynamic_cast<TDataSkinBoxLabel*>(slots_[ssGroupBox].get());
}
