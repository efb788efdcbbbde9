// The gallery's contact sheets: SkinGallery.exe --sheet FOLDER writes the
// whole gallery under every stored skin and unskinned as PNG files that
// decode, hold the whole content and differ from each other; a folder that
// cannot be made, or a skin name no skin has, ends it with a failure and a
// message.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wine/support/WineTestSupport.h"
#include "tools/gallery/PngFile.h"

namespace {

const wchar_t* const kSheets[] = {L"meadow",   L"nightfall", L"daylight",
                                  L"contrast", L"ember",     L"none"};

struct TRun {
  DWORD exit_code = 0xFFFFFFFF;
  std::string error_output;
};

// Runs the gallery with `arguments`, its standard error read into the
// result.
TRun RunGallery(const std::wstring& arguments) {
  TRun run;
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return run;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdError = write;
  startup.hStdOutput = write;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::wstring command = Quoted(TestBinDir() + L"SkinGallery.exe") + L" " + arguments;
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(write);
  if (started) {
    // The pipe is read while the gallery runs and until it ends, not until
    // the pipe closes: a process it started (a system service) may hold the
    // pipe's other end long after. A gallery that never ends is ended.
    const auto drain = [&] {
      DWORD available = 0;
      while (PeekNamedPipe(read, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[512];
        DWORD got = 0;
        if (!ReadFile(read, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
        run.error_output.append(buffer, got);
      }
    };
    const ULONGLONG limit = GetTickCount64() + 150000;
    while (WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT) {
      drain();
      if (GetTickCount64() > limit) {
        TerminateProcess(process.hProcess, 0xDEAD);
        WaitForSingleObject(process.hProcess, 5000);
        run.error_output += "\n(the gallery did not end within 150 s)";
        break;
      }
    }
    drain();
    GetExitCodeProcess(process.hProcess, &run.exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(read);
  return run;
}

// Where the sheets go: the folder the build names (beside the skins'
// preview sheets), else one of the test's own.
std::wstring SheetFolder() {
  if (const wchar_t* folder = _wgetenv(L"TONMILL_SHEETS")) return folder;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"tonmill-sheets";
}

TEST(GallerySheet, WritesOneWholeSheetPerSkinAndOneUnskinned) {
  const std::wstring folder = SheetFolder();
  for (const wchar_t* name : kSheets) {
    DeleteFileW((folder + L"\\sheet-" + name + L".png").c_str());
  }
  const TRun run = RunGallery(L"--sheet " + Quoted(folder));
  ASSERT_EQ(run.exit_code, 0u) << run.error_output;
  std::vector<TPngPixels> sheets;
  for (const wchar_t* name : kSheets) {
    TPngPixels pixels;
    ASSERT_TRUE(ReadPngFile(folder + L"\\sheet-" + name + L".png", pixels))
        << "sheet-" << std::string(name, name + wcslen(name)) << ".png";
    // The content's 980 columns with the frame's edges round them (no
    // scroll bar), its 1300 rows with the caption, skin bar and status
    // bars.
    EXPECT_GT(pixels.width, 980);
    EXPECT_LT(pixels.width, 980 + 17);
    EXPECT_GT(pixels.height, 1300 + 40);
    EXPECT_LT(pixels.height, 1300 + 300);
    sheets.push_back(std::move(pixels));
  }
  for (size_t a = 0; a < sheets.size(); ++a) {
    for (size_t b = a + 1; b < sheets.size(); ++b) {
      EXPECT_NE(sheets[a].bgr, sheets[b].bgr) << a << " and " << b << " are the same picture";
    }
  }
  // The content's last rows were scrolled into view: the bottom of the
  // content is not one flat colour.
  for (const TPngPixels& sheet : sheets) {
    const size_t row = static_cast<size_t>(sheet.height - 120) * sheet.width * 3;
    bool varied = false;
    for (int x = 0; x < sheet.width && !varied; ++x) {
      varied = sheet.bgr[row + x * 3] != sheet.bgr[row];
    }
    EXPECT_TRUE(varied);
  }
}

TEST(GallerySheet, AFolderThatCannotBeMadeFailsWithAMessage) {
  // A folder below a file cannot exist.
  const std::wstring file = TestBinDir() + L"SkinGallery.exe";
  const TRun run = RunGallery(L"--sheet " + Quoted(file + L"\\sheets"));
  EXPECT_NE(run.exit_code, 0u);
  EXPECT_NE(run.error_output.find("SkinGallery:"), std::string::npos) << run.error_output;
}

TEST(GallerySheet, ASkinNameNoSkinHasFailsWithAMessageAndWritesNothing) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"tonmill-sheets-named-" + std::to_wstring(GetCurrentProcessId());
  DeleteFileW((folder + L"\\sheet-nightfall.png").c_str());
  const TRun run = RunGallery(L"--sheet " + Quoted(folder) + L" nightfall dusk");
  EXPECT_NE(run.exit_code, 0u);
  EXPECT_NE(run.error_output.find("dusk"), std::string::npos) << run.error_output;
  EXPECT_EQ(GetFileAttributesW((folder + L"\\sheet-nightfall.png").c_str()),
            INVALID_FILE_ATTRIBUTES);
  DeleteFileW((folder + L"\\sheet-nightfall.png").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
