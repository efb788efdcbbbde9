// scriptchild.exe: a console program that behaves as its arguments say, so
// the runner tests can produce exact output with exact pauses. Each argument
// is one step:
//   out:TEXT   write TEXT to standard output (escapes \r \n \0 \\ \xHH)
//   err:TEXT   the same on standard error
//   sleep:MS   pause
//   bulk:N     write N bytes of numbered lines ("line 0000001\n", 13 bytes each)
//   pid        write "pid=<process id>\n"
//   write:N    write N bytes to the output file (see below)
//   exit:CODE  end with that exit code (the default is 0)
//   count:NAME count this run among the runs of NAME that go at once: the
//              shared memory "Local\\NAME" holds two 32-bit counters, the
//              runs going now and the most that went at once
//   meet:N     wait (up to 5 s) until N runs of the name counted last go at once
//   uncount    this run no longer goes among those of the name counted last
//              (it has done its work; what follows is its answer)
//   enc:STEP   perform STEP only as the encoder (when an output file is named)
// Copied as mplayer.exe or ffmpeg.exe it stands in for the probe or the
// encoder, whose command lines the main window fixes: an argument that names
// an existing file ending in ".wma" holds further steps, one per line, and
// the last argument ending in ".mp3" is the output file.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Win32Handles.h"

namespace {

void WriteAll(HANDLE h, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    if (!WriteFile(h, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &wrote,
                   nullptr) ||
        wrote == 0) {
      return;
    }
    done += wrote;
  }
}

std::string Unescape(const std::wstring& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\\' && i + 1 < text.size()) {
      const wchar_t n = text[++i];
      if (n == L'r') {
        out.push_back('\r');
      } else if (n == L'n') {
        out.push_back('\n');
      } else if (n == L'0') {
        out.push_back('\0');
      } else if (n == L'x' && i + 2 < text.size()) {
        out.push_back(static_cast<char>(std::wcstol(text.substr(i + 1, 2).c_str(), nullptr, 16)));
        i += 2;
      } else {
        out.push_back(static_cast<char>(n));
      }
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

std::string NumberedLines(long long bytes) {
  std::string out;
  out.reserve(static_cast<size_t>(bytes));
  char line[32];
  long long n = 0;
  while (static_cast<long long>(out.size()) + 13 <= bytes) {
    wsprintfA(line, "line %07d\n", static_cast<int>(++n));
    out += line;
  }
  while (static_cast<long long>(out.size()) < bytes) out.push_back('.');
  return out;
}

bool EndsWithNoCase(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() &&
         CompareStringOrdinal(text.c_str() + text.size() - tail.size(),
                              static_cast<int>(tail.size()), tail.c_str(),
                              static_cast<int>(tail.size()), TRUE) == CSTR_EQUAL;
}

// The steps of a script file, one per line (UTF-8).
std::vector<std::wstring> ScriptSteps(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  std::vector<std::wstring> steps;
  std::string line;
  while (std::getline(text, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::wstring wide(line.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, line.data(),
                                                        static_cast<int>(line.size()), wide.data(),
                                                        static_cast<int>(wide.size()))));
    steps.push_back(wide);
  }
  return steps;
}

// Counts the runs of one name that go at once, in memory the test keeps open
// to read the most; the count drops when the run ends by itself.
class TRunCounter {
 public:
  explicit TRunCounter(const std::wstring& name)
      : mapping_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 8,
                                    (L"Local\\" + name).c_str())) {
    if (mapping_)
      counters_ = static_cast<LONG*>(MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, 8));
    if (!counters_) return;
    const LONG now = InterlockedIncrement(&counters_[0]);
    for (LONG most = counters_[1]; now > most; most = counters_[1]) {
      if (InterlockedCompareExchange(&counters_[1], now, most) == most) break;
    }
  }
  // Waits until `n` runs go at once, or five seconds have passed.
  void Meet(LONG n) const {
    for (int waited = 0; counters_ && counters_[0] < n && waited < 5000; waited += 5) Sleep(5);
  }
  ~TRunCounter() {
    if (!counters_) return;
    InterlockedDecrement(&counters_[0]);
    UnmapViewOfFile(counters_);
  }
  TRunCounter(const TRunCounter&) = delete;
  TRunCounter& operator=(const TRunCounter&) = delete;

 private:
  THandle mapping_;
  LONG* counters_ = nullptr;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  int code = 0;
  std::vector<std::wstring> steps;
  std::wstring output_file;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    const DWORD attributes = GetFileAttributesW(arg.c_str());
    if (EndsWithNoCase(arg, L".wma") && attributes != INVALID_FILE_ATTRIBUTES &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      const std::vector<std::wstring> more = ScriptSteps(arg);
      steps.insert(steps.end(), more.begin(), more.end());
    } else if (EndsWithNoCase(arg, L".mp3")) {
      output_file = arg;
    } else {
      steps.push_back(arg);
    }
  }
  std::vector<std::unique_ptr<TRunCounter>> counters;
  for (std::wstring step : steps) {
    if (step.rfind(L"enc:", 0) == 0) {
      if (output_file.empty()) continue;
      step = step.substr(4);
    }
    if (step.rfind(L"count:", 0) == 0) {
      counters.push_back(std::make_unique<TRunCounter>(step.substr(6)));
    } else if (step == L"uncount") {
      if (!counters.empty()) counters.pop_back();
    } else if (step.rfind(L"meet:", 0) == 0) {
      if (!counters.empty()) counters.back()->Meet(std::wcstol(step.c_str() + 5, nullptr, 10));
    } else if (step.rfind(L"out:", 0) == 0) {
      WriteAll(out, Unescape(step.substr(4)));
    } else if (step.rfind(L"err:", 0) == 0) {
      WriteAll(err, Unescape(step.substr(4)));
    } else if (step.rfind(L"sleep:", 0) == 0) {
      Sleep(static_cast<DWORD>(std::wcstoul(step.c_str() + 6, nullptr, 10)));
    } else if (step.rfind(L"bulk:", 0) == 0) {
      WriteAll(out, NumberedLines(std::wcstoll(step.c_str() + 5, nullptr, 10)));
    } else if (step == L"pid") {
      WriteAll(out, "pid=" + std::to_string(GetCurrentProcessId()) + "\n");
    } else if (step.rfind(L"write:", 0) == 0 && !output_file.empty()) {
      const THandle file(CreateFileW(output_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
      if (file) WriteAll(file.Get(), std::string(std::wcstoul(step.c_str() + 6, nullptr, 10), 'm'));
    } else if (step.rfind(L"exit:", 0) == 0) {
      code = static_cast<int>(std::wcstol(step.c_str() + 5, nullptr, 10));
    }
  }
  return code;
}
