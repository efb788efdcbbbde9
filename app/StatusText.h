#pragma once
// The texts the main window puts together from counts, names and paths while
// it adds files and converts them. Win32-free, like the other text rules.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

// "正在读取 k/n：" and the file's name, while an add reads file k of n.
std::wstring ReadingText(std::size_t k, std::size_t n, const std::wstring& path);

// "正在查找：n 个文件" while the folders of an add are walked.
std::wstring SearchingText(std::size_t found);

// The box about an add that failed part way ("内存不足" for `reason` when
// memory ran out); the files added before the failure stay in the list.
std::wstring AddFailedText(const std::wstring& reason);

// "已跳过 m 个非 WMA 文件" after an add that left files out; "" for none.
std::wstring SkippedText(std::size_t skipped);

// The row of a job whose encoder runs: "转换中", and its percentage once the
// encoder has said how far it is ("转换中 37%"); `seconds` of `duration`,
// -1 before the first report. A job without a known length shows no
// percentage.
std::wstring ConvertingRowText(int seconds, int duration);

// The status line of a batch that runs several encoders at once:
// "正在转换：已完成 d/n 个文件，r 个进行中".
std::wstring BatchProgressText(std::size_t done, std::size_t total, std::size_t running);

// "转换完成", or "转换完成（失败 m 个）" when m jobs of the batch failed.
std::wstring BatchDoneText(std::size_t failed);

// The boxes about a helper program beside Tonmill.exe: it is not there, or it
// is there but cannot be started. Both name the file and its full path.
// `consequence` is a sentence on what happens without it.
std::wstring MissingHelperText(const std::wstring& name, const std::wstring& path,
                               const std::wstring& consequence);
std::wstring HelperStartText(const std::wstring& name, const std::wstring& path,
                             const std::wstring& consequence);

// The box about a folder that could not be read while adding its files.
std::wstring FolderReadErrorText(const std::wstring& folder);

// The paths of a file-open dialog's multiple selection. The buffer holds
// NUL-separated strings ending at an empty one: a single full path, or the
// folder followed by the names chosen in it.
std::vector<std::wstring> SplitFileSelection(std::wstring_view buffer);

// Whether the path's name ends in ".wma" in any case of the letters.
bool HasWmaExtension(std::wstring_view path);

}  // namespace converter
