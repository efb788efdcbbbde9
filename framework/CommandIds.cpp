#include "framework/CommandIds.h"

#include "framework/Exceptions.h"

TCommandIds::TCommandIds(unsigned first, unsigned last)
    : first_(first), last_(last < first ? first : last), next_(first), held_(last_ - first_ + 1) {}

unsigned TCommandIds::Allocate() {
  unsigned id;
  if (next_ <= last_ && next_ >= first_) {
    id = next_++;
  } else if (!released_.empty()) {
    id = released_.front();
    released_.pop_front();
  } else {
    throw Exception("No command number is free");
  }
  held_[id - first_] = true;
  ++held_count_;
  return id;
}

void TCommandIds::Release(unsigned id) {
  if (!Held(id)) return;
  held_[id - first_] = false;
  --held_count_;
  released_.push_back(id);
}

bool TCommandIds::Held(unsigned id) const {
  return id >= first_ && id <= last_ && held_[id - first_];
}
