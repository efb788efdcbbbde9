#pragma once
// TCollection / TCollectionItem: a collection owns its items, hands each new
// item an id (counting up from 0, never reused) and keeps them in order.
// TOwnedCollection adds the persistent object that owns the collection.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  // Takes the next id of `collection`; the collection inserts the item.
  explicit TCollectionItem(TCollection& collection);
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection& Collection() const { return *collection_; }
  int ID() const { return id_; }
  // Position in the collection (-1 while the item is not inserted yet).
  int Index() const;
  // The text shown for the item in lists of items.
  virtual std::string DisplayName() const { return {}; }
  // Copies `source` into this item. The default refuses with EConvertError;
  // item classes that can copy override it.
  virtual void Assign(const TCollectionItem& source);

 private:
  TCollection* collection_;
  int id_;
};

class TCollection : public TPersistent {
 public:
  // Makes one item of the collection's item class for the given collection.
  using ItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection&)>;

  explicit TCollection(ItemFactory factory) : factory_(std::move(factory)) {}
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  // EListError for an index outside 0..Count()-1.
  TCollectionItem& Items(int index) const;
  // Appends a new item of the item class and returns it.
  TCollectionItem& Add();
  void Delete(int index);
  void Clear() { items_.clear(); }
  int IndexOf(const TCollectionItem& item) const;

  // Replaces all items with copies of the source's items, in order, made with
  // the items' Assign. If a copy fails, the earlier items are kept.
  void Assign(const TCollection& source);

 private:
  friend class TCollectionItem;
  int TakeNextId() { return next_id_++; }

  ItemFactory factory_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
  int next_id_ = 0;
};

// A collection that belongs to a persistent object (the owner outlives it).
class TOwnedCollection : public TCollection {
 public:
  TOwnedCollection(TPersistent* owner, ItemFactory factory)
      : TCollection(std::move(factory)), owner_(owner) {}
  TPersistent* Owner() const { return owner_; }

 private:
  TPersistent* owner_;
};
