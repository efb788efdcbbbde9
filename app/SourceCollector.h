#pragma once
// Turns what the user chose or dropped (files and folders) into the list of
// files an add reads, in order: chosen files as they come, each folder
// replaced by the WMA files below it, recursively, sorted by path.
#include <functional>
#include <string>
#include <vector>

struct TCollectedSources {
  std::vector<std::wstring> files;
  std::size_t skipped = 0;         // files left out because they are not WMA
  std::wstring unreadable_folder;  // set when a folder could not be listed
  bool stopped = false;            // `keep_going` said no; the list is partial
};

struct TCollectOptions {
  // Chosen files that are not WMA are left out too (drops); files picked in
  // the file dialog are taken as they are.
  bool filter_chosen_files = false;
  // Asked before each folder is listed and at each entry of a folder, with
  // the number of files taken so far; false stops the walk. The walk may run
  // on a worker thread: then so does this.
  std::function<bool(std::size_t found)> keep_going;
};

// Whether any chosen path is a folder (so collecting means walking it).
bool HasFolders(const std::vector<std::wstring>& chosen);

TCollectedSources CollectSources(const std::vector<std::wstring>& chosen,
                                 const TCollectOptions& options);
