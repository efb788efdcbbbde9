// package_driver.exe: uses an unpacked release of Tonmill as a person would
// and converts one file with it. It starts Tonmill.exe (from a working folder
// elsewhere, so the program must find its helpers beside itself), adds the
// file through the file dialog, picks the output folder in the folder
// browser, presses 立即转换 and waits for the batch to end, then closes the
// program.
//   package_driver.exe TONMILL_EXE SOURCE_WMA OUTPUT_FOLDER
// Exits 0 when the job ended "完成" and the MP3 file is there.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ConverterText.h"
#include "framework/Unicode.h"
#include "framework/Win32Handles.h"
#include "tests/wine/app/DialogDriver.h"

namespace {

using namespace std::chrono_literals;
namespace dd = dialog_driver;

int Fail(const std::string& why) {
  std::fprintf(stderr, "package_driver: %s\n", why.c_str());
  return 1;
}

// Sends a command and waits until it has been handled (or a while has passed),
// so that what is typed next is not taken before it.
void SendOk(HWND dialog) {
  SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)), SMTO_NORMAL, 10000,
                      nullptr);
}

bool ChooseFile(DWORD pid, const std::wstring& file) {
  HWND dialog = dd::WaitForDialog(pid, 30s);
  if (!dialog) return false;
  const size_t slash = file.find_last_of(L'\\');
  if (!dd::TypeFileName(dialog, file.substr(0, slash + 1))) return false;
  SendOk(dialog);
  if (!dd::TypeFileName(dialog, file.substr(slash + 1))) return false;
  dd::PressOk(dialog);
  return dd::WaitUntil([&] { return !IsWindow(dialog); }, 10s);
}

// The folder picker (it lists the folder's contents) takes a typed path; the
// older folder browser, where the picker is missing, a folder selected in its
// tree.
bool ChooseFolder(DWORD pid, HANDLE process, const std::wstring& folder) {
  HWND dialog = dd::WaitForDialog(pid, 30s);
  if (!dialog) return false;
  const bool picker =
      dd::FindChild(dialog, [](HWND h) { return dd::ClassOf(h) == L"SysListView32"; }) != nullptr;
  if (picker ? !dd::TypeFileName(dialog, folder) : !dd::SelectFolder(dialog, folder, process)) {
    return false;
  }
  dd::PressOk(dialog);
  return dd::WaitUntil([&] { return !IsWindow(dialog); }, 10s);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return Fail("usage: package_driver TONMILL_EXE SOURCE_WMA OUTPUT_FOLDER");
  const std::wstring exe = argv[1];
  const std::wstring source = argv[2];
  std::wstring output = argv[3];
  if (output.back() != L'\\') output.push_back(L'\\');
  CreateDirectoryW(output.c_str(), nullptr);

  // Started from the Windows folder, not its own: the helpers are found
  // beside the program or not at all.
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, windows,
                      &startup, &info)) {
    return Fail("cannot start " + WideToUtf8(exe));
  }
  const THandle process(info.hProcess), thread(info.hThread);
  const DWORD pid = info.dwProcessId;

  HWND main = nullptr;
  dd::WaitUntil(
      [&] {
        main = dd::FindTopWindow(pid,
                                 [](HWND h) { return dd::TextOf(h).rfind(L"Tonmill v", 0) == 0; });
        return main != nullptr;
      },
      60s);
  if (!main) {
    TerminateProcess(process.Get(), 1);
    return Fail("the main window did not appear");
  }
  HWND add = dd::FindChildByText(main, L"新增");
  HWND folder = dd::FindChildByText(main, L"设置输出目录");
  HWND convert = dd::FindChildByText(main, L"立即转换");
  HWND list = dd::FindChild(main, [](HWND h) { return dd::ClassOf(h) == WC_LISTVIEWW; });
  HWND info_label = dd::FindChildByText(main, L"准备就绪");
  if (!add || !folder || !convert || !list || !info_label) {
    TerminateProcess(process.Get(), 1);
    return Fail("the main window's controls were not found");
  }

  int result = 0;
  dd::Click(add);
  if (!ChooseFile(pid, source)) {
    result = Fail("the file dialog did not take the file");
  } else if (!dd::WaitUntil(
                 [&] {
                   // The row shows while the file is read; the add is over
                   // when the window is ready again.
                   return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 1 &&
                          dd::TextOf(info_label) == L"准备就绪";
                 },
                 60s)) {
    result = Fail("the file was not added");
  } else {
    dd::Click(folder);
    if (!ChooseFolder(pid, process.Get(), output)) {
      result = Fail("the folder picker did not take the folder");
    } else {
      dd::Click(convert);
      const bool ended =
          dd::WaitUntil([&] { return dd::TextOf(info_label).rfind(L"转换完成", 0) == 0; }, 120s);
      const std::wstring info_text = dd::TextOf(info_label);
      const std::wstring mp3 =
          output + converter::ChangeFileExt(converter::ExtractFileName(source), L".mp3");
      const DWORD attributes = GetFileAttributesW(mp3.c_str());
      if (!ended || info_text != L"转换完成") {
        result = Fail("the batch ended with \"" + WideToUtf8(info_text) + "\"");
      } else if (attributes == INVALID_FILE_ATTRIBUTES) {
        result = Fail(WideToUtf8(mp3) + " was not written");
      } else {
        std::printf("package_driver: converted %s\n", WideToUtf8(mp3).c_str());
      }
    }
  }
  // Close any dialog still open, then the program, as a person would.
  if (HWND left = dd::FindTopWindow(pid, [](HWND h) { return dd::ClassOf(h) == L"#32770"; })) {
    PostMessageW(left, WM_COMMAND, IDCANCEL, 0);
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.Get(), 20000) != WAIT_OBJECT_0) {
    TerminateProcess(process.Get(), 1);
    if (result == 0) result = Fail("the program did not end when closed");
  }
  return result;
}
