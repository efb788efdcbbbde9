#pragma once
// Which dialogs a test's window asks: answers from the test's queues, the
// system's own (for the test to drive), or those with the old folder browser
// in place of the folder picker.
enum class TPickers { Answered, System, SystemFolderBrowser };

// The real main window with the user's answers given by the test: the file
// and folder dialogs answer from queues (or the system's own dialogs are
// shown for the test to drive), message boxes are
// recorded and answered with `answer` (or, with `system_boxes`, shown), and
// the taskbar button's progress is recorded.
// Stand-in helpers (scriptchild.exe copied as mplayer.exe and ffmpeg.exe)
// let a test script what the probe and the encoder print and do.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Main.h"
#include "app/StoredSkins.h"
#include "app/TaskbarProgress.h"
#include "framework/Application.h"
#include "framework/BmpWriter.h"
#include "framework/Unicode.h"
#include "tests/wine/support/ScreenCapture.h"
#include "tests/wine/support/WineTestSupport.h"

// One call the window made on its taskbar button, as text: "state 2" or
// "value 1500/3000".
class TRecordingTaskbar : public TTaskbarProgress {
 public:
  explicit TRecordingTaskbar(std::vector<std::string>& log) : log_(log) {}
  void SetState(TBPFLAG state) override { log_.push_back("state " + std::to_string(state)); }
  void SetValue(ULONGLONG completed, ULONGLONG total) override {
    log_.push_back("value " + std::to_string(completed) + "/" + std::to_string(total));
  }

 private:
  std::vector<std::string>& log_;
};

class TMainWindowHarness {
 public:
  explicit TMainWindowHarness(TPickers pickers = TPickers::Answered, bool system_boxes = false) {
    app.Initialize();
    TMainDialogs dialogs;
    if (pickers == TPickers::Answered) AnswerPickers(dialogs);
    if (pickers == TPickers::SystemFolderBrowser) {
      dialogs.PickSourceFolder = dialogs.PickOutputFolder =
          [](HWND owner, const std::wstring& title, const std::wstring& start) {
            return BrowseForFolder(owner, title, start, false);
          };
    }
    if (!system_boxes) {
      dialogs.MessageBox = [this](HWND, const std::wstring& text, UINT) {
        messages.push_back(text);
        if (on_message) on_message(text);
        return answer;
      };
    }
    dialogs.Taskbar = [this](HWND) -> std::unique_ptr<TTaskbarProgress> {
      if (!taskbar_present) return nullptr;
      return std::make_unique<TRecordingTaskbar>(taskbar_calls);
    };
    form = &OwnedComponent<TFrmMain>(app, *skins, std::move(dialogs));
    form->Show();
  }

  void AnswerPickers(TMainDialogs& dialogs) {
    dialogs.PickSourceFiles = [this](HWND) {
      if (picks.empty()) return std::vector<std::wstring>();
      std::vector<std::wstring> next = picks.front();
      picks.pop_front();
      return next;
    };
    dialogs.PickSourceFolder = [this](HWND, const std::wstring&, const std::wstring& start) {
      picker_starts.push_back(start);
      if (source_folders.empty()) return std::wstring();
      std::wstring next = source_folders.front();
      source_folders.pop_front();
      return next;
    };
    dialogs.PickOutputFolder = [this](HWND, const std::wstring& title, const std::wstring& start) {
      folder_titles.push_back(title);
      picker_starts.push_back(start);
      return chosen_folder;
    };
  }

  // "新增" with these files chosen in the dialog.
  void AddFiles(const std::vector<std::wstring>& paths) {
    picks.push_back(paths);
    form->btnAdd->Click();
  }
  // "添加目录" with this folder chosen in the browser.
  void AddFolder(const std::wstring& folder) {
    source_folders.push_back(folder);
    form->btnAddFolder->Click();
  }
  std::wstring Row(int i, int column = 0) {
    TListItem item = form->lvwFiles->RequestItem(i);
    if (column == 0) return item.Caption;
    return column - 1 < static_cast<int>(item.SubItems.size())
               ? item.SubItems[static_cast<size_t>(column - 1)]
               : L"<none>";
  }
  std::vector<std::wstring> Rows() {
    std::vector<std::wstring> rows;
    for (int i = 0; i < form->lvwFiles->ItemCount(); ++i) rows.push_back(Row(i));
    return rows;
  }

  // The skin environment outlives the application and its windows.
  std::unique_ptr<TSkinEnvironment> skins = MakeProgramSkinEnvironment(L"Tonmill");
  TApplication app{nullptr};
  TFrmMain* form = nullptr;
  std::deque<std::vector<std::wstring>> picks;
  std::deque<std::wstring> source_folders;
  std::wstring chosen_folder;
  std::vector<std::wstring> folder_titles;
  // Where each folder picker was asked to open, in order.
  std::vector<std::wstring> picker_starts;
  std::vector<std::wstring> messages;
  // Called with each recorded message box's text (a test may make it fail).
  std::function<void(const std::wstring&)> on_message;
  int answer = IDOK;
  bool taskbar_present = true;
  std::vector<std::string> taskbar_calls;
};

inline bool FileExists(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool FolderExists(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Saves what the screen shows of `window` as <name>.bmp in the folder named
// by TONMILL_SHOTS (nothing without it), for a person to look at.
inline void SaveShot(HWND window, const std::string& name) {
  const char* dir = std::getenv("TONMILL_SHOTS");
  RECT rect{};
  if (!dir || !*dir || !GetWindowRect(window, &rect)) return;
  const std::vector<std::uint8_t> bytes = WriteBmp(Capture(rect));
  std::ofstream file(std::string(dir) + "\\" + name + ".bmp", std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// Writes `text` (UTF-8) to `path`, making the folders on the way.
inline void WriteTextFile(const std::wstring& path, const std::string& text) {
  for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  std::ofstream file(path.c_str(), std::ios::binary);
  file << text;
}
