#include "framework/Collection.h"

#include "framework/Exceptions.h"

TCollectionItem::TCollectionItem(TCollection& collection)
    : collection_(&collection), id_(collection.TakeNextId()) {}

int TCollectionItem::Index() const {
  return collection_->IndexOf(*this);
}

void TCollectionItem::Assign(const TCollectionItem&) {
  throw EConvertError("Cannot assign this item to a collection item of another class");
}

TCollectionItem& TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return *items_[static_cast<size_t>(index)];
}

TCollectionItem& TCollection::Add() {
  std::unique_ptr<TCollectionItem> item = factory_(*this);
  TCollectionItem& ref = *item;
  items_.push_back(std::move(item));
  return ref;
}

void TCollection::Delete(int index) {
  Items(index);  // range check
  items_.erase(items_.begin() + index);
}

int TCollection::IndexOf(const TCollectionItem& item) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == &item) return static_cast<int>(i);
  }
  return -1;
}

void TCollection::Assign(const TCollection& source) {
  if (&source == this) return;
  // The old items step aside so that the copies are checked only against
  // each other (item names, for example, must be unique among the copies).
  std::vector<std::unique_ptr<TCollectionItem>> old;
  old.swap(items_);
  try {
    for (const auto& from : source.items_) Add().Assign(*from);
  } catch (...) {
    items_.swap(old);
    throw;
  }
}
