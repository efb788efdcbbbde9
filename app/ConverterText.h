#pragma once
// The converter's text rules, free of Win32 so they can be tested natively:
// the command lines of the duration probe and the encoder, reading the
// duration and the progress out of their output, output file names, and the
// folder levels that are created before a batch. Paths are UTF-16, as the
// program hands them to Windows; program output is 8-bit.
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

// "<exe_dir>mplayer.exe" -msglevel identify=6 -vo none -ao none "<source>" 2>&1 |grep ID_LENGTH
std::wstring ProbeCommandLine(const std::wstring& exe_dir, const std::wstring& source);

// "<exe_dir>ffmpeg.exe" -i "<source>" -y -vn -acodec libmp3lame "<output>"
std::wstring EncoderCommandLine(const std::wstring& exe_dir, const std::wstring& source,
                                const std::wstring& output);

// Whether the probe's output so far holds the duration marker (the text is
// compared in lower case).
bool HasDurationMarker(std::string_view output);

// The duration in whole seconds from the probe's output: the digits and
// dots among the 20 characters after "id_length=" (up to a line break),
// read as a number and truncated toward zero; 0 without a marker or digits.
// Raises EConvertError when the collected text is not a number ("1.2.3").
int ParseDuration(std::string_view output);

// The encoder's progress in seconds from one line of its output, or nothing.
// Our own marker "ffmpeg_release_time=<seconds>=ffmpeg_release_time" wins;
// otherwise the stock encoder's "time=HH:MM:SS.cc" is read, but only when the
// timestamp is whole (two-digit minutes and seconds): an unfinished line may
// end inside it ("time=00:05:3"). A marker whose content is not a number is
// ignored.
std::optional<double> ParseProgressSeconds(std::string_view line);

// Rounds to the nearest integer, halves to the even neighbour (12.5 → 12,
// 13.5 → 14), clamped to the 32-bit range.
int RoundHalfEven(double value);

// The name part of a path (after the last backslash, slash or colon).
std::wstring ExtractFileName(const std::wstring& path);
// Replaces the extension (from the last "." of the name on) by `ext`; a name
// without an extension gets `ext` appended.
std::wstring ChangeFileExt(const std::wstring& path, const std::wstring& ext);

// Orders two file names as the file system compares them: negative, zero
// or positive. The Windows build compares ordinally ignoring case over all of
// Unicode (CompareFileNames in app/FileNameOrder.h).
using TNameCompare = std::function<int(const std::wstring& a, const std::wstring& b)>;

// Output file names for one batch. Re-converting over a file of an earlier
// run is intended, but two jobs of the same batch never write the same file:
// a later job whose name is taken gets "name (2).mp3", "name (3).mp3" ….
// Names are taken as equal when `compare` says so, so "Ärger" and "ärger"
// are one file where the file system says they are.
class TOutputNames {
 public:
  TOutputNames(std::wstring folder, const TNameCompare& compare)
      : folder_(std::move(folder)), used_(TLess{compare}) {}
  std::wstring NameFor(const std::wstring& source);

 private:
  struct TLess {
    TNameCompare compare;
    bool operator()(const std::wstring& a, const std::wstring& b) const {
      return compare(a, b) < 0;
    }
  };
  std::wstring folder_;
  std::set<std::wstring, TLess> used_;
};

// The folder levels to create, in order: the text before each backslash,
// then the whole path. "D:\out\mp3\" → "D:", "D:\out", "D:\out\mp3", "D:\out\mp3\".
std::vector<std::wstring> FolderLevels(const std::wstring& path);

// A chosen folder as the output folder: a backslash is appended when the
// path is longer than 3 characters (a drive root "C:\" stays as it is).
std::wstring OutputFolderFromChoice(const std::wstring& chosen);

// The text of the folder-creation error box.
std::wstring FolderErrorText(const std::wstring& path);

}  // namespace converter
