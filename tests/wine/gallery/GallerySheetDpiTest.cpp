// The gallery's contact sheet at the screen's DPI (the suite runs at 96
// and at 192 DPI, where the window shows only part of the content's width
// and height): the sheet is the box's content at its scaled size with the
// window's frame round it, every part of it as the live window shows it
// when scrolled there, and none of the box's scroll bars in it.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/Dpi.h"
#include "framework/Unicode.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GallerySheet.h"
#include "tools/gallery/PngFile.h"

namespace {

// The share of the pixels of `live` (a screen capture) that the sheet shows
// alike from (x, y) on; parts outside the sheet count as unlike.
double SheetShare(const TPngPixels& sheet, int x, int y, const TBitmap& live) {
  int alike = 0;
  for (int row = 0; row < live.Height(); ++row) {
    for (int column = 0; column < live.Width(); ++column) {
      const int sx = x + column, sy = y + row;
      if (sx < 0 || sy < 0 || sx >= sheet.width || sy >= sheet.height) continue;
      const std::uint8_t* p = &sheet.bgr[(static_cast<size_t>(sy) * sheet.width + sx) * 3];
      const TColor c = live.Pixel(column, row);
      if (std::abs(p[2] - (c & 0xFF)) <= 8 && std::abs(p[1] - ((c >> 8) & 0xFF)) <= 8 &&
          std::abs(p[0] - ((c >> 16) & 0xFF)) <= 8) {
        ++alike;
      }
    }
  }
  const int all = live.Width() * live.Height();
  return all ? static_cast<double>(alike) / all : 0.0;
}

// Whether the sheet holds `block` exactly anywhere inside `area` (sheet
// pixels).
bool SheetHolds(const TPngPixels& sheet, const RECT& area, const TBitmap& block) {
  const auto same_at = [&](int x, int y) {
    for (int row = 0; row < block.Height(); ++row) {
      for (int column = 0; column < block.Width(); ++column) {
        const std::uint8_t* p =
            &sheet.bgr[(static_cast<size_t>(y + row) * sheet.width + x + column) * 3];
        const TColor c = block.Pixel(column, row);
        if (p[2] != (c & 0xFF) || p[1] != ((c >> 8) & 0xFF) || p[0] != ((c >> 16) & 0xFF)) {
          return false;
        }
      }
    }
    return true;
  };
  const int right = std::min<int>(area.right, sheet.width) - block.Width();
  const int bottom = std::min<int>(area.bottom, sheet.height) - block.Height();
  for (int y = std::max<int>(area.top, 0); y <= bottom; ++y) {
    for (int x = std::max<int>(area.left, 0); x <= right; ++x) {
      if (same_at(x, y)) return true;
    }
  }
  return false;
}

bool ManyColours(const TBitmap& block) {
  for (int y = 0; y < block.Height(); ++y) {
    for (int x = 0; x < block.Width(); ++x) {
      if (block.Pixel(x, y) != block.Pixel(0, 0)) return true;
    }
  }
  return false;
}

class GallerySheetAtDpiTest : public SkinEngineTest {
 protected:
  GallerySheetAtDpiTest() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tonmill-sheet-dpi-" + std::to_wstring(GetCurrentProcessId());
  }
  ~GallerySheetAtDpiTest() override {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder_ + L"\\*.png").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileW((folder_ + L"\\" + found.cFileName).c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(folder_.c_str());
  }

  void Open(int skin) {
    TGalleryStart start;
    start.stored = skin;
    form_ = &OwnedComponent<TGalleryForm>(App(), Environment(), start);
    form_->Show();
    ASSERT_TRUE(WaitSkinned(form_->Handle()));
    for (int i = 0; i < form_->ControlCount() && !box_; ++i) {
      box_ = dynamic_cast<TScrollBox*>(form_->Controls(i));
    }
    ASSERT_NE(box_, nullptr);
  }

  // The box's child group box with `caption`.
  TWinControl* Group(const std::wstring& caption) const {
    for (int i = 0; i < box_->ControlCount(); ++i) {
      auto* group = dynamic_cast<TGroupBox*>(box_->Controls(i));
      if (group && group->Caption() == caption) return group;
    }
    return nullptr;
  }

  // Whether the box scrolled to `units` shows its children without
  // rounding: a whole number of pixels, and no child that starts between
  // two pixels cut by the box's edge (such a child would move by a pixel
  // more or less than the rest).
  bool ShowsWhole(int units, bool across) const {
    const int dpi = WindowDpi(box_->Handle());
    if (units * dpi % kDefaultDpi != 0) return false;
    for (int i = 0; i < box_->ControlCount(); ++i) {
      const TWinControl& c = *box_->Controls(i);
      const int start = across ? c.Left() + box_->HorzPosition() : c.Top() + box_->VertPosition();
      const int end = start + (across ? c.Width() : c.Height());
      if (start < units && units < end && start * dpi % kDefaultDpi != 0) return false;
    }
    return true;
  }

  // Scrolls the box to (x, y) units, as far as it goes and back to where
  // it shows its children without rounding, and answers what it shows.
  TBitmap ShowAt(int x, int y) {
    box_->ScrollTo(x, y);
    x = box_->HorzPosition();
    y = box_->VertPosition();
    while (x > 0 && !ShowsWhole(x, true)) --x;
    while (y > 0 && !ShowsWhole(y, false)) --y;
    box_->ScrollTo(x, y);
    RedrawWindow(form_->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(200);
    return Capture(ClientScreenRect(box_->Handle()));
  }

  TGalleryForm* form_ = nullptr;
  TScrollBox* box_ = nullptr;
  std::wstring folder_;
};

TEST_F(GallerySheetAtDpiTest, TheSheetIsTheWholeScaledContentAsTheWindowShowsItWithoutScrollBars) {
  // Nightfall, a dark skin (the pieces join alike under any).
  Open(1);
  if (HasFatalFailure()) return;
  const HWND window = form_->Handle();
  const int dpi = WindowDpi(window);
  ASSERT_EQ(WriteContactSheets(App(), *form_, folder_, {L"nightfall"}), 0);
  const std::wstring path = folder_ + L"\\sheet-nightfall.png";
  TPngPixels sheet;
  ASSERT_TRUE(ReadPngFile(path, sheet));
  if (const char* shots = std::getenv("TONMILL_SHOTS"); shots && *shots) {
    CopyFileW(path.c_str(),
              (Utf8ToWide(shots) + L"\\sheet-" + std::to_wstring(dpi) + L"-nightfall.png").c_str(),
              FALSE);
  }

  // The window as the sheet was taken: the frame, bars and status bars
  // round the box, the box's scroll bars inside its window.
  const RECT outer = WindowRect(window);
  const RECT box = WindowRect(box_->Handle());
  const RECT shown = ClientScreenRect(box_->Handle());
  const int left = shown.left - outer.left, above = shown.top - outer.top;
  const int content_width = ScaleForDpi(TGalleryForm::kContentWidth, dpi);
  const int content_height = ScaleForDpi(TGalleryForm::kContentHeight, dpi);
  EXPECT_EQ(sheet.width, content_width + (outer.right - outer.left) - (box.right - box.left));
  EXPECT_EQ(sheet.height, content_height + (outer.bottom - outer.top) - (box.bottom - box.top));

  // Views of the live window: at the bottom right (the MDI window's
  // group, at the content's right edge), the bottom left (the media
  // player's) and the middle, where the sheet's pieces meet. Each is
  // where the sheet has it, pixel for pixel.
  const struct {
    const wchar_t* group;
    int x, y;
  } views[] = {{L"MDI 窗口", 0, 0},
               {L"媒体播放器", 0, 0},
               {nullptr, TGalleryForm::kContentWidth / 3, TGalleryForm::kContentHeight / 2}};
  for (const auto& view : views) {
    int x = view.x, y = view.y;
    TWinControl* group = nullptr;
    if (view.group) {
      group = Group(view.group);
      ASSERT_NE(group, nullptr) << WideToUtf8(view.group);
      x = group->Left() + box_->HorzPosition() - 8;
      y = group->Top() + box_->VertPosition() - 8;
    }
    const TBitmap live = ShowAt(x, y);
    const int at_x = left + ScaleForDpi(box_->HorzPosition(), dpi);
    const int at_y = above + ScaleForDpi(box_->VertPosition(), dpi);
    SCOPED_TRACE(view.group ? WideToUtf8(view.group) : "the middle");
    EXPECT_GT(SheetShare(sheet, at_x, at_y, live), 0.99)
        << "the box scrolled to " << box_->HorzPosition() << ", " << box_->VertPosition();
    if (group) {
      // The group itself, whole on screen, whole in the sheet.
      const RECT r = WindowRect(group->Handle());
      ASSERT_LE(r.right, shown.right);
      ASSERT_LE(r.bottom, shown.bottom);
      const TBitmap piece = Capture(r);
      EXPECT_GT(SheetShare(sheet, at_x + r.left - shown.left, at_y + r.top - shown.top, piece),
                0.99);
    }
  }

  // The ends of the box's scroll bars (their arrow buttons, as the live
  // window shows them) appear nowhere beside or below the content.
  const RECT beside{left + content_width, 0, sheet.width, sheet.height};
  const RECT below{0, above + content_height, sheet.width, sheet.height};
  std::vector<TBitmap> ends;
  const int across = box.right - shown.right;
  if (across > 0) {
    ends.push_back(Capture({shown.right, shown.top, box.right, shown.top + across}));
    ends.push_back(Capture({shown.right, shown.bottom - across, box.right, shown.bottom}));
  }
  const int high = box.bottom - shown.bottom;
  if (high > 0) {
    ends.push_back(Capture({shown.left, shown.bottom, shown.left + high, box.bottom}));
  }
  ASSERT_FALSE(ends.empty()) << "the window shows only part of the content: it scrolls";
  for (size_t i = 0; i < ends.size(); ++i) {
    ASSERT_TRUE(ManyColours(ends[i])) << "scroll bar end " << i << " is an arrow button";
    EXPECT_FALSE(SheetHolds(sheet, beside, ends[i])) << "scroll bar end " << i << " beside";
    EXPECT_FALSE(SheetHolds(sheet, below, ends[i])) << "scroll bar end " << i << " below";
  }
}

}  // namespace
