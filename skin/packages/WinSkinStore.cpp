#include "skin/packages/WinSkinStore.h"

#include "framework/Exceptions.h"

namespace {

void WriteInt32(TStream& target, std::int64_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                 static_cast<std::uint8_t>(v >> 16),
                                 static_cast<std::uint8_t>(v >> 24)};
  target.WriteBuffer(bytes, 4);
}

std::int32_t ReadInt32(TStream& source) {
  std::uint8_t b[4];
  source.ReadBuffer(b, 4);
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
      static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}

// A count + bytes value; the count must fit what is left of the source.
std::vector<std::uint8_t> ReadCounted(TStream& source) {
  const std::int32_t count = ReadInt32(source);
  if (count < 0 || count > source.Size() - source.Position()) {
    throw EReadError("Stream read error");
  }
  std::vector<std::uint8_t> bytes(static_cast<size_t>(count));
  source.ReadBuffer(bytes.data(), count);
  return bytes;
}

void WriteCounted(TStream& target, std::span<const std::uint8_t> bytes) {
  WriteInt32(target, static_cast<std::int64_t>(bytes.size()));
  target.WriteBytes(bytes);
}

}  // namespace

// --- TSkinCollectionItem

TSkinCollectionItem::TSkinCollectionItem(TCollection& collection) : TCollectionItem(collection) {
  // Set directly: copying a collection creates items whose default names
  // may equal names the copies are about to take.
  name_ = "SkinItem" + std::to_string(ID());
}

void TSkinCollectionItem::SetName(const std::string& name) {
  if (name == name_) return;
  const TCollection& owner = Collection();
  for (int i = 0; i < owner.Count(); ++i) {
    const auto& other = static_cast<const TSkinCollectionItem&>(owner.Items(i));
    if (&other != this && other.name_ == name) {
      throw Exception("The name " + name + " is already used.");
    }
  }
  name_ = name;
}

void TSkinCollectionItem::SaveData(TStream& target) {
  const std::int64_t kept = data_.Position();
  data_.SaveToStream(target);
  data_.SetPosition(kept);
}

void TSkinCollectionItem::ReadDataStream(TStream& source) {
  data_.Assign(ReadCounted(source));
}

void TSkinCollectionItem::WriteDataStream(TStream& target) const {
  WriteCounted(target, data_.Bytes());
}

void TSkinCollectionItem::Assign(const TCollectionItem& source) {
  const auto* item = dynamic_cast<const TSkinCollectionItem*>(&source);
  if (!item) {
    TCollectionItem::Assign(source);
    return;
  }
  SetName(item->name_);
  data_.Assign(item->data_.Bytes());
}

void TSkinCollectionItem::DescribeProperties(TPropertyTable& table) {
  TCollectionItem::DescribeProperties(table);
  table.Text(
      "Name", [this] { return name_; }, [this](const std::string& v) { SetName(v); });
  table.Text(
      "SkinData", [this] { return SkinData(); }, [this](const std::string& v) { SetSkinData(v); });
  table.Int("DataSize", [this] { return std::int64_t{DataSize()}; });
}

// --- TSkinCollection

TSkinCollection::TSkinCollection(TPersistent* owner)
    : TOwnedCollection(owner, [](TCollection& collection) -> std::unique_ptr<TCollectionItem> {
        return std::make_unique<TSkinCollectionItem>(collection);
      }) {}

// --- TSkinStore

TSkinStore::TSkinStore(TComponent* owner) : TComponent(owner), store_(this) {}

void TSkinStore::SetStore(const TSkinCollection* value) {
  if (value) store_.Assign(*value);
}

void TSkinStore::SaveItemsToStream(TStream& target) const {
  WriteInt32(target, store_.Count());
  for (int i = 0; i < store_.Count(); ++i) {
    const TSkinCollectionItem& item = store_.Items(i);
    const std::string& name = item.Name();
    WriteCounted(target,
                 std::span(reinterpret_cast<const std::uint8_t*>(name.data()), name.size()));
    item.WriteDataStream(target);
  }
}

bool TSkinStore::LoadItemsFromStream(TStream& source) {
  const std::int64_t start = source.Position();
  TSkinCollection loaded(nullptr);
  try {
    const std::int32_t count = ReadInt32(source);
    // Every item takes at least its two 4-byte counts.
    if (count < 0 || count > (source.Size() - source.Position()) / 8) {
      throw EReadError("Stream read error");
    }
    for (std::int32_t i = 0; i < count; ++i) {
      TSkinCollectionItem& item = loaded.Add();
      const std::vector<std::uint8_t> name = ReadCounted(source);
      item.SetName(std::string(name.begin(), name.end()));
      item.ReadDataStream(source);
    }
  } catch (const Exception&) {
    source.SetPosition(start);
    return false;
  }
  store_.Assign(loaded);
  return true;
}

void TSkinStore::DescribeProperties(TPropertyTable& table) {
  TComponent::DescribeProperties(table);
  table.Object("Store", [this]() -> TPersistent* { return &store_; });
}
