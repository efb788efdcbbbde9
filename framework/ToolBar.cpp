#include "framework/ToolBar.h"

#include <commctrl.h>

#include "framework/Unicode.h"

namespace {
// Button commands are their index plus this.
constexpr int kFirstCommand = 1;
}  // namespace

// --- TToolButton --------------------------------------------------------------

TToolButton::TToolButton(TComponent* owner, TToolBar& bar, int index)
    : TComponent(owner), bar_(bar), index_(index) {}

bool TToolButton::Down() const {
  if (!bar_.HandleAllocated()) return down_;
  return SendMessageW(bar_.Handle(), TB_ISBUTTONCHECKED, index_ + kFirstCommand, 0) != 0;
}

void TToolButton::SetDown(bool down) {
  down_ = down;
  if (bar_.HandleAllocated()) {
    SendMessageW(bar_.Handle(), TB_CHECKBUTTON, index_ + kFirstCommand, MAKELPARAM(down, 0));
  }
}

bool TToolButton::Enabled() const {
  return enabled_;
}

void TToolButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (bar_.HandleAllocated()) {
    SendMessageW(bar_.Handle(), TB_ENABLEBUTTON, index_ + kFirstCommand, MAKELPARAM(enabled, 0));
  }
}

RECT TToolButton::BoundsRect() const {
  RECT r{};
  if (bar_.HandleAllocated())
    SendMessageW(bar_.Handle(), TB_GETITEMRECT, index_, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TToolButton::Click() {
  if (OnClick) OnClick(this);
}

void TToolButton::DescribeProperties(TPropertyTable& table) {
  TComponent::DescribeProperties(table);
  table.Text("Caption", [this] { return WideToUtf8(caption_); });
  table.Int("ImageIndex", [this] { return image_index_; });
  table.Enum(
      "Down", {"False", "True"}, [this] { return Down() ? 1 : 0; },
      [this](std::int64_t v) { SetDown(v != 0); });
  table.Enum(
      "Enabled", {"False", "True"}, [this] { return enabled_ ? 1 : 0; },
      [this](std::int64_t v) { SetEnabled(v != 0); });
}

// --- TToolBar -----------------------------------------------------------------

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 200, 29);
  SetAlign(alTop);
}

void TToolBar::CreateParams(TCreateParams& params) {
  params.class_name = TOOLBARCLASSNAMEW;
  params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_LIST;
  if (flat_) params.style |= TBSTYLE_FLAT;
}

void TToolBar::DpiChanged(int, int) {
  // The images at the new DPI's size; the buttons fit them again.
  SetImages(images_);
  SendMessageW(Handle(), TB_AUTOSIZE, 0, 0);
}

void TToolBar::CreateWnd() {
  SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(Handle(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  SetImages(images_);
  for (TToolButton* button : buttons_) InsertButton(*button);
}

TToolButton& TToolBar::AddButton(const std::wstring& caption, int image_index,
                                 TToolButtonStyle style) {
  auto& button = OwnedComponent<TToolButton>(*this, *this, ButtonCount());
  button.caption_ = caption;
  button.image_index_ = image_index;
  button.style_ = style;
  buttons_.push_back(&button);
  InsertButton(button);
  return button;
}

void TToolBar::InsertButton(const TToolButton& button) {
  if (!HandleAllocated()) return;
  TBBUTTON b{};
  b.iBitmap = button.image_index_ >= 0 ? button.image_index_ : I_IMAGENONE;
  b.idCommand = button.index_ + kFirstCommand;
  b.fsState = static_cast<BYTE>((button.enabled_ ? TBSTATE_ENABLED : 0) |
                                (button.down_ ? TBSTATE_CHECKED : 0));
  b.fsStyle = static_cast<BYTE>(button.style_ == tbsSeparator ? BTNS_SEP
                                : button.style_ == tbsCheck   ? BTNS_CHECK | BTNS_SHOWTEXT
                                                              : BTNS_BUTTON | BTNS_SHOWTEXT);
  // The bar keeps its own copy of the text.
  b.iString = reinterpret_cast<INT_PTR>(button.caption_.c_str());
  SendMessageW(Handle(), TB_INSERTBUTTONW, button.index_, reinterpret_cast<LPARAM>(&b));
  SendMessageW(Handle(), TB_AUTOSIZE, 0, 0);
}

void TToolBar::SetImages(const TImageList* images) {
  images_ = images;
  if (!HandleAllocated()) return;
  image_handle_ = images_ ? MakeImageListHandle(*images_, Dpi()) : THImageList();
  SendMessageW(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(image_handle_.Get()));
  Invalidate();
}

void TToolBar::SetFlat(bool flat) {
  flat_ = flat;
  if (!HandleAllocated()) return;
  auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  style = flat ? (style | TBSTYLE_FLAT) : (style & ~TBSTYLE_FLAT);
  SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(style));
  Invalidate();
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: {
      bool default_draw = true;
      if (OnCustomDraw) OnCustomDraw(this, draw.nmcd.hdc, draw.nmcd.rc, default_draw);
      return OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    }
    case CDDS_ITEMPREPAINT: {
      const int index = static_cast<int>(draw.nmcd.dwItemSpec) - kFirstCommand;
      if (!OnCustomDrawButton || index < 0 || index >= ButtonCount()) return CDRF_DODEFAULT;
      bool frame_drawn = false;
      COLORREF text = draw.clrText;
      OnCustomDrawButton(this, Buttons(index), draw.nmcd.hdc, draw.nmcd.rc, draw.nmcd.uItemState,
                         text, frame_drawn);
      draw.clrText = text;
      LRESULT flags =
          frame_drawn ? CDRF_NEWFONT | TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND : CDRF_NEWFONT;
      // The system etches a disabled caption with its own highlight colour,
      // which stands out as bright text on a face the owner chose; plain
      // grey text reads as disabled on any face. Some tool bars etch even
      // when told not to: their etching then takes the text's grey.
      if (draw.nmcd.uItemState & (CDIS_DISABLED | CDIS_GRAYED)) {
        flags |= TBCDRF_NOETCHEDEFFECT;
        draw.clrBtnHighlight = GetSysColor(COLOR_BTNSHADOW);
      }
      return flags;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

void TToolBar::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    const int index = static_cast<int>(LOWORD(m.WParam)) - kFirstCommand;
    if (index >= 0 && index < ButtonCount()) Buttons(index).Click();
    m.Result = 0;
    return;
  }
  if (m.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(m.LParam)->code == NM_CUSTOMDRAW) {
    m.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(m.LParam));
    return;
  }
  TWinControl::WndProc(m);
}

void TToolBar::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Enum(
      "Flat", {"False", "True"}, [this] { return flat_ ? 1 : 0; },
      [this](std::int64_t v) { SetFlat(v != 0); });
  table.Object("Images", [this]() -> TPersistent* { return const_cast<TImageList*>(images_); });
}
