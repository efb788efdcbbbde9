#include "skin/menu/SkinMenuItemPainter.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "framework/BitmapWin32.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/GlyphImage.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "skin/controls/BackBuffer.h"
#include "skin/data/SkinManage.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/menu/MenuFont.h"
#include "skin/menu/SkinMenuBar.h"
#include "skin/menu/SkinPopMenu.h"
#include "skin/packages/ImgUtil.h"

namespace {

// Lengths at 96 DPI, scaled to the painter's DPI where used.
// The glyph box without an image list, and at least for a check mark.
constexpr int kGlyph = 16;
// Room at the right for a submenu arrow; the short cut ends before it.
constexpr int kArrowZone = 10;
constexpr int kSeparatorHeight = 8;
// Space between the glyph box and the caption, and around the item's
// content.
constexpr int kCaptionGap = 3;
constexpr int kRightPadding = 12;
constexpr int kTextPadding = 8;
constexpr int kGlyphPadding = 4;
constexpr int kFrames = 5;
constexpr int kCellNormal = 1;
constexpr int kCellSeparator = 2;
constexpr int kCellSelected = 4;

COLORREF Rgb(TColor colour) {
  return static_cast<COLORREF>(ColorToRGB(colour) & 0xFFFFFF);
}

bool HasImage(const TSkinMenuItem& item) {
  return item.images && item.image_index >= 0 && item.image_index < item.images->Count();
}

// An image list's images are drawn for 96 DPI, as skin images are: at
// another DPI they show scaled like the text beside them.
SIZE ImageSize(const TImageList& images, int dpi) {
  return {SkinScale(images.Width(), dpi), SkinScale(images.Height(), dpi)};
}

// The glyph box is as wide as the list's images at the DPI; without a
// list, and at least for a check mark, the DPI's 16 pixels.
int GlyphSize(const TSkinMenuItem& item, int dpi) {
  const int least = SkinScale(kGlyph, dpi);
  const int size = item.images ? ImageSize(*item.images, dpi).cx : least;
  return item.checked ? std::max(size, least) : size;
}

int LeftMargin(const TSkinData& data, int dpi) {
  const TDataSkinObject* object = data.Object(ssMenuItem);
  return object ? SkinScale(std::max(0, static_cast<int>(object->LeftWidth)), dpi) : 0;
}

std::wstring MeasuredText(const std::wstring& text) {
  // An empty caption (or a lone access-key marker) still gets a line.
  return (text.empty() || text == L"&") ? text + L' ' : text;
}

SIZE TextSize(HDC dc, const std::wstring& text, UINT flags) {
  const std::wstring measured = MeasuredText(text);
  if (measured.find(L'\t') == std::wstring::npos) {
    // One line without tabs: the extent of the characters shown, as
    // DrawText measures it, at a fraction of its cost (a popup's items are
    // measured each time it opens).
    const std::wstring shown = (flags & DT_NOPREFIX) ? measured : WithoutAccessMarkers(measured);
    SIZE size{0, 0};
    if (GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size)) {
      return size;
    }
  }
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &r,
            flags | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
  return {r.right - r.left, r.bottom - r.top};
}

// The popup window an item is drawn for: the window the DC draws on, or the
// popup painting into a buffer of its own just now.
TWinSkinPopMenu* PopupOf(HDC dc) {
  TSkinManage* manager = SkinManager;
  if (!manager) return nullptr;
  if (TWinSkinPopMenu* popup = manager->PopupOfWindow(WindowFromDC(dc))) return popup;
  return manager->PaintingPopup();
}

// The system's check or radio mark, `size` square, drawn in `colour` into
// `dc` at (x, y): the mark comes as a black-on-white mask.
void DrawMark(HDC dc, int x, int y, int size, bool radio, COLORREF colour) {
  TOwnedMemoryDC mask_dc(dc);
  TOwnedBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
  if (!mask_dc.Get() || !mask) return;
  TSelectObject select_mask(mask_dc.Get(), mask.Get());
  RECT r{0, 0, size, size};
  DrawFrameControl(mask_dc.Get(), &r, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
  TOwnedBrush brush(CreateSolidBrush(colour));
  TSelectObject select_brush(dc, brush.Get());
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  // The brush where the mask is black, the backdrop where it is white.
  constexpr DWORD kBrushWhereBlack = 0x00B8074A;
  BitBlt(dc, x, y, size, size, mask_dc.Get(), 0, 0, kBrushWhereBlack);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}

// The box behind a checked image: the button-face and button-highlight
// pattern with a sunken edge, as a pressed tool button shows.
void DrawCheckedBox(HDC dc, RECT box) {
  TBitmap pattern(8, 8);
  const TColor face = ColorToRGB(clBtnFace);
  const TColor light = ColorToRGB(clBtnHighlight);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) pattern.SetPixel(x, y, ((x + y) & 1) ? light : face);
  }
  THBitmap bits = MakeDibSection(pattern);
  TOwnedBrush brush(CreatePatternBrush(bits.Get()));
  FillRect(dc, &box, brush.Get());
  DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
}

// Whether every pixel `image` draws is black: a mark (the system menu's
// glyphs are such), not a picture.
bool IsBlackMark(const TBitmap& image, TColor key) {
  bool any = false;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const TColor p = image.Pixel(x, y);
      if (p == key) continue;
      if ((p & 0xFFFFFF) != 0) return false;
      any = true;
    }
  }
  return any;
}

// A list image's own pixels as an item shows them: a black mark in `ink`,
// as the check mark is (black, it vanished on the dark items of dark
// skins); a picture greyed for a disabled item.
void Recolour(TBitmap& image, TColor key, bool disabled, COLORREF ink) {
  if (IsBlackMark(image, key)) {
    TColor colour = RGBColour(GetRValue(ink), GetGValue(ink), GetBValue(ink));
    // White ink on a list whose transparent colour is white: a step of
    // green off it, or the mark would vanish.
    if (colour == key) colour ^= 0x000100;
    for (int py = 0; py < image.Height(); ++py) {
      for (int px = 0; px < image.Width(); ++px) {
        if (image.Pixel(px, py) != key) image.SetPixel(px, py, colour);
      }
    }
  } else if (disabled) {
    for (int py = 0; py < image.Height(); ++py) {
      for (int px = 0; px < image.Width(); ++px) {
        const TColor p = image.Pixel(px, py);
        if (p == key) continue;
        const int grey = (RedOf(p) + GreenOf(p) + BlueOf(p)) / 3;
        image.SetPixel(px, py, RGBColour((grey + 192) / 2, (grey + 192) / 2, (grey + 192) / 2));
      }
    }
  }
}

// Image `index` of the list at `size`, recoloured, then scaled with the
// glyph filter, which keeps the list's transparent colour out of the
// image's own pixels.
void DrawImage(HDC dc, int x, int y, SIZE size, const TImageList& images, int index, bool disabled,
               COLORREF ink) {
  const auto recolour = [disabled, ink](TBitmap& image, TColor key) {
    Recolour(image, key, disabled, ink);
  };
  DrawBitmap(dc, x, y, ListImageAtSize(images, index, size.cx, size.cy, recolour));
}

void DrawArrow(HDC dc, const RECT& zone, bool pointing_left, COLORREF colour, int dpi) {
  const int cy = (zone.top + zone.bottom) / 2;
  const int cx = (zone.left + zone.right) / 2;
  const int a = SkinScale(2, dpi), b = SkinScale(4, dpi);
  const POINT right[3] = {{cx - a, cy - b}, {cx + a, cy}, {cx - a, cy + b}};
  const POINT left[3] = {{cx + a, cy - b}, {cx - a, cy}, {cx + a, cy + b}};
  TOwnedPen pen(CreatePen(PS_SOLID, 1, colour));
  TOwnedBrush brush(CreateSolidBrush(colour));
  TSelectObject select_pen(dc, pen.Get());
  TSelectObject select_brush(dc, brush.Get());
  Polygon(dc, pointing_left ? left : right, 3);
}

// Cell 2 of the menu-item image as a separator: its lower part as high as
// the item (all of it when the item is higher), in three slices stretched
// to the item's width, magenta left out. At another DPI than the image's
// the rows taken are those the item's height covers at 96 DPI, and the
// caps are as wide as they show at that DPI.
void DrawSeparatorCell(TBackBuffer& buffer, const TDataSkinObject& object, int dpi) {
  const TBitmap& image = object.Bitmap;
  const int cell_width = image.Width() / kFrames;
  if (cell_width <= 0 || image.Height() <= 0) return;
  const int w = buffer.Width(), h = buffer.Height();
  const int rows = std::max(1, dpi > 0 ? MulDiv(h, kSkinDpi, dpi) : h);
  const int src_height = std::min(rows, image.Height());
  const int src_top = image.Height() - src_height;
  const int x0 = cell_width * (kCellSeparator - 1);
  int left = std::clamp(static_cast<int>(object.LeftWidth), 0, cell_width);
  int right = std::clamp(static_cast<int>(object.RightWidth), 0, cell_width - left);
  int left_shown = SkinScale(left, dpi), right_shown = SkinScale(right, dpi);
  if (left_shown + right_shown > w) left = right = left_shown = right_shown = 0;
  const auto slice = [&](int sx, int sw, int dx, int dw) {
    if (sw <= 0 || dw <= 0) return;
    buffer.DrawStretched(Bounds(dx, 0, dw, h), image, Bounds(x0 + sx, src_top, sw, src_height),
                         true);
  };
  slice(0, left, 0, left_shown);
  slice(left, cell_width - left - right, left_shown, w - left_shown - right_shown);
  slice(cell_width - right, right, w - right_shown, right_shown);
}

}  // namespace

// --- describing items -------------------------------------------------------

std::wstring WithoutAccessMarkers(const std::wstring& caption) {
  std::wstring shown;
  shown.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&') {
      if (i + 1 >= caption.size()) break;
      ++i;
    }
    shown += caption[i];
  }
  return shown;
}

TSkinMenuItem DescribeItem(const TMenuItem& item) {
  TSkinMenuItem look;
  look.caption = item.Caption();
  look.short_cut = item.ShortCutText();
  look.separator = item.IsLine();
  look.enabled = item.Enabled();
  look.checked = item.Checked();
  look.submenu = item.Count() > 0;
  if (const TMenu* menu = item.Menu()) {
    look.images = menu->Images();
  }
  look.radio = item.RadioItem();
  look.image_index = item.ImageIndex();
  return look;
}

TSkinMenuItem DescribeItem(HMENU menu, UINT position) {
  TSkinMenuItem look;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) {
    look.separator = true;
    return look;
  }
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (info.cch > 1) GetMenuItemInfoW(menu, position, TRUE, &info);
  text.resize(wcsnlen(text.c_str(), text.size()));
  if (const size_t tab = text.find(L'\t'); tab != std::wstring::npos) {
    look.short_cut = text.substr(tab + 1);
    text.resize(tab);
  }
  look.caption = text;
  look.separator = (info.fType & MFT_SEPARATOR) != 0;
  look.enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
  look.checked = (info.fState & MFS_CHECKED) != 0;
  look.radio = (info.fType & MFT_RADIOCHECK) != 0;
  look.is_default = (info.fState & MFS_DEFAULT) != 0;
  look.submenu = info.hSubMenu != nullptr;
  look.right_to_left = (info.fType & MFT_RIGHTORDER) != 0;
  return look;
}

// --- measuring --------------------------------------------------------------

bool TSkinMenuItemPainter::ShowsAccessKeys(UINT state) {
  BOOL cues = FALSE;
  if (SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cues, 0) && cues) return true;
  // A skinned bar opens its drop-downs itself, so the system cannot tell
  // whether a key or the mouse opened them: the bar can.
  if (const TWinSkinMenu* bar = TWinSkinMenu::Tracking()) return bar->KeyboardCues();
  return !(state & ODS_NOACCEL);
}

int TSkinMenuItemPainter::Scale(int value) const {
  return SkinScale(value, dpi_);
}

void TSkinMenuItemPainter::Measure(const TSkinMenuItem& item, int& width, int& height, HDC dc,
                                   HFONT font) const {
  const int glyph = GlyphSize(item, dpi_);
  if (item.separator) {
    width = LeftMargin(data_, dpi_) + 2 * glyph;
    height = Scale(kSeparatorHeight);
    return;
  }
  std::optional<TWindowDC> screen;
  if (!dc) {
    screen.emplace(nullptr);
    dc = screen->Get();
  }
  // Measured in the font the item is drawn in.
  TOwnedFont own_font;
  if (!font) {
    own_font = MakeMenuFont(dpi_, item.is_default);
    font = own_font.Get();
  }
  const TSelectObject select(dc, font);
  const SIZE caption = TextSize(dc, item.caption, 0);
  const SIZE short_cut =
      item.short_cut.empty() ? SIZE{0, 0} : TextSize(dc, item.short_cut, DT_NOPREFIX);
  int gap = 0;
  if (short_cut.cx > 0) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    gap = 2 * metrics.tmAveCharWidth + Scale(kTextPadding);
  }
  width = 1 + LeftMargin(data_, dpi_) + glyph + Scale(kCaptionGap) + caption.cx + gap +
          short_cut.cx + Scale(kArrowZone) + Scale(kRightPadding);
  const int image_height = item.images ? ImageSize(*item.images, dpi_).cy : 0;
  height = std::max({static_cast<int>(caption.cy) + Scale(kTextPadding),
                     glyph + Scale(kGlyphPadding), image_height + Scale(kGlyphPadding)});
}

// --- drawing ----------------------------------------------------------------

void TSkinMenuItemPainter::Draw(const TSkinMenuItem& item, HDC dc, const RECT& rect,
                                UINT state) const {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  // The popup drawn for lends its buffer and font to all its items.
  TWinSkinPopMenu* popup = PopupOf(dc);
  TBackBuffer own_buffer;
  TBackBuffer& buffer = popup ? popup->ItemBuffer() : own_buffer;
  if (!buffer.SetSize(w, h)) return;
  const bool selected = (state & ODS_SELECTED) != 0;
  const bool enabled = item.enabled && !(state & (ODS_GRAYED | ODS_DISABLED));
  const TSkinColours& colours = data_.Colours();
  const TDataSkinObject* object = data_.Object(ssMenuItem);
  if (object && object->Bitmap.Empty()) object = nullptr;

  // The backdrop: the popup's skinned background behind the item.
  if (popup && !popup->Background().Empty()) {
    const POINT offset = popup->ClientOffset();
    const TRect src = Bounds(rect.left + offset.x, rect.top + offset.y, w, h);
    buffer.Fill(buffer.BoundsRect(), colours.Menu);
    buffer.DrawStretched(buffer.BoundsRect(), popup->Background(), src, false);
  } else {
    buffer.Fill(buffer.BoundsRect(), colours.Menu);
  }

  HDC bdc = buffer.DC();
  if (!object) {
    // The flat look: the selection in the skin's highlight colour.
    if (selected && !item.separator) buffer.Fill(buffer.BoundsRect(), colours.Hilight);
    if (item.separator) {
      RECT line{Scale(2), Scale(4), w - Scale(2), Scale(4) + 2};
      DrawEdge(bdc, &line, EDGE_ETCHED, BF_TOP);
    }
  } else if (item.separator) {
    DrawSeparatorCell(buffer, *object, dpi_);
  } else if (popup) {
    buffer.Draw(0, 0, popup->ItemCell(*object, w, h, selected ? kCellSelected : kCellNormal, dpi_),
                object->Trans == 1);
  } else {
    DrawSkinState(buffer, buffer.BoundsRect(), kFrames, selected ? kCellSelected : kCellNormal,
                  *object, dpi_);
  }
  if (item.separator) {
    buffer.CopyTo(dc, rect.left, rect.top);
    return;
  }

  const bool rtl = item.right_to_left;
  // Left-to-right positions mirrored for right-to-left menus.
  const auto place = [rtl, w](int left, int top, int right, int bottom) {
    return rtl ? RECT{w - right, top, w - left, bottom} : RECT{left, top, right, bottom};
  };
  COLORREF ink = Rgb(selected ? colours.HilightText : colours.MenuText);
  if (!enabled) {
    ink = ColorToRGB(colours.ButtonShadow) == ColorToRGB(colours.MenuText)
              ? GetSysColor(COLOR_GRAYTEXT)
              : Rgb(colours.ButtonShadow);
  }

  // The glyph box: the item's image, or its check or radio mark.
  const int glyph = GlyphSize(item, dpi_);
  const int box_left = 1 + LeftMargin(data_, dpi_);
  const int box_top = std::max(1, (h - glyph) / 2);
  const RECT box = place(box_left, box_top, box_left + glyph, box_top + glyph);
  if (HasImage(item)) {
    if (item.checked) DrawCheckedBox(bdc, box);
    const TImageList& images = *item.images;
    const SIZE size = ImageSize(images, dpi_);
    DrawImage(bdc, box.left + (glyph - size.cx) / 2, box.top + (glyph - size.cy) / 2, size, images,
              item.image_index, !enabled, ink);
  } else if (item.checked) {
    const int mark = std::min(SystemMetricsForDpi(SM_CXMENUCHECK, dpi_), glyph);
    DrawMark(bdc, box.left + (glyph - mark) / 2 + 1, (h - mark) / 2 + 1, mark, item.radio, ink);
  }

  // Caption and short cut.
  TOwnedFont own_font;
  HFONT font = popup ? popup->ItemFont(item.is_default, dpi_) : nullptr;
  if (!font) {
    own_font = MakeMenuFont(dpi_, item.is_default);
    font = own_font.Get();
  }
  TSelectObject select(bdc, font);
  SetBkMode(bdc, TRANSPARENT);
  SetTextColor(bdc, ink);
  const bool underlines = ShowsAccessKeys(state);
  const UINT prefix = underlines ? 0 : DT_NOPREFIX;
  const UINT reading = rtl ? DT_RTLREADING | DT_RIGHT : DT_LEFT;
  const std::wstring caption = underlines ? item.caption : WithoutAccessMarkers(item.caption);
  const int text_left = box_left + glyph + Scale(kCaptionGap);
  const SIZE text_size = TextSize(bdc, caption, prefix);
  const int text_top = (h - text_size.cy) / 2;
  RECT text = place(text_left, text_top, w - 1, text_top + text_size.cy);
  DrawTextW(bdc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_EXPANDTABS | DT_SINGLELINE | reading | prefix);
  if (!item.short_cut.empty()) {
    RECT cut =
        place(text_left + text_size.cx, text_top, w - Scale(kArrowZone), text_top + text_size.cy);
    DrawTextW(bdc, item.short_cut.c_str(), static_cast<int>(item.short_cut.size()), &cut,
              DT_SINGLELINE | DT_NOPREFIX | (rtl ? DT_LEFT | DT_RTLREADING : DT_RIGHT));
  }
  if (item.submenu) DrawArrow(bdc, place(w - Scale(kArrowZone), 0, w - 1, h), rtl, ink, dpi_);
  buffer.CopyTo(dc, rect.left, rect.top);
}
