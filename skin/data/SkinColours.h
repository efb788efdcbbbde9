#pragma once
// The colours of a skin (section "Colours" of its definition), and the
// reading of colour texts.
#include <array>
#include <string_view>

#include "framework/Graphics.h"

class TQuickIni;

// Each field is named after its key. Defaults are system colours, held
// symbolically and resolved when drawn.
struct TSkinColours {
  TColor WindowText = clWindowText;
  TColor ButtonFace = clBtnFace;
  TColor Scrollbar = clScrollBar;
  TColor HilightText = clHighlightText;
  TColor Hilight = clHighlight;
  TColor Menubar = clBtnFace;
  TColor Menu = clMenu;
  TColor MenuText = clMenuText;
  TColor ButtonText = clBtnText;
  TColor ButtonHilight = clBtnHighlight;
  TColor Buttonlight = clBtnHighlight;
  TColor ButtonShadow = clBtnShadow;
  TColor ButtonDkShadow = cl3DDkShadow;
  TColor MenuBarText = clMenuText;
  TColor TitleTextActive = clCaptionText;
  TColor TitleTextNoActive = clInactiveCaptionText;
  // Background of content (lists, edits, memos, combo lists), drawn under
  // WindowText. Skins that do not give it keep the system window colour, so
  // they look as they always did.
  TColor Window = clWindow;

  // Reads every key of section "Colours", in the order above; a missing
  // key gives its system colour ("Menubar" gives the ButtonFace just read).
  void Read(const TQuickIni& ini);
};

// A colour text: numbers of decimal digits with anything between them,
// taken as red, green and blue in turn. A number counts when a non-digit
// follows it, or, at the very end of the text, when exactly two numbers came
// before it. Parts not given are 0; each part keeps its low 8 bits. An
// empty text gives `default_colour`.
TColor ParseColour(std::string_view text, TColor default_colour);
