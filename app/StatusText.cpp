#include "app/StatusText.h"

#include "app/ConverterText.h"

namespace converter {

std::wstring ReadingText(std::size_t k, std::size_t n, const std::wstring& path) {
  return L"正在读取 " + std::to_wstring(k) + L"/" + std::to_wstring(n) + L"：" +
         ExtractFileName(path);
}

std::wstring SearchingText(std::size_t found) {
  return L"正在查找：" + std::to_wstring(found) + L" 个文件";
}

std::wstring AddFailedText(const std::wstring& reason) {
  return L"添加文件时出错：" + reason + L"\r\n\r\n" + L"已经加入的文件仍在列表中。";
}

std::wstring SkippedText(std::size_t skipped) {
  if (skipped == 0) return L"";
  return L"已跳过 " + std::to_wstring(skipped) + L" 个非 WMA 文件";
}

std::wstring ConvertingRowText(int seconds, int duration) {
  const std::wstring converting = L"转换中";
  if (seconds < 0 || duration <= 0) return converting;
  const long long clamped = seconds > duration ? duration : seconds;
  return converting + L" " + std::to_wstring(clamped * 100 / duration) + L"%";
}

std::wstring BatchProgressText(std::size_t done, std::size_t total, std::size_t running) {
  return L"正在转换：已完成 " + std::to_wstring(done) + L"/" + std::to_wstring(total) +
         L" 个文件，" + std::to_wstring(running) + L" 个进行中";
}

std::wstring BatchDoneText(std::size_t failed) {
  const std::wstring done = L"转换完成";
  if (failed == 0) return done;
  return done + L"（失败 " + std::to_wstring(failed) + L" 个）";
}

std::wstring MissingHelperText(const std::wstring& name, const std::wstring& path,
                               const std::wstring& consequence) {
  return L"找不到 " + name + L"：" + path + L"\r\n\r\n" + consequence;
}

std::wstring HelperStartText(const std::wstring& name, const std::wstring& path,
                             const std::wstring& consequence) {
  return L"无法启动 " + name + L"：" + path + L"\r\n\r\n" + consequence;
}

std::wstring FolderReadErrorText(const std::wstring& folder) {
  return L"无法读取目录：" + folder + L"\r\n\r\n" + L"没有加入任何文件。";
}

std::vector<std::wstring> SplitFileSelection(std::wstring_view buffer) {
  std::vector<std::wstring> parts;
  size_t at = 0;
  while (at < buffer.size()) {
    const size_t end = buffer.find(L'\0', at);
    const std::wstring_view part =
        buffer.substr(at, end == std::wstring_view::npos ? std::wstring_view::npos : end - at);
    if (part.empty()) break;
    parts.emplace_back(part);
    if (end == std::wstring_view::npos) break;
    at = end + 1;
  }
  if (parts.size() <= 1) return parts;
  // The folder, then the names in it.
  std::wstring folder = parts.front();
  if (folder.back() != L'\\') folder.push_back(L'\\');
  std::vector<std::wstring> paths;
  for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
  return paths;
}

bool HasWmaExtension(std::wstring_view path) {
  static constexpr std::wstring_view kExt = L".wma";
  if (path.size() < kExt.size()) return false;
  const std::wstring_view tail = path.substr(path.size() - kExt.size());
  for (size_t i = 0; i < kExt.size(); ++i) {
    wchar_t c = tail[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != kExt[i]) return false;
  }
  return true;
}

}  // namespace converter
