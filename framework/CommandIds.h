#pragma once
// TCommandIds: hands out command numbers from a fixed range, each unique
// among the numbers not yet given back. Given-back numbers are reused oldest
// first, so that a late command meant for an item that is gone rarely
// reaches the item made after it.
#include <deque>
#include <vector>

class TCommandIds {
 public:
  // Numbers from `first` to `last`, both included (first <= last).
  TCommandIds(unsigned first, unsigned last);

  // A number nobody holds; Exception when all of them are held.
  unsigned Allocate();
  // Gives a number back; numbers outside the range or not held are ignored.
  void Release(unsigned id);
  bool Held(unsigned id) const;
  int HeldCount() const { return held_count_; }

 private:
  unsigned first_;
  unsigned last_;
  unsigned next_;  // the lowest number never handed out
  std::deque<unsigned> released_;
  std::vector<bool> held_;
  int held_count_ = 0;
};
