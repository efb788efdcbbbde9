#include "framework/WndMethodLayer.h"

#include <utility>

void TWndMethodLayer::TLayer::operator()(TMessage& m) const {
  // A copy: the handler may take this layer out of its slot.
  const std::shared_ptr<TLink> kept = link;
  if (kept->active) {
    kept->handler(m);
  } else if (kept->previous) {
    kept->previous(m);
  }
}

void TWndMethodLayer::Install(TWndMethod& slot, TWndMethod handler) {
  Remove();
  link_ = std::make_shared<TLink>(TLink{true, std::move(handler), slot});
  slot_ = &slot;
  slot = TLayer{link_};
}

void TWndMethodLayer::Remove() {
  if (!link_) return;
  const TLayer* ours = slot_ ? slot_->target<TLayer>() : nullptr;
  if (ours && ours->link == link_) {
    *slot_ = link_->previous;
  } else {
    // Someone wrapped our layer: it stays and passes everything on.
    link_->active = false;
  }
  link_.reset();
  slot_ = nullptr;
}

void TWndMethodLayer::Orphan() {
  if (link_) link_->active = false;
  link_.reset();
  slot_ = nullptr;
}

void TWndMethodLayer::CallPrevious(TMessage& m) const {
  // A copy: the call may end the owner of this layer.
  const std::shared_ptr<TLink> kept = link_;
  if (kept && kept->previous) kept->previous(m);
}
