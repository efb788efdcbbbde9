#include "framework/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Persistent.h"

namespace {

// Records its own destruction in a shared log.
class TLogged : public TComponent {
 public:
  TLogged(TComponent* owner, std::vector<std::string>* log, std::string id)
      : TComponent(owner), log_(log), id_(std::move(id)) {
    SetName(id_);
  }
  ~TLogged() override { log_->push_back(id_); }

 private:
  std::vector<std::string>* log_;
  std::string id_;
};

// Watches another component and forgets it when it goes.
class TWatcher : public TComponent {
 public:
  using TComponent::TComponent;
  TComponent* watched = nullptr;
  int removals = 0;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == TOperation::opRemove && component == watched) {
      watched = nullptr;
      ++removals;
    }
  }
};

TEST(Component, OwnerDestroysWhatItOwnsLastCreatedFirst) {
  std::vector<std::string> log;
  {
    auto owner = MakeComponent<TLogged>(&log, "owner");
    auto& a = OwnedComponent<TLogged>(*owner, &log, "a");
    OwnedComponent<TLogged>(a, &log, "a.child");
    OwnedComponent<TLogged>(*owner, &log, "b");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), &a);
    EXPECT_EQ(a.Owner(), owner.get());
    EXPECT_EQ(owner->FindComponent("B")->Name(), "b");
  }
  EXPECT_EQ(log, (std::vector<std::string>{"owner", "b", "a", "a.child"}));
}

TEST(Component, RemovedComponentIsNoLongerDestroyedByItsFormerOwner) {
  std::vector<std::string> log;
  std::unique_ptr<TComponent> taken;
  {
    auto owner = MakeComponent<TLogged>(&log, "owner");
    auto& a = OwnedComponent<TLogged>(*owner, &log, "a");
    taken = owner->RemoveComponent(&a);
    ASSERT_EQ(taken.get(), &a);
    EXPECT_EQ(owner->ComponentCount(), 0);
    EXPECT_EQ(taken->Owner(), nullptr);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"owner"}));
  taken.reset();
  EXPECT_EQ(log, (std::vector<std::string>{"owner", "a"}));
}

TEST(Component, FreeNotificationTellsTheWatcherAndUnlinksBothWays) {
  auto watcher = MakeComponent<TWatcher>();
  {
    auto watched = MakeComponent<TComponent>();
    watcher->watched = watched.get();
    watched->FreeNotification(watcher.get());
    watched->FreeNotification(watcher.get());  // asked twice, told once
  }
  EXPECT_EQ(watcher->watched, nullptr);
  EXPECT_EQ(watcher->removals, 1);

  // A watcher that goes first must not be called later.
  auto watched = MakeComponent<TComponent>();
  {
    auto short_lived = MakeComponent<TWatcher>();
    watched->FreeNotification(short_lived.get());
  }
  watched.reset();  // would touch freed memory if the link were kept
}

TEST(Persistent, PublishedPropertiesAreReadAndWrittenByName) {
  auto c = MakeComponent<TComponent>();
  EXPECT_TRUE(SetPropText(*c, "name", "btnAdd"));
  EXPECT_EQ(c->Name(), "btnAdd");
  EXPECT_TRUE(SetPropText(*c, "Tag", "5555"));
  EXPECT_EQ(GetIntProp(*c, "TAG"), 5555);
  EXPECT_EQ(GetTextProp(*c, "Tag"), "5555");
  EXPECT_FALSE(SetPropText(*c, "Tag", "55x"));
  EXPECT_EQ(c->Tag(), 5555);
  EXPECT_FALSE(IsPublishedProp(*c, "Caption"));
  EXPECT_EQ(GetIntProp(*c, "Caption"), 0);
  EXPECT_FALSE(SetIntProp(*c, "Caption", 1));
}

// A class with an enumeration and a read-only property, and one that
// redeclares a base property.
class TSample : public TComponent {
 public:
  using TComponent::TComponent;
  int state = 0;
  void DescribeProperties(TPropertyTable& t) override {
    TComponent::DescribeProperties(t);
    t.Enum("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, [this] { return state; },
           [this](std::int64_t v) { state = static_cast<int>(v); });
    t.Int("Count", [] { return 7; });
    t.Text("Tag", [] { return std::string("shadowed"); });
  }
};

TEST(Persistent, EnumerationsByNameReadOnlyAndRedeclaredProperties) {
  TSample s(nullptr);
  EXPECT_EQ(GetEnumPropName(s, "State"), "cbUnchecked");
  EXPECT_TRUE(SetPropText(s, "state", "CBGRAYED"));
  EXPECT_EQ(s.state, 2);
  EXPECT_FALSE(SetPropText(s, "State", "cbMaybe"));
  EXPECT_FALSE(SetIntProp(s, "State", 3));
  EXPECT_EQ(s.state, 2);
  EXPECT_FALSE(SetIntProp(s, "Count", 1));
  EXPECT_EQ(GetIntProp(s, "Count"), 7);
  EXPECT_EQ(PropKind(s, "Tag"), TPropKind::pkText);
  EXPECT_EQ(GetTextProp(s, "Tag"), "shadowed");
  // Declaration order is kept, with the redeclared name in its first place.
  auto table = PublishedProperties(s);
  ASSERT_EQ(table.Props().size(), 4u);
  EXPECT_EQ(table.Props()[1].name, "Tag");
}

}  // namespace
