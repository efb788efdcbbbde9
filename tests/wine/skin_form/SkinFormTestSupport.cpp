#include "tests/wine/skin_form/SkinFormTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/BitmapWin32.h"
#include "framework/BmpWriter.h"
#include "framework/GdiObjects.h"
#include "framework/Unicode.h"
#include "skin/form/SkinEngine.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/WineTestSupport.h"

TFormStyle MainLikeStyle(const std::wstring& caption) {
  TFormStyle style;
  style.caption = caption;
  style.client_width = 533;
  style.client_height = 456;
  return style;
}

TFormStyle SizableStyle(const std::wstring& caption) {
  TFormStyle style;
  style.caption = caption;
  style.client_width = 400;
  style.client_height = 300;
  style.border_style = bsSizeable;
  style.border_icons = {biSystemMenu, biMinimize, biMaximize};
  return style;
}

SkinEngineTest::SkinEngineTest()
    : env_(MakeSkinEngineEnvironment(nullptr, "Tonmill")),
      app_(std::make_unique<TApplication>(nullptr)) {
  app_->Initialize();
  // The mouse waits in a corner, where no test's window is.
  input::MoveTo(1, 1);
  store_ = &OwnedComponent<TSkinStore>(*app_);
  const std::string dir = WideToUtf8(TestBinDir()) + "skins\\";
  for (const char* name : kSkinFiles) {
    store_->Store().Add().Data().LoadFromFile(dir + name + ".skn");
  }
}

SkinEngineTest::~SkinEngineTest() {
  app_.reset();
  env_.reset();
}

TForm& SkinEngineTest::MakeForm(const TFormStyle& style) {
  return OwnedComponent<TForm>(*app_, style);
}

TSkinData& SkinEngineTest::MakeData(TComponent& owner, int skin, TSkinFormType type) {
  auto& data = OwnedComponent<TSkinData>(owner, *env_);
  data.BeginLoading();
  data.SetSkinFormtype(type);
  data.Loaded();
  data.LoadFromSkinStore(store_, skin);
  return data;
}

TForm& SkinEngineTest::ShowSkinnedForm(int skin, const TFormStyle& style) {
  TForm& form = MakeForm(style);
  TSkinData& data = MakeData(form, skin);
  data.SetActive(true);
  form.Show();
  SetForegroundWindow(form.Handle());
  EXPECT_TRUE(WaitSkinned(form.Handle()));
  return form;
}

TWinSkinForm* SkinEngineTest::EngineOf(HWND window) const {
  return SkinManager ? SkinManager->FindSkinForm(window) : nullptr;
}

bool SkinEngineTest::WaitSkinned(HWND window) {
  return PumpUntil([&] {
    TWinSkinForm* engine = EngineOf(window);
    return engine && engine->Finished() && engine->SkinState() == ksActive;
  });
}

void SkinEngineTest::Pump(int ms) {
  ::PumpUntil(
      *app_, [] { return false; }, std::chrono::milliseconds(ms));
}

POINT SkinEngineTest::HoverCaptionButton(TWinSkinForm& engine, int index) {
  const POINT at = Centre(ButtonScreenRect(engine, index));
  input::MoveTo(at.x, at.y);
  Pump(100);
  return at;
}

bool SkinEngineTest::PumpUntil(const std::function<bool()>& done, int timeout_ms) {
  const bool reached = ::PumpUntil(*app_, done, std::chrono::milliseconds(timeout_ms));
  // Whatever the last message made invalid is painted before the caller looks.
  app_->ProcessMessages();
  return reached;
}

void SkinEngineTest::Flush() {
  if (SkinManager) SkinManager->FlushCommand();
  app_->ProcessMessages();
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

RECT ClientScreenRect(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void SaveShot(HWND window, const std::string& name) {
  SaveShot(WindowRect(window), name);
}

void SaveShot(const RECT& rect, const std::string& name) {
  SaveShot(Capture(rect), name);
}

void SaveShot(const TBitmap& shot, const std::string& name) {
  const char* dir = std::getenv("TONMILL_SHOTS");
  if (!dir || !*dir) return;
  const std::vector<std::uint8_t> bytes = WriteBmp(shot);
  const std::string path = std::string(dir) + "\\" + name + ".bmp";
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

TBitmap ExpectedButton(const TDataSkinSysButton& button, int cell, const TBitmap& background) {
  const int frames = button.Frame < 1 ? 1 : button.Frame;
  const int w = button.Bitmap.Width() / frames;
  TBitmap out = background;
  out.CopyRect(out.BoundsRect(), button.Bitmap,
               Bounds((cell - 1) * w, 0, w, button.Bitmap.Height()), true, clFuchsia);
  return out;
}

double MatchingShare(const TBitmap& a, const TBitmap& b, int tolerance) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.Empty()) return 0;
  long same = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const TColor p = a.Pixel(x, y), q = b.Pixel(x, y);
      if (std::abs(RedOf(p) - RedOf(q)) <= tolerance &&
          std::abs(GreenOf(p) - GreenOf(q)) <= tolerance &&
          std::abs(BlueOf(p) - BlueOf(q)) <= tolerance) {
        ++same;
      }
    }
  }
  return static_cast<double>(same) / (static_cast<double>(a.Width()) * a.Height());
}

int VisibleButton(TWinSkinForm& engine, int action) {
  for (int i = 0; i < engine.CaptionButtonCount(); ++i) {
    const TWinSysButton& button = engine.CaptionButton(i);
    const TDataSkinSysButton* d = button.Definition();
    if (d && d->Action == action && button.Visible && !button.Bounds.Empty()) return i;
  }
  return -1;
}

RECT ButtonScreenRect(TWinSkinForm& engine, int index) {
  const RECT window = WindowRect(engine.Handle());
  const TRect b = engine.CaptionButton(index).Bounds;
  return RECT{window.left + b.left, window.top + b.top, window.left + b.right,
              window.top + b.bottom};
}

POINT Centre(const RECT& r) {
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

double CellShare(const TBitmap& shot, const TDataSkinSysButton& button, int cell) {
  const int frames = button.Frame < 1 ? 1 : button.Frame;
  const int w = button.Bitmap.Width() / frames;
  long drawn = 0, same = 0;
  for (int y = 0; y < std::min(shot.Height(), button.Bitmap.Height()); ++y) {
    for (int x = 0; x < std::min(shot.Width(), w); ++x) {
      const TColor want = button.Bitmap.Pixel((cell - 1) * w + x, y);
      if (want == clFuchsia) continue;
      ++drawn;
      const TColor got = shot.Pixel(x, y);
      if (std::abs(RedOf(want) - RedOf(got)) <= 4 && std::abs(GreenOf(want) - GreenOf(got)) <= 4 &&
          std::abs(BlueOf(want) - BlueOf(got)) <= 4) {
        ++same;
      }
    }
  }
  return drawn ? static_cast<double>(same) / static_cast<double>(drawn) : 0;
}
