#pragma once
// TSkinStore keeps compressed skin packages inside the component that owns
// it, one TSkinCollectionItem per skin. Each item holds its package as
// opaque bytes; they travel as the item's "DataStream" value: a 32-bit
// little-endian byte count followed by the bytes.
#include <cstdint>
#include <memory>
#include <string>

#include "framework/Collection.h"
#include "framework/Component.h"
#include "framework/Streams.h"

class TSkinCollectionItem : public TCollectionItem {
 public:
  // Named "SkinItem" + the item's id.
  explicit TSkinCollectionItem(TCollection& collection);

  const std::string& Name() const { return name_; }
  // Renames the item. Another item of the collection with exactly this name
  // raises Exception "The name <name> is already used." and the name stays.
  void SetName(const std::string& name);
  // Always reads "Load Skin"; writing it changes nothing.
  std::string SkinData() const { return "Load Skin"; }
  void SetSkinData(const std::string&) {}
  std::int32_t DataSize() const { return static_cast<std::int32_t>(data_.Bytes().size()); }

  // The item's bytes; consumers rewind it and copy it whole.
  TMemoryStream& Data() { return data_; }
  const TMemoryStream& Data() const { return data_; }
  // Copies all bytes into `target`; the item's own position is kept.
  void SaveData(TStream& target);

  // The "DataStream" value: count + bytes. Reading replaces the bytes and
  // raises EReadError (bytes unchanged) when the count is negative or runs
  // past the source.
  void ReadDataStream(TStream& source);
  void WriteDataStream(TStream& target) const;

  // A TSkinCollectionItem source copies its name and bytes; other items go
  // to the default assignment, which refuses.
  void Assign(const TCollectionItem& source) override;
  std::string DisplayName() const override { return name_; }
  void DescribeProperties(TPropertyTable& table) override;

 private:
  std::string name_;
  TMemoryStream data_;
};

class TSkinCollection : public TOwnedCollection {
 public:
  explicit TSkinCollection(TPersistent* owner);
  TSkinCollectionItem& Items(int index) const {
    return static_cast<TSkinCollectionItem&>(TCollection::Items(index));
  }
  TSkinCollectionItem& Add() { return static_cast<TSkinCollectionItem&>(TCollection::Add()); }
};

class TSkinStore : public TComponent {
 public:
  explicit TSkinStore(TComponent* owner);

  TSkinCollection& Store() { return store_; }
  const TSkinCollection& Store() const { return store_; }
  // Copies `value` into the store's own collection; null changes nothing.
  void SetStore(const TSkinCollection* value);

  // The stored items: item count, then per item the name and the
  // "DataStream" value, each as a 32-bit little-endian count + bytes.
  void SaveItemsToStream(TStream& target) const;
  // Reads items written by SaveItemsToStream from `source`'s position and
  // replaces the store's items. A damaged or truncated value (or duplicate
  // names) leaves the store unchanged and returns false.
  bool LoadItemsFromStream(TStream& source);

  void DescribeProperties(TPropertyTable& table) override;

 private:
  TSkinCollection store_;
};
