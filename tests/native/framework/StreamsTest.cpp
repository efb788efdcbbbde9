// Memory streams, the read-only view, copying between streams and files.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "framework/Streams.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Content(const TCustomMemoryStream& s) {
  return Bytes(s.Bytes().begin(), s.Bytes().end());
}

TEST(MemoryStream, ReadWriteSeekAndSize) {
  TMemoryStream s;
  s.WriteBytes(Bytes{1, 2, 3, 4});
  EXPECT_EQ(s.Position(), 4);
  EXPECT_EQ(s.Size(), 4);
  s.SetPosition(6);  // writing past the end fills the gap with zeros
  s.WriteBytes(Bytes{9});
  EXPECT_EQ(Content(s), (Bytes{1, 2, 3, 4, 0, 0, 9}));
  s.Seek(-3, TSeekOrigin::soEnd);
  std::uint8_t two[2];
  EXPECT_EQ(s.Read(two, 2), 2);
  EXPECT_EQ(two[0], 0);
  EXPECT_EQ(s.Read(two, 2), 1);  // only one byte left
  EXPECT_EQ(s.Read(two, 2), 0);
  EXPECT_THROW(s.ReadBuffer(two, 1), EReadError);
  EXPECT_EQ(s.Seek(-100, TSeekOrigin::soCurrent), 0);
  s.SetSize(2);
  EXPECT_EQ(Content(s), (Bytes{1, 2}));
  s.SetPosition(2);
  s.SetSize(1);
  EXPECT_EQ(s.Position(), 1);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStream, WritingItsOwnBytesWhileGrowing) {
  TMemoryStream s;
  s.Assign(Bytes{1, 2, 3, 4});
  s.Seek(0, TSeekOrigin::soEnd);
  for (int i = 0; i < 12; ++i) s.Write(s.Memory(), s.Size());  // doubles, moving the block
  ASSERT_EQ(s.Size(), 4 << 12);
  for (std::int64_t i = 0; i < s.Size(); ++i) ASSERT_EQ(s.Memory()[i], 1 + i % 4);
  s.SetPosition(1);
  s.Write(s.Memory(), 3);  // overlapping, in place
  EXPECT_EQ(Bytes(s.Bytes().begin(), s.Bytes().begin() + 5), (Bytes{1, 1, 2, 3, 1}));
}

TEST(MemoryStream, CopyLoadAndSave) {
  TMemoryStream source;
  Bytes big(200000);
  std::mt19937 rng(5);
  for (auto& b : big) b = static_cast<std::uint8_t>(rng());
  source.Assign(big);
  source.SetPosition(10);

  TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(source, 5), 5);  // from the source's position
  EXPECT_EQ(Content(target), Bytes(big.begin() + 10, big.begin() + 15));
  target.Clear();
  EXPECT_EQ(target.CopyFrom(source, 0), 200000);  // 0: the whole source from its start
  EXPECT_EQ(Content(target), big);
  EXPECT_THROW(target.CopyFrom(source, 1), EReadError);  // the source is at its end

  TMemoryStream loaded;
  loaded.WriteBytes(Bytes{7});
  loaded.LoadFromStream(source);
  EXPECT_EQ(Content(loaded), big);
  EXPECT_EQ(loaded.Position(), 0);

  TMemoryStream saved;
  saved.WriteBytes(Bytes{0xAA});
  loaded.SaveToStream(saved);
  EXPECT_EQ(saved.Size(), 200001);
}

TEST(BytesStream, ReadsButNeverWrites) {
  const Bytes bytes = {5, 6, 7};
  TBytesStream view(bytes);
  EXPECT_EQ(view.Size(), 3);
  EXPECT_EQ(view.Write(bytes.data(), 1), 0);
  EXPECT_THROW(view.WriteBuffer(bytes.data(), 1), EWriteError);
  EXPECT_THROW(view.SetSize(1), EStreamError);
  view.SetPosition(1);
  EXPECT_EQ(Bytes(view.Remaining().begin(), view.Remaining().end()), (Bytes{6, 7}));
  EXPECT_EQ(ReadToEnd(view), (Bytes{6, 7}));
  EXPECT_TRUE(view.Remaining().empty());
}

TEST(MemoryStream, FilesWithUtf8Names) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("streams-test-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "").string() + "\xE7\x9A\xAE\xE8\x82\xA4.skn";  // 皮肤.skn
  const Bytes bytes = {0, 1, 2, 255, 13, 10};
  TMemoryStream out;
  out.Assign(bytes);
  out.SaveToFile(path);
  TMemoryStream in;
  in.LoadFromFile(path);
  EXPECT_EQ(Content(in), bytes);
  EXPECT_THROW(in.LoadFromFile(path + ".missing"), EFOpenError);
  EXPECT_EQ(Content(in), bytes);  // a failed load keeps the content
  EXPECT_THROW(out.SaveToFile((dir / "no" / "such" / "x").string()), EFCreateError);
  std::filesystem::remove_all(dir);
}

}  // namespace
