#include "app/SourceCollector.h"

#include <windows.h>

#include <algorithm>

#include "app/FileNameOrder.h"
#include "app/StatusText.h"

namespace {

// Closes a FindFirstFileW search when the listing of one folder is done.
class TFindHandle {
 public:
  explicit TFindHandle(HANDLE h) : h_(h) {}
  ~TFindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  TFindHandle(const TFindHandle&) = delete;
  TFindHandle& operator=(const TFindHandle&) = delete;
  HANDLE Get() const { return h_; }
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

bool IsFolder(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring WithBackslash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder.push_back(L'\\');
  return folder;
}

class TFolderWalk {
 public:
  TFolderWalk(TCollectedSources& out, const TCollectOptions& options)
      : out_(out), options_(options) {}

  // Adds the WMA files below `folder` (sorted) to the output; false when a
  // folder could not be listed or the walk was stopped.
  bool Walk(const std::wstring& folder) {
    std::vector<std::wstring> found;
    if (!List(WithBackslash(folder), found)) return false;
    std::sort(found.begin(), found.end(), PathLess);
    out_.files.insert(out_.files.end(), found.begin(), found.end());
    return true;
  }

 private:
  bool KeepGoing(const std::vector<std::wstring>& found) {
    if (!options_.keep_going || options_.keep_going(out_.files.size() + found.size())) return true;
    out_.stopped = true;
    return false;
  }

  bool List(const std::wstring& folder, std::vector<std::wstring>& found) {
    if (!KeepGoing(found)) return false;
    WIN32_FIND_DATAW entry{};
    TFindHandle find(FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &entry,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find.Valid()) {
      out_.unreadable_folder = folder;
      return false;
    }
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      if (!KeepGoing(found)) return false;
      const std::wstring path = folder + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        // A link to a folder can lead back up the tree; it is not followed.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        if (!List(path + L"\\", found)) return false;
      } else if (converter::HasWmaExtension(name)) {
        found.push_back(path);
      } else {
        ++out_.skipped;
      }
    } while (FindNextFileW(find.Get(), &entry));
    if (GetLastError() != ERROR_NO_MORE_FILES) {
      out_.unreadable_folder = folder;
      return false;
    }
    return true;
  }

  TCollectedSources& out_;
  const TCollectOptions& options_;
};

bool ChosenAsFolder(const std::wstring& path) {
  // A path that ends in a backslash was chosen as a folder, even when it
  // is gone by now (then it cannot be read).
  return IsFolder(path) || (!path.empty() && path.back() == L'\\');
}

}  // namespace

bool HasFolders(const std::vector<std::wstring>& chosen) {
  return std::any_of(chosen.begin(), chosen.end(), ChosenAsFolder);
}

TCollectedSources CollectSources(const std::vector<std::wstring>& chosen,
                                 const TCollectOptions& options) {
  TCollectedSources out;
  TFolderWalk walk(out, options);
  for (const std::wstring& path : chosen) {
    if (ChosenAsFolder(path)) {
      if (!walk.Walk(path)) return out;
    } else if (!options.filter_chosen_files || converter::HasWmaExtension(path)) {
      // A file that vanished since it was chosen is still taken: the probe
      // then finds no length, as for a single add.
      out.files.push_back(path);
    } else {
      ++out.skipped;
    }
  }
  return out;
}
