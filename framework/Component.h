#pragma once
// TComponent: the base of every component. A component may have an owner;
// the owner holds it and destroys it (last created first) when the owner
// itself is destroyed. Components are made with MakeComponent (no owner, the
// caller holds it) or OwnedComponent (the owner holds it).
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Persistent.h"

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner) : owner_(owner) {}
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  TComponent* FindComponent(const std::string& name) const;
  bool Destroying() const { return destroying_; }

  // Takes ownership of `component` (whose Owner() must be this).
  void InsertComponent(std::unique_ptr<TComponent> component);
  // Gives an owned component back to the caller, who then decides its end.
  std::unique_ptr<TComponent> RemoveComponent(TComponent* component);

  // `other` is told through Notification(this, opRemove) when this component
  // is destroyed; the link is dropped from both sides when either goes.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  void DescribeProperties(TPropertyTable& table) override;

  // Destroys every owned component now, last created first (the destructor
  // does the same for what is left).
  void DestroyComponents();

 protected:
  // Called on components that asked for free notification of `component`.
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  TComponent* owner_;
  std::string name_;
  std::intptr_t tag_ = 0;
  bool destroying_ = false;
  std::vector<std::unique_ptr<TComponent>> components_;
  std::vector<TComponent*> free_notifies_;
};

// A component without an owner; the caller holds it.
template <class T, class... Args>
std::unique_ptr<T> MakeComponent(Args&&... args) {
  return std::make_unique<T>(nullptr, std::forward<Args>(args)...);
}

// A component held by `owner`; the returned reference lives as long as the
// owner (or until the owner gives it back with RemoveComponent).
template <class T, class... Args>
T& OwnedComponent(TComponent& owner, Args&&... args) {
  auto component = std::make_unique<T>(&owner, std::forward<Args>(args)...);
  T& ref = *component;
  owner.InsertComponent(std::move(component));
  return ref;
}
