#include "framework/Form.h"

#include "framework/Application.h"

TForm::TForm(TComponent* owner, const TFormStyle& style) : TWinControl(owner), style_(style) {
  font_.Reset(CreateFontW(style.font_height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          style.font_charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, style.font_face.c_str()));
  RECT r{0, 0, style.client_width, style.client_height};
  AdjustWindowRectEx(&r, style.style, FALSE, style.ex_style);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  if (style.centred) {
    x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  }
  SetVisible(false);
  SetBounds(x, y, w, h);
  SetCaption(style.caption);
  CreateHandle();
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

// The window (and every child window) goes before the font they share.
TForm::~TForm() { DestroyHandle(); }

void TForm::CreateParams(TCreateParams& params) {
  params.style = style_.style;
  params.ex_style = style_.ex_style;
}

void TForm::Show() {
  SetVisible(true);
  UpdateWindow(Handle());
}

void TForm::Close() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  if (!can_close) return;
  TCloseAction action = main_form_ ? caFree : caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (action == caMinimize) {
    ShowWindow(Handle(), SW_MINIMIZE);
    return;
  }
  SetVisible(false);
  if (main_form_ && Application) Application->Terminate();
}

void TForm::WndProc(TMessage& m) {
  if (m.Msg == WM_CLOSE) {
    Close();
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}
