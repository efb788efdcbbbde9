#pragma once
// What the form engine's tests share: an application with the skin engine's
// environment, the program's five skins in a skin store, forms skinned by a
// skin data component, and reading back what the screen shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/CaptionButtons.h"
#include "skin/form/WinSkinForm.h"
#include "skin/packages/WinSkinStore.h"
#include "tests/wine/support/ScreenCapture.h"

// The stored skins, in the program's order.
inline constexpr const char* kSkinFiles[] = {"meadow", "nightfall", "daylight", "contrast",
                                             "ember"};

// A style like the main window's: single border, system menu and minimise
// box, client 533 x 456.
TFormStyle MainLikeStyle(const std::wstring& caption = L"Tonmill test window");
// A sizable form with both boxes.
TFormStyle SizableStyle(const std::wstring& caption = L"Sizable test window");

RECT WindowRect(HWND window);
RECT ClientScreenRect(HWND window);
// Saves a capture of the window for people to look at (the test data
// folder named by TONMILL_SHOTS).
void SaveShot(HWND window, const std::string& name);
void SaveShot(const RECT& rect, const std::string& name);
void SaveShot(const TBitmap& shot, const std::string& name);

class SkinEngineTest : public ::testing::Test {
 protected:
  SkinEngineTest();
  ~SkinEngineTest() override;

  // A form owned by the application, not yet shown.
  TForm& MakeForm(const TFormStyle& style);
  // A skin data component owned by `owner`, started (Loaded) and holding
  // stored skin `skin`; not yet active.
  TSkinData& MakeData(TComponent& owner, int skin, TSkinFormType type = sfMainform);
  // The usual start: a main-like form with its skin data, activated and
  // shown; returns once its engine has finished skinning.
  TForm& ShowSkinnedForm(int skin, const TFormStyle& style = MainLikeStyle());
  // Waits for the engine of `window` to finish (false on timeout).
  bool WaitSkinned(HWND window);
  TWinSkinForm* EngineOf(HWND window) const;
  // Pumps messages for `ms` milliseconds.
  void Pump(int ms);
  bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 5000);
  // Carries out the manager's pending command now.
  void Flush();
  // Moves the mouse onto caption button `index` and lets the engine see it
  // there; answers the point, for a click.
  POINT HoverCaptionButton(TWinSkinForm& engine, int index);

  TSkinStore& Store() { return *store_; }
  TSkinEnvironment& Environment() { return *env_; }
  TApplication& App() { return *app_; }
  TSkinManage& Manager() const { return *SkinManager; }

 private:
  // The environment goes last: every form and engine goes before it.
  std::unique_ptr<TSkinEnvironment> env_;
  std::unique_ptr<TApplication> app_;
  TSkinStore* store_ = nullptr;
};

// The cell `cell` (from 1) of `frames` of a caption button image, as the
// screen should show it over `background` (magenta left out).
TBitmap ExpectedButton(const TDataSkinSysButton& button, int cell, const TBitmap& background);
// Share of pixels of `a` and `b` (same size) whose channels differ by at
// most `tolerance`.
double MatchingShare(const TBitmap& a, const TBitmap& b, int tolerance = 8);

// The index of the first visible caption button of `engine` with `action`,
// or -1.
int VisibleButton(TWinSkinForm& engine, int action);
// The screen rectangle of caption button `index` of the engine's window.
RECT ButtonScreenRect(TWinSkinForm& engine, int index);
// The centre of a rectangle.
POINT Centre(const RECT& r);
// Share of the drawn (non-magenta) pixels of cell `cell` of the button's
// image that the screen shows in `shot` (the button's rectangle).
double CellShare(const TBitmap& shot, const TDataSkinSysButton& button, int cell);
