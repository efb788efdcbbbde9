#pragma once
// TWndMethodLayer: one removable layer on a control's WindowProc. The slot
// gets a small callable holding a shared link (our handler and the method
// that was there before); Remove puts the earlier method back while ours is
// still on top, and otherwise leaves our layer in the chain passing every
// message on, so layers stack and come off in any order.
#include <memory>

#include "framework/Control.h"

class TWndMethodLayer {
 public:
  TWndMethodLayer() = default;
  TWndMethodLayer(const TWndMethodLayer&) = delete;
  TWndMethodLayer& operator=(const TWndMethodLayer&) = delete;

  // Puts `handler` on top of `slot`, which must outlive the layer or be
  // let go of with Orphan.
  void Install(TWndMethod& slot, TWndMethod handler);
  // Takes the layer off `slot` (see above).
  void Remove();
  // The control is gone: the layer forgets it and touches nothing of it.
  void Orphan();
  bool Installed() const { return link_ != nullptr; }
  // Hands `m` to the method below ours, if there is one.
  void CallPrevious(TMessage& m) const;
  // The method below ours (empty when none, or when not installed).
  TWndMethod Previous() const { return link_ ? link_->previous : TWndMethod(); }

 private:
  struct TLink {
    bool active = true;  // false once taken off: the layer only passes on
    TWndMethod handler;
    TWndMethod previous;
  };
  struct TLayer {
    std::shared_ptr<TLink> link;
    void operator()(TMessage& m) const;
  };
  TWndMethod* slot_ = nullptr;
  std::shared_ptr<TLink> link_;
};
