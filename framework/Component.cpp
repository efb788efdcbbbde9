#include "framework/Component.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/StringList.h"

TComponent::~TComponent() {
  destroying_ = true;
  // Tell everyone who asked; they drop their references to us.
  std::vector<TComponent*> notifies;
  notifies.swap(free_notifies_);
  for (TComponent* other : notifies) {
    auto& back = other->free_notifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
}

void TComponent::DestroyComponents() {
  // Owned components go last created first.
  while (!components_.empty()) {
    std::unique_ptr<TComponent> last = std::move(components_.back());
    components_.pop_back();
    last.reset();
  }
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return components_[static_cast<size_t>(index)].get();
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (const auto& c : components_) {
    if (AsciiEqualNoCase(c->Name(), name)) return c.get();
  }
  return nullptr;
}

void TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
  if (!component) return;
  component->owner_ = this;
  components_.push_back(std::move(component));
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent* component) {
  for (auto it = components_.begin(); it != components_.end(); ++it) {
    if (it->get() == component) {
      std::unique_ptr<TComponent> out = std::move(*it);
      components_.erase(it);
      out->owner_ = nullptr;
      return out;
    }
  }
  return nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(free_notifies_.begin(), free_notifies_.end(), other) == free_notifies_.end()) {
    free_notifies_.push_back(other);
    other->free_notifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), other),
                       free_notifies_.end());
  auto& back = other->free_notifies_;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::DescribeProperties(TPropertyTable& table) {
  table.Text("Name", [this] { return name_; }, [this](const std::string& v) { name_ = v; });
  table.Int("Tag", [this] { return static_cast<std::int64_t>(tag_); },
            [this](std::int64_t v) { tag_ = static_cast<std::intptr_t>(v); });
}
