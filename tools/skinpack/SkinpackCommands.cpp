#include "tools/skinpack/SkinpackCommands.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/StringList.h"
#include "skin/packages/SkinArchiveWriter.h"
#include "skin/packages/SkinMessages.h"
#include "skin/packages/SkinReader.h"

namespace fs = std::filesystem;

namespace {

constexpr int kOk = 0;
constexpr int kBadInput = 1;
constexpr int kBadUsage = 2;

// Reported to the user as "skinpack: <message>" with exit code 1.
class ESkinpackError : public Exception {
 public:
  using Exception::Exception;
};

fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const fs::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

// Keeps the reader's messages for the error report.
class MessageCollector : public TSkinMessageSink {
 public:
  void ShowMessage(const std::string& text) override {
    if (!text_.empty()) text_ += "; ";
    for (char c : text) text_ += c == '\r' ? ' ' : c;
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

void LoadPackage(const std::string& path, TSkinReader& reader, const MessageCollector& messages) {
  TMemoryStream file;
  file.LoadFromFile(path);
  if (!reader.Load(file)) {
    if (!messages.Text().empty()) throw ESkinpackError(path + ": " + messages.Text());
    throw ESkinpackError(path + ": not a skin package, or a damaged one");
  }
}

int Pack(const std::string& dir, const std::string& out_path, std::ostream& out) {
  std::error_code ec;
  if (!fs::is_directory(PathOf(dir), ec)) throw ESkinpackError(dir + ": no such folder");
  std::vector<std::string> bitmaps;
  std::vector<std::string> inis;
  for (const fs::directory_entry& entry : fs::directory_iterator(PathOf(dir))) {
    if (!entry.is_regular_file()) continue;
    const std::string name = Utf8Of(entry.path().filename());
    const std::string ext = AsciiLower(Utf8Of(entry.path().extension()));
    if (ext == ".bmp") bitmaps.push_back(name);
    if (ext == ".ini") inis.push_back(name);
  }
  if (inis.empty()) throw ESkinpackError(dir + ": no .ini skin definition in the folder");
  if (inis.size() > 1) {
    throw ESkinpackError(dir + ": more than one .ini file in the folder (" + inis[0] + ", " +
                         inis[1] + ")");
  }
  std::sort(bitmaps.begin(), bitmaps.end());
  TSkinArchiveWriter writer;
  std::int64_t total = 0;
  for (const std::string& name : bitmaps) {
    TMemoryStream file;
    file.LoadFromFile(Utf8Of(PathOf(dir) / PathOf(name)));
    writer.AddMember(name, file.Bytes());
    total += static_cast<std::int64_t>(file.Bytes().size());
  }
  {
    TMemoryStream file;
    file.LoadFromFile(Utf8Of(PathOf(dir) / PathOf(inis[0])));
    writer.AddMember(inis[0], file.Bytes());
    total += static_cast<std::int64_t>(file.Bytes().size());
  }
  const std::vector<std::uint8_t> package = writer.BuildCompressed();
  TBytesStream(package).SaveToFile(out_path);
  out << "packed " << writer.Count() << " members (" << total << " bytes) into " << out_path << " ("
      << package.size() << " bytes)\n";
  return kOk;
}

// A member name that stays inside the target folder.
bool IsSafeName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || c == '/' || c == '\\' || c == ':') return false;
  }
  return true;
}

int Unpack(const std::string& in_path, const std::string& dir, std::ostream& out,
           std::ostream& err) {
  MessageCollector messages;
  TSkinReader reader(&messages);
  LoadPackage(in_path, reader, messages);
  for (int i = 0; i < reader.EntryCount(); ++i) {
    if (!IsSafeName(reader.Names()[i])) {
      throw ESkinpackError(in_path + ": member name \"" + reader.Names()[i] +
                           "\" is not a plain file name; nothing unpacked");
    }
  }
  std::error_code ec;
  fs::create_directories(PathOf(dir), ec);
  if (!fs::is_directory(PathOf(dir), ec)) throw ESkinpackError(dir + ": cannot create the folder");
  std::set<std::string> written;
  for (int i = 0; i < reader.EntryCount(); ++i) {
    const std::string& name = reader.Names()[i];
    if (!written.insert(name).second) {
      err << "skinpack: warning: " << in_path << ": member " << name
          << " appears again; only the first is used, the copy is skipped\n";
      continue;
    }
    TMemoryStream member;
    reader.ExtractMember(i, member);
    member.SaveToFile(Utf8Of(PathOf(dir) / PathOf(name)));
  }
  out << "unpacked " << written.size() << " members into " << dir << "\n";
  return kOk;
}

int List(const std::string& in_path, std::ostream& out) {
  MessageCollector messages;
  TSkinReader reader(&messages);
  LoadPackage(in_path, reader, messages);
  std::int64_t total = 0;
  for (int i = 0; i < reader.EntryCount(); ++i) {
    out << reader.MemberSize(i) << "\t" << reader.Names()[i] << "\n";
    total += reader.MemberSize(i);
  }
  out << reader.EntryCount() << " members, " << total << " bytes\n";
  return kOk;
}

void Usage(std::ostream& err) {
  err << "usage: skinpack pack DIR OUT.skn\n"
         "       skinpack unpack IN.skn DIR\n"
         "       skinpack list IN.skn\n";
}

}  // namespace

int RunSkinpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::string command = args.empty() ? "" : args[0];
  const size_t operands = args.empty() ? 0 : args.size() - 1;
  try {
    if (command == "pack" && operands == 2) return Pack(args[1], args[2], out);
    if (command == "unpack" && operands == 2) return Unpack(args[1], args[2], out, err);
    if (command == "list" && operands == 1) return List(args[1], out);
  } catch (const Exception& e) {
    err << "skinpack: " << e.Message() << "\n";
    return kBadInput;
  } catch (const std::exception& e) {
    err << "skinpack: " << e.what() << "\n";
    return kBadInput;
  }
  Usage(err);
  return kBadUsage;
}
