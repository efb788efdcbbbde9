#pragma once
// TEnumSet: a set of enumeration members held as bits, bit n for member n,
// as stored forms and window styles keep them.
#include <initializer_list>

template <class E, class Bits>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr explicit TEnumSet(Bits bits) : bits_(bits) {}
  constexpr TEnumSet(std::initializer_list<E> members) {
    for (E m : members) Include(m);
  }
  constexpr bool Contains(E member) const { return (bits_ >> static_cast<int>(member)) & 1; }
  constexpr void Include(E member) { bits_ = static_cast<Bits>(bits_ | Bit(member)); }
  constexpr void Exclude(E member) { bits_ = static_cast<Bits>(bits_ & ~Bit(member)); }
  constexpr Bits ToBits() const { return bits_; }
  friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

 private:
  static constexpr Bits Bit(E member) {
    return static_cast<Bits>(Bits{1} << static_cast<int>(member));
  }
  Bits bits_ = 0;
};
