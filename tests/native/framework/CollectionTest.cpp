// Owned collections: ids, order, deletion and copying.
#include <gtest/gtest.h>

#include "framework/Collection.h"
#include "framework/Exceptions.h"

namespace {

class Note : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  std::string text;
  void Assign(const TCollectionItem& source) override {
    const auto* note = dynamic_cast<const Note*>(&source);
    if (!note) return TCollectionItem::Assign(source);
    if (note->text == "refuse") throw Exception("refused");
    text = note->text;
  }
};

class Other : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
};

template <class T>
TCollection::ItemFactory Factory() {
  return [](TCollection& c) -> std::unique_ptr<TCollectionItem> { return std::make_unique<T>(c); };
}

Note& AddNote(TCollection& c, std::string text) {
  auto& n = static_cast<Note&>(c.Add());
  n.text = std::move(text);
  return n;
}

std::vector<std::string> Texts(const TCollection& c) {
  std::vector<std::string> out;
  for (int i = 0; i < c.Count(); ++i) out.push_back(static_cast<Note&>(c.Items(i)).text);
  return out;
}

TEST(Collection, IdsCountUpAndAreNeverReused) {
  TCollection c(Factory<Note>());
  EXPECT_EQ(AddNote(c, "a").ID(), 0);
  EXPECT_EQ(AddNote(c, "b").ID(), 1);
  EXPECT_EQ(AddNote(c, "c").ID(), 2);
  c.Delete(1);
  EXPECT_EQ(Texts(c), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(c.Items(1).Index(), 1);
  EXPECT_EQ(AddNote(c, "d").ID(), 3);
  c.Clear();
  EXPECT_EQ(AddNote(c, "e").ID(), 4);
  EXPECT_THROW(c.Delete(1), EListError);
  EXPECT_THROW(c.Items(-1), EListError);
}

TEST(Collection, AssignCopiesInOrderOrKeepsTheOldItems) {
  TCollection source(Factory<Note>());
  for (const char* t : {"x", "y", "z"}) AddNote(source, t);
  TOwnedCollection target(nullptr, Factory<Note>());
  AddNote(target, "old");
  target.Assign(source);
  EXPECT_EQ(Texts(target), (std::vector<std::string>{"x", "y", "z"}));
  EXPECT_EQ(&target.Items(0).Collection(), &target);

  AddNote(source, "refuse");
  EXPECT_THROW(target.Assign(source), Exception);
  EXPECT_EQ(Texts(target), (std::vector<std::string>{"x", "y", "z"}));

  TCollection others(Factory<Other>());
  others.Add();
  EXPECT_THROW(target.Assign(others), EConvertError);  // the default assignment refuses
  EXPECT_EQ(target.Count(), 3);
}

}  // namespace
