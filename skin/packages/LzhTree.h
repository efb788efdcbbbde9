#pragma once
// The constants of the LZH stream, the position code tables and the adaptive
// Huffman tree shared by the expander and the compressor. Both sides run the
// very same tree updates, so a stream expands only if they stay identical.
#include <array>
#include <cstdint>
#include <cstring>

namespace lzh {

inline constexpr int N = 4096;                      // window size
inline constexpr int F = 60;                        // longest match
inline constexpr int THRESHOLD = 2;                 // matches are at least THRESHOLD + 1 long
inline constexpr int N_CHAR = 256 - THRESHOLD + F;  // 314 symbols
inline constexpr int T = 2 * N_CHAR - 1;            // 627 tree nodes
inline constexpr int R = T - 1;                     // the root
inline constexpr unsigned MAX_FREQ = 0x8000;        // root count that rebuilds the tree
// Window positions 0 .. N - F - 1 start as spaces; writing starts at N - F.
inline constexpr int kSpaceFill = N - F;

// Codes of the upper 6 bits of a match position. Reading side: the first 8
// bits read give d_code (the upper bits) and d_len (the length of their
// code); writing side: p_code / p_len give the code of each upper value.
struct PositionTables {
  std::array<std::uint8_t, 256> d_code{};
  std::array<std::uint8_t, 256> d_len{};
  std::array<std::uint8_t, 64> p_code{};
  std::array<std::uint8_t, 64> p_len{};
};

constexpr PositionTables MakePositionTables() {
  PositionTables t;
  // {bytes per upper value, number of upper values, code length}
  constexpr int groups[6][3] = {{32, 1, 3}, {16, 3, 4}, {8, 8, 5},
                                {4, 12, 6}, {2, 24, 7}, {1, 16, 8}};
  int byte = 0;
  int upper = 0;
  for (const auto& g : groups) {
    for (int u = 0; u < g[1]; ++u, ++upper) {
      t.p_len[upper] = static_cast<std::uint8_t>(g[2]);
      t.p_code[upper] = static_cast<std::uint8_t>(byte >> (8 - g[2]));
      for (int k = 0; k < g[0]; ++k, ++byte) {
        t.d_code[byte] = static_cast<std::uint8_t>(upper);
        t.d_len[byte] = static_cast<std::uint8_t>(g[2]);
      }
    }
  }
  return t;
}

inline constexpr PositionTables kPositionTables = MakePositionTables();

// The adaptive Huffman tree. Nodes are kept in order of their counts; node
// pairs (son[p], son[p] + 1) are the two children of p; a son value of T or
// more is a leaf holding symbol son - T; prnt[T + c] is the node of symbol c.
class TLzhTree {
 public:
  TLzhTree() { Start(); }

  void Start() {
    for (int i = 0; i < N_CHAR; ++i) {
      freq_[i] = 1;
      son_[i] = static_cast<std::uint16_t>(i + T);
      prnt_[i + T] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
      freq_[j] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
      son_[j] = static_cast<std::uint16_t>(i);
      prnt_[i] = prnt_[i + 1] = static_cast<std::uint16_t>(j);
    }
    freq_[T] = 0xFFFF;  // sentinel above every count: ends the scans in Update
    prnt_[R] = 0;
  }

  int Son(int node) const { return son_[node]; }
  int Parent(int node) const { return prnt_[node]; }
  int LeafOf(int symbol) const { return prnt_[symbol + T]; }

  // Counts one more occurrence of `symbol` and restores the order of counts.
  void Update(int symbol) {
    if (freq_[R] == MAX_FREQ) Rebuild();
    int k = prnt_[symbol + T];
    do {
      const unsigned f = ++freq_[k];
      if (f > freq_[k + 1]) {
        // Swap k with the last node whose count is still below f.
        int l = k + 1;
        while (f > freq_[l + 1]) ++l;
        freq_[k] = freq_[l];
        freq_[l] = static_cast<std::uint16_t>(f);
        const int i = son_[k];
        prnt_[i] = static_cast<std::uint16_t>(l);
        if (i < T) prnt_[i + 1] = static_cast<std::uint16_t>(l);
        const int j = son_[l];
        son_[l] = static_cast<std::uint16_t>(i);
        prnt_[j] = static_cast<std::uint16_t>(k);
        if (j < T) prnt_[j + 1] = static_cast<std::uint16_t>(k);
        son_[k] = static_cast<std::uint16_t>(j);
        k = l;
      }
      k = prnt_[k];
    } while (k != 0);
  }

 private:
  // Halves the counts of the leaves and builds the inner nodes anew.
  void Rebuild() {
    int j = 0;
    for (int i = 0; i < T; ++i) {
      if (son_[i] >= T) {
        freq_[j] = static_cast<std::uint16_t>((freq_[i] + 1u) / 2u);
        son_[j] = son_[i];
        ++j;
      }
    }
    for (int i = 0, n = N_CHAR; n < T; i += 2, ++n) {
      const unsigned f = freq_[i] + freq_[i + 1];
      int k = n - 1;
      while (f < freq_[k]) --k;
      ++k;
      const size_t moved = static_cast<size_t>(n - k);
      std::memmove(&freq_[k + 1], &freq_[k], moved * sizeof freq_[0]);
      freq_[k] = static_cast<std::uint16_t>(f);
      std::memmove(&son_[k + 1], &son_[k], moved * sizeof son_[0]);
      son_[k] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
      const int k = son_[i];
      prnt_[k] = static_cast<std::uint16_t>(i);
      if (k < T) prnt_[k + 1] = static_cast<std::uint16_t>(i);
    }
  }

  std::array<std::uint16_t, T + 1> freq_{};
  std::array<std::uint16_t, T + N_CHAR> prnt_{};
  std::array<std::uint16_t, T> son_{};
};

}  // namespace lzh
