// The skinpack commands on real folders and files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "skin/packages/LzhCompressor.h"
#include "tools/skinpack/SkinpackCommands.h"

namespace fs = std::filesystem;

namespace {

class Skinpack : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("skinpack-test-" + std::to_string(std::random_device{}()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(root_ / "skin");
  }
  void TearDown() override { fs::remove_all(root_); }

  static void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return RunSkinpack(args, out_, err_);
  }
  std::string P(const char* name) const { return (root_ / name).string(); }

  fs::path root_;
  std::ostringstream out_, err_;
};

TEST_F(Skinpack, PackListUnpackGiveTheFilesBack) {
  std::string bitmap = "BM";
  for (int i = 0; i < 20000; ++i) bitmap += static_cast<char>(i % 7 * 30);
  WriteFile(root_ / "skin" / "Buttons.BMP", bitmap);
  WriteFile(root_ / "skin" / "frameleft.bmp", std::string(3000, '\x10'));
  WriteFile(root_ / "skin" / "Blue.ini", "[Buttons]\r\nTrans=1\r\n");
  WriteFile(root_ / "skin" / "notes.txt", "not packed");
  fs::create_directories(root_ / "skin" / "sub.bmp");  // folders are not members

  ASSERT_EQ(Run({"pack", P("skin"), P("blue.skn")}), 0) << err_.str();
  EXPECT_LT(fs::file_size(root_ / "blue.skn"), 23000u / 4);

  ASSERT_EQ(Run({"list", P("blue.skn")}), 0) << err_.str();
  EXPECT_EQ(out_.str(),
            "20002\tbuttons.bmp\n3000\tframeleft.bmp\n20\tblue.ini\n"
            "3 members, 23022 bytes\n");

  ASSERT_EQ(Run({"unpack", P("blue.skn"), P("out/nested")}), 0) << err_.str();
  EXPECT_EQ(ReadFile(root_ / "out" / "nested" / "buttons.bmp"), bitmap);
  EXPECT_EQ(ReadFile(root_ / "out" / "nested" / "frameleft.bmp"), std::string(3000, '\x10'));
  EXPECT_EQ(ReadFile(root_ / "out" / "nested" / "blue.ini"), "[Buttons]\r\nTrans=1\r\n");
  EXPECT_FALSE(fs::exists(root_ / "out" / "nested" / "notes.txt"));
}

TEST_F(Skinpack, BadFoldersAndUsageFail) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_NE(err_.str().find("usage"), std::string::npos);
  EXPECT_EQ(Run({"pack", P("skin")}), 2);
  EXPECT_EQ(Run({"frobnicate", "a", "b"}), 2);

  EXPECT_EQ(Run({"pack", P("missing"), P("x.skn")}), 1);
  EXPECT_NE(err_.str().find("no such folder"), std::string::npos);

  WriteFile(root_ / "skin" / "a.bmp", "BM");
  EXPECT_EQ(Run({"pack", P("skin"), P("x.skn")}), 1);
  EXPECT_NE(err_.str().find("no .ini"), std::string::npos);
  WriteFile(root_ / "skin" / "one.ini", "[A]");
  WriteFile(root_ / "skin" / "two.INI", "[B]");
  EXPECT_EQ(Run({"pack", P("skin"), P("x.skn")}), 1);
  EXPECT_NE(err_.str().find("more than one .ini"), std::string::npos);
  EXPECT_FALSE(fs::exists(root_ / "x.skn"));
}

TEST_F(Skinpack, BadPackagesFailWithoutWritingFiles) {
  EXPECT_EQ(Run({"list", P("nothing.skn")}), 1);
  EXPECT_NE(err_.str().find("Cannot open file"), std::string::npos);

  WriteFile(root_ / "junk.skn", std::string("\xFF\xFF\xFF\x7F"
                                            "abcdef",
                                            10));
  EXPECT_EQ(Run({"list", P("junk.skn")}), 1);
  EXPECT_NE(err_.str().find("damaged"), std::string::npos);

  WriteFile(root_ / "empty.skn", "");
  EXPECT_EQ(Run({"unpack", P("empty.skn"), P("out")}), 1);
  EXPECT_NE(err_.str().find("This is Older Skin File"), std::string::npos);
  EXPECT_FALSE(fs::exists(root_ / "out"));
}

TEST_F(Skinpack, MembersThatWouldLeaveTheFolderAreNotUnpacked) {
  // An archive made by hand: "../evil.bmp" and then a duplicate name.
  for (const std::string names : {"ok.bmp\r\n../evil.bmp\r\n", "ok.bmp\r\nsub\\x.bmp\r\n"}) {
    std::string archive;
    auto put32 = [&](std::uint32_t v) {
      for (int k = 0; k < 4; ++k) archive += static_cast<char>(v >> (8 * k));
    };
    put32(20000);
    put32(static_cast<std::uint32_t>(names.size()));
    put32(0);
    put32(0);
    archive += names;
    put32(2);
    put32(4);
    archive += "okEVIL";
    const auto packed = TLzhCompressor().Compress(
        std::span(reinterpret_cast<const std::uint8_t*>(archive.data()), archive.size()));
    WriteFile(root_ / "evil.skn", std::string(packed.begin(), packed.end()));
    EXPECT_EQ(Run({"unpack", P("evil.skn"), P("out")}), 1);
    EXPECT_NE(err_.str().find("not a plain file name"), std::string::npos);
    EXPECT_FALSE(fs::exists(root_ / "evil.bmp"));
    EXPECT_FALSE(fs::exists(root_ / "out"));
  }
}

TEST_F(Skinpack, DuplicateMembersUnpackTheFirstAndWarn) {
  std::string archive;
  auto put32 = [&](std::uint32_t v) {
    for (int k = 0; k < 4; ++k) archive += static_cast<char>(v >> (8 * k));
  };
  const std::string names = "a.bmp\r\nA.BMP\r\n";
  put32(20000);
  put32(static_cast<std::uint32_t>(names.size()));
  put32(0);
  put32(0);
  archive += names;
  put32(5);
  put32(6);
  archive += "firstsecond";
  const auto packed = TLzhCompressor().Compress(
      std::span(reinterpret_cast<const std::uint8_t*>(archive.data()), archive.size()));
  WriteFile(root_ / "dup.skn", std::string(packed.begin(), packed.end()));
  ASSERT_EQ(Run({"unpack", P("dup.skn"), P("out")}), 0) << err_.str();
  EXPECT_EQ(ReadFile(root_ / "out" / "a.bmp"), "first");
  EXPECT_NE(err_.str().find("appears again"), std::string::npos);
}

}  // namespace
