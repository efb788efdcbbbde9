// Loading skin archives and looking up members, including damaged archives.
#include <gtest/gtest.h>

#include <string>

#include "framework/Streams.h"
#include "skin/packages/LzhCompressor.h"
#include "skin/packages/SkinArchiveWriter.h"
#include "skin/packages/SkinMessages.h"
#include "skin/packages/SkinReader.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class Recorder : public TSkinMessageSink {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

void Put32(Bytes& out, std::int64_t v) {
  for (int k = 0; k < 4; ++k)
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * k)));
}

// An archive built byte by byte, so that it can be as odd as needed.
Bytes RawArchive(const std::string& names, const std::vector<std::int64_t>& sizes,
                 const std::string& data, std::int64_t magic = 20000,
                 std::int64_t name_length = -1) {
  Bytes out;
  Put32(out, magic);
  Put32(out, name_length >= 0 ? name_length : static_cast<std::int64_t>(names.size()));
  Put32(out, 0);
  Put32(out, 0);
  out.insert(out.end(), names.begin(), names.end());
  for (std::int64_t s : sizes) Put32(out, s);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::string Text(const TMemoryStream& s) {
  return std::string(s.Bytes().begin(), s.Bytes().end());
}

TMemoryStream& Compressed(TMemoryStream& stream, const Bytes& archive) {
  stream.Assign(TLzhCompressor().Compress(archive));
  return stream;
}

TEST(SkinReader, LoadsACompressedPackageAndExtractsMembers) {
  TSkinArchiveWriter writer;
  const std::string ini = "[Buttons]\r\nTrans=1\r\n";
  writer.AddMember("Buttons.bmp", Bytes{'B', 'M', 1, 2, 3});
  writer.AddMember("FrameLeft.bmp", Bytes(7000, 0x42));
  writer.AddMember("MySkin.ini", Bytes(ini.begin(), ini.end()));
  TMemoryStream package;
  package.Assign(writer.BuildCompressed());

  Recorder messages;
  TSkinReader reader(&messages);
  ASSERT_TRUE(reader.Load(package));
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(reader.EntryCount(), 3);
  EXPECT_EQ(reader.Names().Lines(),
            (std::vector<std::string>{"buttons.bmp", "frameleft.bmp", "myskin.ini"}));
  EXPECT_EQ(reader.Header().magic, 20000);

  TMemoryStream target;
  reader.ExtractFile("BUTTONS.bmp", target);  // any capitalisation finds it
  EXPECT_EQ(Text(target), std::string("BM\x01\x02\x03", 5));
  EXPECT_EQ(target.Position(), 0);
  reader.ExtractFile("frameleft.BMP", target);
  EXPECT_EQ(Text(target), std::string(7000, 'B'));

  std::string found = "unchanged";
  reader.FindFile(".ini", target, found);
  EXPECT_EQ(found, "myskin.ini");
  EXPECT_EQ(Text(target), ini);
  EXPECT_EQ(target.Position(), 0);
}

TEST(SkinReader, LookupsThatFindNothingLeaveTheTargetEmpty) {
  TSkinReader reader;
  ASSERT_TRUE(
      reader.LoadArchive(RawArchive("a.bmp\r\nempty.bmp\r\nskin.ini\r\n", {3, 0, 2}, "abcxy")));
  TMemoryStream target;
  target.WriteBytes(Bytes{1, 2, 3});
  reader.ExtractFile("missing.bmp", target);
  EXPECT_EQ(target.Size(), 0);
  target.WriteBytes(Bytes{1});
  reader.ExtractFile("empty.bmp", target);  // a member of size 0 looks the same
  EXPECT_EQ(target.Size(), 0);

  std::string found = "before";
  reader.FindFile(".INI", target, found);  // stored names are lower case; the text is not folded
  EXPECT_EQ(target.Size(), 0);
  EXPECT_EQ(found, "before");
  reader.FindFile("", target, found);
  EXPECT_EQ(target.Size(), 0);
  EXPECT_EQ(found, "before");
  reader.FindFile("kin.i", target, found);
  EXPECT_EQ(found, "skin.ini");
  EXPECT_EQ(Text(target), "xy");
}

TEST(SkinReader, NamesAreLowerCasedAndTheFirstOfTwoEqualNamesWins) {
  TSkinReader reader;
  // Mixed line breaks, mixed case, a duplicate differing only in case.
  ASSERT_TRUE(reader.LoadArchive(RawArchive("Dup.BMP\rOther.bmp\ndup.bmp\r\n", {2, 3, 4},
                                            "11222"
                                            "3333")));
  EXPECT_EQ(reader.Names().Lines(), (std::vector<std::string>{"dup.bmp", "other.bmp", "dup.bmp"}));
  TMemoryStream target;
  reader.ExtractFile("DUP.bmp", target);
  EXPECT_EQ(Text(target), "11");
  std::string found;
  reader.FindFile("dup", target, found);
  EXPECT_EQ(Text(target), "11");
  reader.ExtractMember(2, target);
  EXPECT_EQ(Text(target), "3333");
  reader.ExtractFile("other.bmp", target);
  EXPECT_EQ(Text(target), "222");
}

TEST(SkinReader, AnOlderArchiveIsRefusedWithTheMessageAndTheEarlierContentStays) {
  Recorder messages;
  TSkinReader reader(&messages);
  ASSERT_TRUE(reader.LoadArchive(RawArchive("keep.bmp\r\n", {4}, "KEEP")));

  TMemoryStream package;
  EXPECT_FALSE(reader.Load(Compressed(package, RawArchive("new.bmp\r\n", {1}, "N", 19999))));
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0], "This is Older Skin File\rPlease update to new version !");
  TMemoryStream target;
  reader.ExtractFile("keep.bmp", target);
  EXPECT_EQ(Text(target), "KEEP");
  EXPECT_EQ(reader.EntryCount(), 1);
}

TEST(SkinReader, DamagedArchivesAreRefusedQuietlyAndTheEarlierContentStays) {
  std::vector<Bytes> damaged;
  damaged.push_back(RawArchive("a.bmp\r\n", {-1}, "x"));                // negative size
  damaged.push_back(RawArchive("a.bmp\r\nb.bmp\r\n", {2, 5}, "abcd"));  // sizes past the data
  damaged.push_back(RawArchive("a.bmp\r\n", {0x7FFFFFFF}, "abc"));
  damaged.push_back(RawArchive("a.bmp\r\n", {1}, "a", 20000, 5000));  // name text past the end
  damaged.push_back(RawArchive("a.bmp\r\n", {1}, "a", 20000, 0x7FFFFFFF));
  damaged.push_back(RawArchive("a.bmp\r\nb.bmp\r\n", {1}, ""));  // size table cut short
  {
    Bytes header = RawArchive("", {}, "");
    header.resize(10);  // magic present, header cut short
    damaged.push_back(header);
  }
  {  // more members than the size table holds
    std::string names;
    std::vector<std::int64_t> sizes;
    for (int i = 0; i < 1002; ++i) {
      names += "m" + std::to_string(i) + ".bmp\r\n";
      sizes.push_back(0);
    }
    damaged.push_back(RawArchive(names, sizes, ""));
  }
  Recorder messages;
  TSkinReader reader(&messages);
  ASSERT_TRUE(reader.LoadArchive(RawArchive("keep.bmp\r\n", {4}, "KEEP")));
  for (size_t i = 0; i < damaged.size(); ++i) {
    EXPECT_FALSE(reader.LoadArchive(damaged[i])) << "archive " << i;
    TMemoryStream package;
    EXPECT_FALSE(reader.Load(Compressed(package, damaged[i]))) << "package " << i;
  }
  EXPECT_TRUE(messages.messages.empty());
  TMemoryStream target;
  reader.ExtractFile("keep.bmp", target);
  EXPECT_EQ(Text(target), "KEEP");

  // A package whose size field the compressed bytes cannot justify.
  TMemoryStream package;
  package.Assign(Bytes{0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3});
  EXPECT_FALSE(reader.Load(package));
  EXPECT_EQ(reader.EntryCount(), 1);
}

TEST(SkinReader, ExactlyTheLargestMemberCountIsAccepted) {
  std::string names;
  std::vector<std::int64_t> sizes;
  std::string data;
  for (int i = 0; i < 1001; ++i) {
    names += "m" + std::to_string(i) + ".bmp\r\n";
    sizes.push_back(1);
    data += static_cast<char>('a' + i % 26);
  }
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadArchive(RawArchive(names, sizes, data)));
  TMemoryStream target;
  reader.ExtractFile("m1000.bmp", target);
  EXPECT_EQ(Text(target), std::string(1, static_cast<char>('a' + 1000 % 26)));
}

TEST(SkinArchiveWriter, RefusesNamesTheReaderCouldNotServe) {
  TSkinArchiveWriter writer;
  writer.AddMember("a.bmp", Bytes{1});
  EXPECT_THROW(writer.AddMember("A.BMP", Bytes{2}), ESkinArchiveError);
  EXPECT_THROW(writer.AddMember("", Bytes{}), ESkinArchiveError);
  EXPECT_THROW(writer.AddMember("x\r\ny.bmp", Bytes{}), ESkinArchiveError);
  EXPECT_THROW(writer.AddMember("../up.bmp", Bytes{}), ESkinArchiveError);
  EXPECT_EQ(writer.Count(), 1);
  for (int i = 1; i < 1001; ++i) writer.AddMember("m" + std::to_string(i), Bytes{});
  EXPECT_THROW(writer.AddMember("one.more", Bytes{}), ESkinArchiveError);
  // The header's length field covers the name text exactly.
  const Bytes archive = writer.Build();
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadArchive(archive));
  EXPECT_EQ(reader.EntryCount(), 1001);
}

}  // namespace
