#include "framework/Form.h"

#include <stdexcept>

#include "framework/Application.h"

namespace {
constexpr wchar_t kFormClass[] = L"TonmillForm";

void RegisterFormClass(WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kFormClass, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.lpszClassName = kFormClass;
  RegisterClassExW(&wc);
}
}  // namespace

TForm::TForm(TComponent* owner, const TFormStyle& style) : TComponent(owner) {
  RegisterFormClass(&TForm::StaticWndProc);
  font_ = CreateFontW(style.font_height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      style.font_charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, style.font_face.c_str());
  RECT r{0, 0, style.client_width, style.client_height};
  AdjustWindowRectEx(&r, style.style, FALSE, style.ex_style);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  if (style.centred) {
    x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  }
  // The form links itself to its window at WM_NCCREATE (see StaticWndProc).
  hwnd_ = CreateWindowExW(style.ex_style, kFormClass, style.caption.c_str(), style.style, x, y, w,
                          h, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd_) {
    DeleteObject(font_);
    throw std::runtime_error("Cannot create a form window");
  }
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

TForm::~TForm() {
  if (hwnd_) {
    // Stop dispatching to this object before the window goes.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  if (font_) DeleteObject(font_);
}

std::wstring TForm::Caption() const {
  const int n = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hwnd_, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}

void TForm::SetCaption(const std::wstring& caption) { SetWindowTextW(hwnd_, caption.c_str()); }

void TForm::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void TForm::Close() {
  TCloseAction action = main_form_ ? caFree : caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (action == caMinimize) {
    ShowWindow(hwnd_, SW_MINIMIZE);
    return;
  }
  ShowWindow(hwnd_, SW_HIDE);
  if (main_form_ && Application) Application->Terminate();
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) {
    Close();
    return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK TForm::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* self = reinterpret_cast<TForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->WndProc(msg, wp, lp);
}
