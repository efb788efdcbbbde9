#pragma once
// A skin-like archive for the benchmarks: 24-bit bitmaps of the kinds a skin
// carries (frame pieces with gradients, button and caption-button strips with
// glyphs, check boxes, scroll-bar parts, a dithered background texture, all
// with magenta corners) and one definition text. Generated the same on every
// run so figures compare.
#include <cstdint>
#include <vector>

#include "skin/packages/SkinArchiveWriter.h"

// Fills `writer` with about `target_bytes` of members (about 35 of them for
// 500 KB).
void MakeSkinLikeArchive(TSkinArchiveWriter& writer, std::size_t target_bytes = 500 * 1024);
