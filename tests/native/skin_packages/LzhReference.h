#pragma once
// A plain, slow expander of the LZH bit stream written step by step from the
// format's description, independent of the program's expander and its tree:
// a 16-bit bit buffer, a 4096-byte ring window and the node tables with
// linear scans. Tests compare the program's expander and compressor with it.
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace lzh_reference {

constexpr int N = 4096, F = 60, THRESHOLD = 2;
constexpr int N_CHAR = 256 - THRESHOLD + F, T = N_CHAR * 2 - 1, R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

class Expander {
 public:
  // Expands `size` bytes; the output keeps a last match's bytes past `size`
  // (the stream form writes them), so callers compare the first `size`.
  std::vector<std::uint8_t> Expand(std::int32_t size, std::span<const std::uint8_t> input) {
    input_ = input;
    next_ = 0;
    getbuf_ = 0;
    getlen_ = 0;
    std::vector<std::uint8_t> out;
    if (size <= 0) return out;
    StartHuff();
    std::vector<std::uint8_t> text(N + F - 1, 0);
    for (int i = 0; i < N - F; ++i) text[i] = ' ';
    int r = N - F;
    while (static_cast<std::int64_t>(out.size()) < size) {
      const int c = DecodeChar();
      if (c < 256) {
        out.push_back(static_cast<std::uint8_t>(c));
        text[r] = static_cast<std::uint8_t>(c);
        r = (r + 1) & (N - 1);
      } else {
        const int i = (r - DecodePosition() - 1) & (N - 1);
        const int j = c - 255 + THRESHOLD;
        for (int k = 0; k < j; ++k) {
          const std::uint8_t b = text[(i + k) & (N - 1)];
          out.push_back(b);
          text[r] = b;
          r = (r + 1) & (N - 1);
        }
      }
    }
    return out;
  }

 private:
  int NextByte() { return next_ < input_.size() ? input_[next_++] : 0; }
  int GetBit() {
    while (getlen_ <= 8) {
      getbuf_ = static_cast<std::uint16_t>(getbuf_ | (NextByte() << (8 - getlen_)));
      getlen_ += 8;
    }
    const int bit = getbuf_ >> 15;
    getbuf_ = static_cast<std::uint16_t>(getbuf_ << 1);
    --getlen_;
    return bit;
  }
  int GetByte() {
    while (getlen_ <= 8) {
      getbuf_ = static_cast<std::uint16_t>(getbuf_ | (NextByte() << (8 - getlen_)));
      getlen_ += 8;
    }
    const int byte = getbuf_ >> 8;
    getbuf_ = static_cast<std::uint16_t>(getbuf_ << 8);
    getlen_ -= 8;
    return byte;
  }

  static int DCode(int b) {
    if (b < 32) return 0;
    if (b < 80) return 1 + (b - 32) / 16;
    if (b < 144) return 4 + (b - 80) / 8;
    if (b < 192) return 12 + (b - 144) / 4;
    if (b < 240) return 24 + (b - 192) / 2;
    return 48 + (b - 240);
  }
  static int DLen(int b) {
    if (b < 32) return 3;
    if (b < 80) return 4;
    if (b < 144) return 5;
    if (b < 192) return 6;
    if (b < 240) return 7;
    return 8;
  }
  int DecodePosition() {
    int b = GetByte();
    const int upper = DCode(b);
    for (int j = DLen(b) - 2; j > 0; --j) b = (b << 1) + GetBit();
    return (upper << 6) | (b & 0x3F);
  }

  void StartHuff() {
    for (int i = 0; i < N_CHAR; ++i) {
      freq_[i] = 1;
      son_[i] = i + T;
      prnt_[i + T] = i;
    }
    int i = 0;
    for (int j = N_CHAR; j <= R; ++j, i += 2) {
      freq_[j] = freq_[i] + freq_[i + 1];
      son_[j] = i;
      prnt_[i] = prnt_[i + 1] = j;
    }
    freq_[T] = 0xFFFF;
    prnt_[R] = 0;
  }

  void Reconst() {
    int j = 0;
    for (int i = 0; i < T; ++i) {
      if (son_[i] >= T) {
        freq_[j] = (freq_[i] + 1) / 2;
        son_[j] = son_[i];
        ++j;
      }
    }
    for (int i = 0, j2 = N_CHAR; j2 < T; i += 2, ++j2) {
      const unsigned f = freq_[i] + freq_[i + 1];
      int k = j2 - 1;
      while (f < freq_[k]) --k;
      ++k;
      for (int m = j2; m > k; --m) {
        freq_[m] = freq_[m - 1];
        son_[m] = son_[m - 1];
      }
      freq_[k] = f;
      son_[k] = i;
    }
    for (int i = 0; i < T; ++i) {
      const int k = son_[i];
      if (k >= T) {
        prnt_[k] = i;
      } else {
        prnt_[k] = prnt_[k + 1] = i;
      }
    }
  }

  void Update(int c) {
    if (freq_[R] == MAX_FREQ) Reconst();
    c = prnt_[c + T];
    do {
      const unsigned k = ++freq_[c];
      if (k > freq_[c + 1]) {
        int l = c + 1;
        while (k > freq_[l]) ++l;
        --l;
        freq_[c] = freq_[l];
        freq_[l] = k;
        const int i = son_[c];
        prnt_[i] = l;
        if (i < T) prnt_[i + 1] = l;
        const int j = son_[l];
        son_[l] = i;
        prnt_[j] = c;
        if (j < T) prnt_[j + 1] = c;
        son_[c] = j;
        c = l;
      }
      c = prnt_[c];
    } while (c != 0);
  }

  int DecodeChar() {
    int c = son_[R];
    while (c < T) c = son_[c + GetBit()];
    c -= T;
    Update(c);
    return c;
  }

  std::span<const std::uint8_t> input_;
  size_t next_ = 0;
  std::uint16_t getbuf_ = 0;
  int getlen_ = 0;
  unsigned freq_[T + 1] = {};
  int prnt_[T + N_CHAR] = {};
  int son_[T] = {};
};

}  // namespace lzh_reference
