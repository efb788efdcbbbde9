#pragma once
// The colours of content (the text of edits and memos) under a skin: the
// skin's Window background under its WindowText; read-only text on a
// background moved towards the dialog face, and disabled text greyed on a
// background moved further, each still reading at 7:1 or better where the
// skin's own pair does. Win32-free: system colours resolve through
// ColorToRGB.
#include "framework/Graphics.h"

struct TSkinColours;

enum TContentState { csNormal, csReadOnly, csDisabled };

struct TContentLook {
  TColor back = clWhite;
  TColor ink = clBlack;
};

TContentLook ContentLook(const TSkinColours& colours, TContentState state);

// `a` moved `amount` (0..1) of the way to `b`, channel by channel.
TColor MixColours(TColor a, TColor b, double amount);
// The contrast of two plain colours as readers of text see it (1 to 21).
double ContrastRatio(TColor a, TColor b);
