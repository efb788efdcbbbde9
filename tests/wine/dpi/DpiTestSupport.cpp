#include "tests/wine/dpi/DpiTestSupport.h"

#include <chrono>
#include <cstdlib>

#include "app/StoredSkins.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "skin/data/SkinManage.h"
#include "skin/form/WinSkinForm.h"
#include "tests/wine/support/WineTestSupport.h"

int ChildRunDpi() {
  const char* value = std::getenv("TONMILL_DPI_CHILD");
  return value ? std::atoi(value) : 0;
}

RECT PlacedRect(const TWinControl& control) {
  RECT r{};
  GetWindowRect(control.Handle(), &r);
  MapWindowPoints(nullptr, GetParent(control.Handle()), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT ExpectedRect(const TMainComponent& row, int dpi) {
  return RECT{MulDiv(row.left, dpi, 96), MulDiv(row.top, dpi, 96),
              MulDiv(row.left + row.width, dpi, 96), MulDiv(row.top + row.height, dpi, 96)};
}

int FontHeightOf(HWND window) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  if (!font || !GetObjectW(font, sizeof lf, &lf)) return 0;
  return lf.lfHeight;
}

SIZE TextExtent(HWND window, const std::wstring& text) {
  TWindowDC dc(window);
  auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  TSelectObject select(dc.Get(), font);
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

int InternalLeading(HWND window) {
  TWindowDC dc(window);
  auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  TSelectObject select(dc.Get(), font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.Get(), &tm);
  return tm.tmInternalLeading;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

bool ShowSkinned(TApplication& app, TForm& form) {
  form.Show();
  const HWND window = form.Handle();
  SetForegroundWindow(window);
  return PumpUntil(
      app,
      [&] {
        TWinSkinForm* engine = SkinManager->FindSkinForm(window);
        return engine && engine->Finished() && engine->SkinState() == ksActive;
      },
      std::chrono::seconds(5));
}

void SkinnedMainWindowTest::SetUp() {
  if (ChildRunDpi() != 0) GTEST_SKIP();
  skins_ = MakeProgramSkinEnvironment(L"Tonmill");
  app_ = std::make_unique<TApplication>(nullptr);
  app_->Initialize();
  form_ = &OwnedComponent<TFrmMain>(*app_, *skins_);
  ASSERT_TRUE(ShowSkinned(*app_, *form_));
  window_ = form_->Handle();
  ASSERT_EQ(form_->Dpi(), 96) << "the suite's prefix runs at 96 DPI";
}

void SkinnedMainWindowTest::TearDown() {
  form_ = nullptr;
  app_.reset();
  skins_.reset();
}
