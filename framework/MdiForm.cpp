#include "framework/MdiForm.h"

#include <stdexcept>

#include "framework/Menus.h"
#include "framework/Screen.h"

namespace {
// The commands of the window menu's child list: above the framework's menu
// commands and below the system's.
constexpr UINT kFirstChildCommand = 0xFF00;

TForm* FormOfWindow(HWND window) {
  for (int i = 0; i < Screen().FormCount(); ++i) {
    TForm* form = Screen().Forms(i);
    if (form && form->Handle() == window) return form;
  }
  return nullptr;
}
}  // namespace

TMdiFrameForm::TMdiFrameForm(TComponent* owner, const TFormStyle& style) : TForm(owner, style) {
  CLIENTCREATESTRUCT ccs{};
  ccs.idFirstChild = kFirstChildCommand;
  RECT r;
  GetClientRect(Handle(), &r);
  HWND client =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                      WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0,
                      r.right, r.bottom, Handle(), nullptr, GetModuleHandleW(nullptr), &ccs);
  if (!client) throw std::runtime_error("Cannot create the MDI client window");
  SetFrameClient(client);
}

TMdiFrameForm::~TMdiFrameForm() {
  if (window_menu_) window_menu_->RemoveFreeNotification(this);
  window_menu_ = nullptr;
}

TFormStyle TMdiFrameForm::ChildStyle(const std::wstring& caption, int client_width,
                                     int client_height) const {
  TFormStyle style;
  style.caption = caption;
  style.client_width = client_width;
  style.client_height = client_height;
  style.border_style = bsSizeable;
  style.border_icons = {biSystemMenu, biMinimize, biMaximize};
  style.mdi_client = ClientHandle();
  return style;
}

void TMdiFrameForm::SetWindowMenu(TMenuItem* item) {
  if (item == window_menu_) return;
  if (window_menu_) window_menu_->RemoveFreeNotification(this);
  window_menu_ = item;
  if (window_menu_) window_menu_->FreeNotification(this);
  PassMenuToClient();
}

void TMdiFrameForm::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation == TOperation::opRemove && component == window_menu_) window_menu_ = nullptr;
}

void TMdiFrameForm::PassMenuToClient() {
  if (!ClientHandle() || !Menu()) return;
  HMENU bar = Menu()->Handle();
  HMENU list = nullptr;
  if (window_menu_) {
    // The window menu is the submenu of the bar item with its command.
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_ID | MIIM_SUBMENU;
      if (GetMenuItemInfoW(bar, static_cast<UINT>(i), TRUE, &info) &&
          info.wID == window_menu_->Command()) {
        list = info.hSubMenu;
      }
    }
  }
  SendMessageW(ClientHandle(), WM_MDISETMENU, reinterpret_cast<WPARAM>(bar),
               reinterpret_cast<LPARAM>(list));
  // A client that has this bar already may skip the rest of the message:
  // the window menu alone goes again, without a bar.
  if (list) SendMessageW(ClientHandle(), WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(list));
  DrawMenuBar(Handle());
}

TForm* TMdiFrameForm::ActiveMDIChild() const {
  if (!ClientHandle()) return nullptr;
  return FormOfWindow(reinterpret_cast<HWND>(SendMessageW(ClientHandle(), WM_MDIGETACTIVE, 0, 0)));
}

bool TMdiFrameForm::ActiveChildMaximized() const {
  if (!ClientHandle()) return false;
  BOOL maximized = FALSE;
  const auto active = reinterpret_cast<HWND>(
      SendMessageW(ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
  return active && maximized;
}

int TMdiFrameForm::MDIChildCount() const {
  int count = 0;
  while (MDIChildren(count)) ++count;
  return count;
}

TForm* TMdiFrameForm::MDIChildren(int index) const {
  if (!ClientHandle() || index < 0) return nullptr;
  for (HWND w = GetWindow(ClientHandle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    TForm* form = FormOfWindow(w);
    if (form && form->IsMdiChild() && index-- == 0) return form;
  }
  return nullptr;
}

void TMdiFrameForm::Tile(bool horizontal) {
  SendMessageW(ClientHandle(), WM_MDITILE, horizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TMdiFrameForm::Cascade() {
  SendMessageW(ClientHandle(), WM_MDICASCADE, 0, 0);
}

void TMdiFrameForm::ArrangeIcons() {
  SendMessageW(ClientHandle(), WM_MDIICONARRANGE, 0, 0);
}

void TMdiFrameForm::Next() {
  SendMessageW(ClientHandle(), WM_MDINEXT, 0, 0);
}

void TMdiFrameForm::WndProc(TMessage& m) {
  TForm::WndProc(m);
  // The bar has a new handle (or none): the client hears of it, so that
  // the child list and a maximised child's buttons go into the new one.
  if (m.Msg == CM_MENUCHANGED) PassMenuToClient();
}
