#pragma once
// Recolouring of a control the system paints in its own colours: every
// pixel that lies between a background and a text colour the control used
// (the text's smoothed edges included) is moved to the same place between
// the skin's background and text colours. Pixels near no such pair keep
// their colour.
#include <cstdint>
#include <span>
#include <vector>

#include "framework/Graphics.h"

struct TColourMove {
  TColor from_back;  // as the control draws it
  TColor from_text;
  TColor to_back;  // as the skin wants it
  TColor to_text;
};

// `pixels` hold 0x00RRGGBB words (a 32-bit DIB's rows).
void MoveColours(std::span<std::uint32_t> pixels, const std::vector<TColourMove>& moves);
