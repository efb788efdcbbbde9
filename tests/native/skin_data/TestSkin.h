#pragma once
// Skin packages made by the tests: bitmaps written with the BMP writer and a
// definition text, packed in memory (TSkinArchiveWriter) or written to a
// folder for the skinpack tool. Also a test environment for TSkinData with
// a recording manager and a platform whose answers the test chooses.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/BmpWriter.h"
#include "skin/data/RecordingSkinManager.h"
#include "skin/data/SkinEnvironment.h"

class TSkinData;

class TTestSkin {
 public:
  // The definition, stored as "skin.ini".
  TTestSkin& Ini(std::string text);
  TTestSkin& Bitmap(const std::string& name, const TBitmap& bitmap,
                    const TBmpWriteOptions& options = {});
  TTestSkin& File(const std::string& name, std::vector<std::uint8_t> bytes);

  // The compressed package, packed in memory.
  std::vector<std::uint8_t> Package() const;
  // Writes every file into `dir` (made if missing).
  void WriteFolder(const std::string& dir) const;

 private:
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files_;
};

// A strip of `cells` cells of cell_width x height; cell k (from 1) is
// filled with CellColour(seed, k) and has a magenta top-left pixel.
TBitmap Strip(int seed, int cells, int cell_width, int height);
TColor CellColour(int seed, int cell);

// Keeps the messages meant for the user.
class TCollectingSink : public TSkinMessageSink {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// The platform of the tests: the portable one with answers to choose.
class TTestPlatform : public TPortableSkinPlatform {
 public:
  bool HasScrollBarInfo() const override { return scroll_bar_info; }
  int ScrollArrowWidth() const override { return scroll_arrow_width; }
  void CaptureApplicationIcon(TBitmap& out) const override { out = icon; }
  TSkinMessageSink* Messages() const override { return &sink; }

  bool scroll_bar_info = true;
  int scroll_arrow_width = 17;
  TBitmap icon;
  mutable TCollectingSink sink;
};

// An environment whose manager records what it is asked.
class TTestEnvironment {
 public:
  TTestEnvironment();
  TSkinEnvironment& Get() { return environment_; }
  TTestPlatform& Platform() { return *platform_; }
  // Null until a component has started.
  TRecordingSkinManager* Manager() const {
    return static_cast<TRecordingSkinManager*>(environment_.Manager());
  }

 private:
  TTestPlatform* platform_;
  TSkinEnvironment environment_;
};

// Loads `package` into `data` through its stored "SkinStream" value.
void LoadPackage(TSkinData& data, const std::vector<std::uint8_t>& package);

// The test skin with every section the skin data reads, bitmaps of several
// depths and codings, and the definition text.
TTestSkin CompleteTestSkin();
