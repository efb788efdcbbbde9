// The main window at the screen's DPI: the test program starts itself again
// with the session's DPI (the user's LogPixels) set to 96, 120, 144 and 192,
// and each child run checks that the window, its controls, fonts and list
// columns grew by the DPI's ratio, that no text is cut off, and keeps a
// picture of the window under every stored skin.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/Main.h"
#include "app/MainLayout.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Dpi.h"
#include "skin/data/SkinManage.h"
#include "tests/wine/dpi/DpiTestSupport.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// Sets the user's LogPixels for the processes started meanwhile and puts
// the old value back when it goes (the prefix serves the other suites).
class TLogPixels {
 public:
  explicit TLogPixels(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                    &key_, nullptr);
    DWORD size = sizeof old_;
    had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                            &size) == ERROR_SUCCESS;
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
  }
  ~TLogPixels() {
    if (had_) {
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_),
                     sizeof old_);
    } else {
      RegDeleteValueW(key_, L"LogPixels");
    }
    RegCloseKey(key_);
  }
  TLogPixels(const TLogPixels&) = delete;
  TLogPixels& operator=(const TLogPixels&) = delete;

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 96;
  bool had_ = false;
};

// Runs this test program's child tests at `dpi`; returns the exit code.
DWORD RunChildAt(int dpi) {
  wchar_t exe[MAX_PATH * 4];
  GetModuleFileNameW(nullptr, exe, static_cast<DWORD>(std::size(exe)));
  std::wstring command = Quoted(exe) + L" --gtest_filter=MainWindowAtDpi.*";
  SetEnvironmentVariableW(L"TONMILL_DPI_CHILD", std::to_wstring(dpi).c_str());
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &si, &pi);
  SetEnvironmentVariableW(L"TONMILL_DPI_CHILD", nullptr);
  if (!started) return 0xDEAD;
  DWORD code = 0xDEAD;
  if (WaitForSingleObject(pi.hProcess, 90000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(pi.hProcess, &code);
  } else {
    TerminateProcess(pi.hProcess, 0xDEAD);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

TEST(MainWindowDpi, ScalesAtEachScreenDpi) {
  if (ChildRunDpi() != 0) GTEST_SKIP() << "the child runs check one DPI each";
  for (int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    TLogPixels log_pixels(static_cast<DWORD>(dpi));
    EXPECT_EQ(RunChildAt(dpi), 0u) << "the child run at " << dpi << " DPI failed (see above)";
  }
}

// The real main window of a child run, shown and skinned.
class MainWindowAtDpi : public ::testing::Test {
 protected:
  void SetUp() override {
    dpi_ = ChildRunDpi();
    if (dpi_ == 0) GTEST_SKIP() << "run by MainWindowDpi.ScalesAtEachScreenDpi";
    skins_ = MakeProgramSkinEnvironment(L"Tonmill");
    app_ = std::make_unique<TApplication>(nullptr);
    app_->Initialize();
    input::MoveTo(1, 1);
    form_ = &OwnedComponent<TFrmMain>(*app_, *skins_);
    form_->Show();
    SetForegroundWindow(form_->Handle());
    ASSERT_TRUE(PumpUntil(
        *app_, [this] { return Skinned(); }, 5s));
  }
  void TearDown() override {
    app_.reset();
    skins_.reset();
  }

  bool Skinned() const {
    TWinSkinForm* engine = SkinManager->FindSkinForm(form_->Handle());
    return engine && engine->Finished() && engine->SkinState() == ksActive;
  }
  TWinControl& Control(const char* name) const {
    auto* control = dynamic_cast<TWinControl*>(form_->FindComponent(name));
    if (!control) throw std::runtime_error(std::string("no control ") + name);
    return *control;
  }

  int dpi_ = 0;
  // The environment outlives the application and its windows.
  std::unique_ptr<TSkinEnvironment> skins_;
  std::unique_ptr<TApplication> app_;
  TFrmMain* form_ = nullptr;
};

TEST_F(MainWindowAtDpi, WindowControlsFontsAndColumnsGrowByTheRatio) {
  const HWND window = form_->Handle();
  EXPECT_EQ(WindowDpi(window), dpi_);
  EXPECT_EQ(form_->Dpi(), dpi_);
  const RECT client = ClientScreenRect(window);
  EXPECT_EQ(client.right - client.left, MulDiv(533, dpi_, 96));
  EXPECT_EQ(client.bottom - client.top, MulDiv(456, dpi_, 96));

  for (const TMainComponent& row : MainLayout()) {
    SCOPED_TRACE(row.name);
    TWinControl& control = Control(row.name);
    const RECT placed = PlacedRect(control);
    const RECT expected = ExpectedRect(row, dpi_);
    if (row.kind == TMainKind::ComboBox) {
      // A combo box makes itself as high as its font needs.
      EXPECT_EQ(placed.left, expected.left);
      EXPECT_EQ(placed.top, expected.top);
      EXPECT_EQ(placed.right, expected.right);
    } else if (row.align == alNone) {
      // Placed controls sit exactly on their scaled edges.
      EXPECT_EQ(Describe(placed), Describe(expected));
    } else if (row.align == alTop) {
      // The blocks stacked from the top: where the description puts them.
      EXPECT_NEAR(placed.top, expected.top, 1);
      EXPECT_NEAR(placed.bottom, expected.bottom, 1);
      EXPECT_EQ(placed.right - placed.left, client.right - client.left);
    }
    // Whatever the DPI, the program reads and sets bounds in 96-DPI units.
    if (row.align == alNone) {
      EXPECT_EQ(control.Left(), row.left);
      EXPECT_EQ(control.Width(), row.width);
      if (row.kind != TMainKind::ComboBox) {
        EXPECT_EQ(control.Height(), row.height);
      }
    }
    EXPECT_EQ(FontHeightOf(control.Handle()), MulDiv(-12, dpi_, 96));
  }
  // The list's columns keep their share of the list.
  const HWND list = Control("lvwFiles").Handle();
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), MulDiv(350, dpi_, 96));
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), MulDiv(80, dpi_, 96));
}

TEST_F(MainWindowAtDpi, NoTextIsCutOff) {
  for (const TMainComponent& row : MainLayout()) {
    if (!*row.text || row.kind == TMainKind::Edit) continue;
    SCOPED_TRACE(row.name);
    const HWND control = Control(row.name).Handle();
    const std::wstring text = Control(row.name).Caption();
    const SIZE extent = TextExtent(control, text);
    // The glyphs' ink lies within the font's em; the leading above it is
    // left to the line spacing.
    const int em = extent.cy - InternalLeading(control);
    RECT r{};
    GetClientRect(control, &r);
    // Buttons keep a border round their text, group boxes their frame
    // either side of the caption.
    int margin = 0;
    if (row.kind == TMainKind::Button) margin = 2 * MulDiv(3, dpi_, 96);
    if (row.kind == TMainKind::GroupBox) margin = 2 * MulDiv(8, dpi_, 96);
    EXPECT_LE(extent.cx + margin, r.right) << "text " << extent.cx << " wide";
    EXPECT_LE(em, r.bottom) << "text " << em << " high";
  }
}

TEST_F(MainWindowAtDpi, PicturesUnderEveryStoredSkin) {
  const HWND window = form_->Handle();
  ASSERT_NE(form_->SkinChoice, nullptr);
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(skin);
    SendMessageW(window, WM_SYSCOMMAND, form_->SkinChoice->CommandOf(skin), 0);
    ASSERT_TRUE(PumpUntil(
        *app_, [this] { return Skinned(); }, 5s));
    PumpUntil(
        *app_, [] { return false; }, 200ms);
    // The skin's frame goes round the same client area.
    const RECT client = ClientScreenRect(window);
    EXPECT_EQ(client.right - client.left, MulDiv(533, dpi_, 96));
    EXPECT_EQ(client.bottom - client.top, MulDiv(456, dpi_, 96));
    SaveShot(window, "main-" + std::to_string(dpi_) + "dpi-" + kSkinFiles[skin]);
  }
}

// Where the system cannot say a window's DPI (Windows 8.1), its monitor's
// stands in; both must agree with the DPI the session runs at.
TEST_F(MainWindowAtDpi, WindowAndMonitorTellTheSameDpi) {
  const HWND window = form_->Handle();
  EXPECT_EQ(WindowDpi(window), dpi_);
  EXPECT_EQ(MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)), dpi_);
}

}  // namespace
