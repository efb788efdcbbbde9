// The skin store: item names, the duplicate-name rule, the bytes held and
// how items travel as count-plus-bytes values.
#include <gtest/gtest.h>

#include <string>

#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "skin/packages/WinSkinStore.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(const std::string& s) {
  return Bytes(s.begin(), s.end());
}
Bytes Held(const TSkinCollectionItem& item) {
  return Bytes(item.Data().Bytes().begin(), item.Data().Bytes().end());
}

TEST(SkinStore, ItemsAreNamedAfterIdsThatAreNeverReused) {
  auto store = MakeComponent<TSkinStore>();
  TSkinCollection& items = store->Store();
  EXPECT_EQ(items.Add().Name(), "SkinItem0");
  EXPECT_EQ(items.Add().Name(), "SkinItem1");
  items.Delete(1);
  EXPECT_EQ(items.Add().Name(), "SkinItem2");
  EXPECT_EQ(items.Items(1).DisplayName(), "SkinItem2");
  EXPECT_EQ(items.Items(1).Index(), 1);
  EXPECT_THROW(items.Items(2), EListError);
}

TEST(SkinStore, RenamingChecksOtherItemsExactly) {
  auto store = MakeComponent<TSkinStore>();
  TSkinCollectionItem& first = store->Store().Add();
  TSkinCollectionItem& second = store->Store().Add();
  second.SetName("SkinItem1");  // its own name: accepted silently
  EXPECT_EQ(second.Name(), "SkinItem1");
  try {
    second.SetName("SkinItem0");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "The name SkinItem0 is already used.");
  }
  EXPECT_EQ(second.Name(), "SkinItem1");
  second.SetName("SKINITEM0");  // differs in case only: accepted
  EXPECT_EQ(second.Name(), "SKINITEM0");
  EXPECT_EQ(first.Name(), "SkinItem0");
}

TEST(SkinStore, PublishedPropertiesByName) {
  auto store = MakeComponent<TSkinStore>();
  TSkinCollectionItem& item = store->Store().Add();
  item.Data().WriteBytes(ToBytes("12345"));
  EXPECT_EQ(GetTextProp(item, "SkinData"), "Load Skin");
  EXPECT_TRUE(SetPropText(item, "SkinData", "anything"));
  EXPECT_EQ(GetTextProp(item, "SkinData"), "Load Skin");
  EXPECT_EQ(GetIntProp(item, "DataSize"), 5);
  EXPECT_FALSE(SetIntProp(item, "DataSize", 9));  // read-only
  EXPECT_TRUE(SetPropText(item, "Name", "Blue"));
  EXPECT_EQ(item.Name(), "Blue");
  const TPropertyTable props = PublishedProperties(item);
  ASSERT_EQ(props.Props().size(), 3u);
  EXPECT_EQ(props.Props()[0].name, "Name");
  EXPECT_EQ(props.Props()[1].name, "SkinData");
  EXPECT_EQ(props.Props()[2].name, "DataSize");
  EXPECT_EQ(GetObjectProp(*store, "Store"), &store->Store());
}

TEST(SkinStore, SaveDataCopiesEverythingAndKeepsThePosition) {
  auto store = MakeComponent<TSkinStore>();
  TSkinCollectionItem& item = store->Store().Add();
  item.Data().WriteBytes(ToBytes("skin bytes"));
  item.Data().SetPosition(3);
  TMemoryStream target;
  item.SaveData(target);
  EXPECT_EQ(Bytes(target.Bytes().begin(), target.Bytes().end()), ToBytes("skin bytes"));
  EXPECT_EQ(item.Data().Position(), 3);
}

TEST(SkinStore, DataStreamValueIsCountPlusBytes) {
  auto store = MakeComponent<TSkinStore>();
  TSkinCollectionItem& item = store->Store().Add();
  TMemoryStream empty;
  item.WriteDataStream(empty);  // an item without data writes a count of 0
  EXPECT_EQ(Bytes(empty.Bytes().begin(), empty.Bytes().end()), (Bytes{0, 0, 0, 0}));
  empty.SetPosition(0);
  item.ReadDataStream(empty);
  EXPECT_EQ(item.DataSize(), 0);

  TMemoryStream value;
  value.Assign(Bytes{3, 0, 0, 0, 'a', 'b', 'c', 'z'});
  item.ReadDataStream(value);
  EXPECT_EQ(Held(item), ToBytes("abc"));
  EXPECT_EQ(value.Position(), 7);

  // A count past the end or below zero is refused and the bytes stay.
  for (const Bytes& bad : {Bytes{9, 0, 0, 0, 'x'}, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, Bytes{1, 0}}) {
    TMemoryStream damaged;
    damaged.Assign(bad);
    EXPECT_THROW(item.ReadDataStream(damaged), EReadError);
    EXPECT_EQ(Held(item), ToBytes("abc"));
  }
}

TEST(SkinStore, CopyingACollectionGivesEqualItemsInOrder) {
  auto source = MakeComponent<TSkinStore>();
  for (int i = 0; i < 3; ++i) {
    source->Store().Add().Data().WriteBytes(ToBytes("data " + std::to_string(i)));
  }
  source->Store().Items(2).SetName("Third");
  source->Store().Items(0).SetName("SkinItem2");
  source->Store().Items(1).SetName("SkinItem0");

  auto target = MakeComponent<TSkinStore>();
  target->Store().Add().SetName("old");
  // The copies get ids 1, 2, 3: the second copy's default name SkinItem2
  // equals the name the first copy has just taken.
  target->SetStore(&source->Store());
  ASSERT_EQ(target->Store().Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(target->Store().Items(i).Name(), source->Store().Items(i).Name());
    EXPECT_EQ(Held(target->Store().Items(i)), Held(source->Store().Items(i)));
  }
  target->SetStore(nullptr);  // nothing happens
  EXPECT_EQ(target->Store().Count(), 3);

  // Assigning one item checks the name against the item's own collection.
  TSkinCollectionItem& single = target->Store().Add();
  EXPECT_THROW(single.Assign(source->Store().Items(2)), Exception);
  EXPECT_EQ(single.Name(), "SkinItem4");
  EXPECT_EQ(single.DataSize(), 0);
  target->Store().Items(2).SetName("Renamed");
  single.Assign(source->Store().Items(2));
  EXPECT_EQ(single.Name(), "Third");
  EXPECT_EQ(Held(single), ToBytes("data 2"));
}

TEST(SkinStore, ItemsRoundTripByteForByteAndDamageLeavesTheStoreAlone) {
  auto store = MakeComponent<TSkinStore>();
  for (int i = 0; i < 5; ++i) {
    TSkinCollectionItem& item = store->Store().Add();
    item.Data().WriteBytes(Bytes(static_cast<size_t>(i * 1000), static_cast<std::uint8_t>(i)));
  }
  store->Store().Items(3).SetName("Named");
  TMemoryStream saved;
  store->SaveItemsToStream(saved);

  auto loaded = MakeComponent<TSkinStore>();
  saved.SetPosition(0);
  ASSERT_TRUE(loaded->LoadItemsFromStream(saved));
  EXPECT_EQ(loaded->Store().Items(3).Name(), "Named");
  EXPECT_EQ(loaded->Store().Items(2).DataSize(), 2000);
  TMemoryStream again;
  loaded->SaveItemsToStream(again);
  EXPECT_TRUE(std::equal(saved.Bytes().begin(), saved.Bytes().end(), again.Bytes().begin(),
                         again.Bytes().end()));

  // Every truncation of the saved items is refused without a change.
  for (size_t cut = 0; cut < saved.Bytes().size(); cut += 97) {
    TMemoryStream damaged;
    damaged.Assign(saved.Bytes().first(cut));
    EXPECT_FALSE(loaded->LoadItemsFromStream(damaged)) << cut;
    EXPECT_EQ(damaged.Position(), 0);
  }
  // Duplicate names and a hostile item count are refused too.
  TMemoryStream duplicate;
  duplicate.Assign(Bytes{2, 0, 0, 0, 1, 0, 0, 0, 'a', 0, 0, 0, 0, 1, 0, 0, 0, 'a', 0, 0, 0, 0});
  EXPECT_FALSE(loaded->LoadItemsFromStream(duplicate));
  TMemoryStream hostile;
  hostile.Assign(Bytes{0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0});
  EXPECT_FALSE(loaded->LoadItemsFromStream(hostile));
  EXPECT_EQ(loaded->Store().Count(), 5);
  EXPECT_EQ(loaded->Store().Items(3).Name(), "Named");
}

}  // namespace
