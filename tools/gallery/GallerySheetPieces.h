#pragma once
// How a contact sheet is put together from what the screen shows: the
// scroll positions that bring every part of the box's content into view,
// and the window's bands (caption, bars, status bars) laid out at the
// sheet's width. No window is touched here.
#include <vector>

#include "framework/Bitmap.h"
#include "tools/gallery/PngFile.h"

// A child of the box along one axis, in the content's 96-DPI units.
struct TSheetSpan {
  int start = 0;
  int end = 0;
};

// One view of the content along one axis: the box scrolled to `units`
// shows the content from pixel `offset` on, and gives the sheet the
// content's pixels [from, to).
struct TSheetPiece {
  int units = 0;
  int offset = 0;
  int from = 0;
  int to = 0;
};

// The views that show `content` pixels through a view `shown` pixels long
// when the box scrolls from 0 to `last` units at `dpi`. Each piece starts
// where the one before ended, so nothing is left out or shown twice. A
// position is taken where its pixel offset is whole and no child that
// starts between two pixels is cut by the view's edge (such a child moves
// by a pixel more or less than the rest), so the pieces join exactly; only
// where no such position is left does the box's own end stand in.
std::vector<TSheetPiece> PlanSheetPieces(int content, int shown, int last, int dpi,
                                         const std::vector<TSheetSpan>& children);

// Puts columns [x, x + width) and rows [y, y + height) of `from` into the
// sheet at (to_x, to_y); what falls outside either is left out.
void PasteIntoSheet(const TBitmap& from, int x, int y, int width, int height, TPngPixels& sheet,
                    int to_x, int to_y);

// Lays `band`, rows of the window's whole width, into the sheet at row `at`
// at the sheet's width: its left part at the left, its right end (caption
// buttons, a size grip) at the right. Where the sheet is wider, a column
// of the band's plainest stretch (columns alike from top to bottom) is
// repeated; where it is narrower, columns of that stretch are left out.
void FitBandIntoSheet(const TBitmap& band, TPngPixels& sheet, int at);
