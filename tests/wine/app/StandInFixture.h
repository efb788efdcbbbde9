#pragma once
// A main window whose probe and encoder are stand-ins: scriptchild.exe copied
// into a helper folder as mplayer.exe and ffmpeg.exe, which the window then
// uses in place of the real ones. Each source file holds the steps both
// stand-ins perform for it (see tests/wine/support/ScriptedChild.cpp), so a
// test says exactly what the probe prints and what the encoder writes.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "tests/wine/app/MainWindowHarness.h"

// The steps of a well-behaved source: the probe prints its length, the
// encoder writes a small output file.
inline std::string GoodSource(int seconds, const std::string& extra = "") {
  return extra + "out:ID_LENGTH=" + std::to_string(seconds) + ".50\\n\nwrite:100\n";
}

class StandInTest : public ::testing::Test, public TMainWindowHarness {
 protected:
  explicit StandInTest(TPickers pickers = TPickers::Answered, bool system_boxes = false)
      : TMainWindowHarness(pickers, system_boxes) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // A parameterised test's name ends in "/<index>": no folder level.
    std::string name = info->name();
    for (char& c : name) c = c == '/' ? '-' : c;
    root = std::wstring(temp) + L"tonmill-standins\\" + Utf8ToWide(name) + L"\\";
    RemoveTree(root);
    helpers = root + L"helpers\\";
    WriteTextFile(helpers + L"placeholder", "");
    UseHelpers(true, true);
  }
  ~StandInTest() override { RemoveTree(root); }

  // Puts the stand-in probe and encoder (or not) into the helper folder.
  void UseHelpers(bool probe, bool encoder) {
    const std::wstring child = TestBinDir() + L"scriptchild.exe";
    DeleteFileW((helpers + L"mplayer.exe").c_str());
    DeleteFileW((helpers + L"ffmpeg.exe").c_str());
    if (probe) CopyFileW(child.c_str(), (helpers + L"mplayer.exe").c_str(), FALSE);
    if (encoder) CopyFileW(child.c_str(), (helpers + L"ffmpeg.exe").c_str(), FALSE);
    form->ExeDir = helpers;
  }

  // Writes a source file under the test's folder and returns its path.
  std::wstring Source(const std::wstring& relative, const std::string& steps) {
    const std::wstring path = root + L"src\\" + relative;
    WriteTextFile(path, steps);
    return path;
  }

  static void RemoveTree(const std::wstring& folder) {
    std::wstring from = folder;
    if (!from.empty() && from.back() == L'\\') from.pop_back();
    from.append(2, L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
  }

  std::wstring root;
  std::wstring helpers;
};
