#pragma once
// The texts the main window shows.

namespace texts {
inline constexpr wchar_t kCaption[] = L"Tonmill v2.2 - 联系: tonmill.example.org";
inline constexpr wchar_t kTitle[] = L"Tonmill 2.2 - 联系: tonmill.example.org";
inline constexpr wchar_t kStartPage[] = L"https://tonmill.example.org/ubs10-11.html";

inline constexpr wchar_t kReady[] = L"准备就绪";
inline constexpr wchar_t kConverting[] = L"正在转换 ";
// The status of the row whose encoder run is under way.
inline constexpr wchar_t kConvertingRow[] = L"转换中";
inline constexpr wchar_t kDone[] = L"完成";
inline constexpr wchar_t kFailed[] = L"失败";
inline constexpr wchar_t kStopped[] = L"已停止";
inline constexpr wchar_t kBatchDone[] = L"转换完成";
inline constexpr wchar_t kChooseFolder[] = L"请选择保存的文件夹";
inline constexpr wchar_t kEmptyList[] = L"列表中没有文件，请先添加要转换的文件。";
inline constexpr wchar_t kBrowseTitle[] = L"请选择文件";
inline constexpr wchar_t kStopAndClose[] = L"正在转换，是否停止转换并退出？";
inline constexpr wchar_t kStopBatch[] = L"正在转换，是否停止转换？";
// The "输出" group's choice of how many files are converted at once.
inline constexpr wchar_t kParallelLabel[] = L"同时转换";
inline constexpr wchar_t kWmaFilter[] = L"WMA|*.wma";
inline constexpr wchar_t kAddFolderTitle[] = L"请选择要添加的目录";
inline constexpr wchar_t kOutOfMemory[] = L"内存不足";
inline constexpr wchar_t kUnknownError[] = L"未知错误";
inline constexpr wchar_t kTooManyFiles[] = L"一次选择的文件太多，请分几次添加。";

// Helper programs beside Tonmill.exe, and what happens without them.
inline constexpr wchar_t kProbeName[] = L"mplayer.exe";
inline constexpr wchar_t kEncoderName[] = L"ffmpeg.exe";
inline constexpr wchar_t kWithoutProbe[] = L"文件仍会加入，但时长未知。";
inline constexpr wchar_t kWithoutEncoder[] = L"没有它无法转换，转换没有开始。";
inline constexpr wchar_t kEncoderStopped[] = L"转换已停止。";
}  // namespace texts
