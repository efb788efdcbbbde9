#pragma once
// What the DPI tests share: the main window's controls as its layout table
// places them, and where they really are on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/Main.h"
#include "app/MainLayout.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "skin/data/SkinManage.h"

// The DPI a child run of the test program was started at (the value of
// TONMILL_DPI_CHILD), or 0 in the test program's own run.
int ChildRunDpi();

// The rectangle of `control`'s window in its parent's client area, in
// pixels, as the screen has it.
RECT PlacedRect(const TWinControl& control);
// The rectangle a layout row's edges give at `dpi`.
RECT ExpectedRect(const TMainComponent& row, int dpi);
// The height of the font `window` draws its text with (a LOGFONT height).
int FontHeightOf(HWND window);
// The size of `text` in the font of `window`.
SIZE TextExtent(HWND window, const std::wstring& text);
// The room above the glyphs in the font of `window` (tmInternalLeading).
int InternalLeading(HWND window);

std::string Describe(const RECT& r);

// Shows the form in front and waits until the engine has skinned it.
bool ShowSkinned(TApplication& app, TForm& form);

// The program's main window shown skinned at the suite's 96 DPI (the test
// program's own run only). The window goes before the application and the
// skins it was shown with.
class SkinnedMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<TSkinEnvironment> skins_;
  std::unique_ptr<TApplication> app_;
  TFrmMain* form_ = nullptr;
  HWND window_ = nullptr;
};
