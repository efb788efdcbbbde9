#include "framework/HeaderControl.h"

#include <commctrl.h>

#include <algorithm>

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner) {}

void THeaderControl::CreateParams(TCreateParams& params) {
  params.class_name = WC_HEADERW;
  params.style |= HDS_HORZ | HDS_BUTTONS | HDS_HOTTRACK;
}

void THeaderControl::CreateWnd() {
  for (int i = 0; i < SectionCount(); ++i) InsertItem(i);
}

void THeaderControl::InsertItem(int index) {
  TSection& section = sections_[static_cast<size_t>(index)];
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  item.fmt = HDF_LEFT | HDF_STRING;
  item.pszText = section.text.data();
  item.cxy = section.width;
  SendMessageW(Handle(), HDM_INSERTITEMW, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
}

int THeaderControl::AddSection(const std::wstring& text, int width) {
  sections_.push_back(TSection{text, std::max(0, width)});
  const int index = SectionCount() - 1;
  if (HandleAllocated()) InsertItem(index);
  return index;
}

std::wstring THeaderControl::SectionText(int index) const {
  if (index < 0 || index >= SectionCount()) return {};
  return sections_[static_cast<size_t>(index)].text;
}

int THeaderControl::SectionWidth(int index) const {
  if (index < 0 || index >= SectionCount()) return 0;
  if (HandleAllocated()) {
    RECT r{};
    if (SendMessageW(Handle(), HDM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r))) {
      return r.right - r.left;
    }
  }
  return sections_[static_cast<size_t>(index)].width;
}

void THeaderControl::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHEADERW*>(m.LParam);
    if (header->hdr.code == HDN_ITEMCLICKW || header->hdr.code == HDN_ITEMCLICKA) {
      if (OnSectionClick) OnSectionClick(this, header->iItem);
      m.Result = 0;
      return;
    }
    if (header->hdr.code == HDN_ENDTRACKW || header->hdr.code == HDN_ENDTRACKA) {
      // Keep the width the user dragged to, for a window made again.
      const int i = header->iItem;
      if (i >= 0 && i < SectionCount() && header->pitem && (header->pitem->mask & HDI_WIDTH)) {
        sections_[static_cast<size_t>(i)].width = header->pitem->cxy;
      }
    }
  }
  TWinControl::WndProc(m);
}
