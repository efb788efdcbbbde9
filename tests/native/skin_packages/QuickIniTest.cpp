// Parsing skin definitions and reading strings, integers and sections.
#include <gtest/gtest.h>

#include <string>

#include "framework/Streams.h"
#include "skin/packages/QuickIni.h"

namespace {

TQuickIni Load(const std::string& text) {
  TMemoryStream stream;
  stream.Assign(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  TQuickIni ini;
  ini.LoadFromStream(&stream);
  return ini;
}

TEST(QuickIni, KeysSectionsAndValues) {
  const TQuickIni ini = Load(
      "; a comment\r\n"
      "[Buttons]\r\n"
      "  Trans = 1  \r\n"
      "TopHeight=\r\n"
      "TopHeight=7\n"
      "Key;note=1\r"
      "Width = 12 \r\n"
      "Name=a=b\r\n"
      "NoEquals\r\n"
      "\r\n"
      "[ Tabs ]\r\n"
      "Left=3\r\n"
      "[buttons]\r\n"
      "Later=5\r\n");
  EXPECT_EQ(ini.ReadInteger("buttons", "TRANS", 0), 1);
  EXPECT_EQ(ini.ReadString("Buttons", "TopHeight", "dflt"), "dflt");  // first line ends the search
  EXPECT_EQ(ini.ReadString("Buttons", "key;note", ""), "1");          // no comments after keys
  EXPECT_EQ(ini.ReadInteger("Buttons", "Width", 0), 12);
  EXPECT_EQ(ini.ReadString("Buttons", "name", ""), "a=b");
  EXPECT_EQ(ini.ReadString("Buttons", "NoEquals", "d"), "d");
  EXPECT_EQ(ini.ReadString("Buttons", "Left", "none"), "none");   // stops at the next header
  EXPECT_EQ(ini.ReadString("Buttons", "Later", "none"), "none");  // first section of a name only
  EXPECT_EQ(ini.ReadString("Tabs", "Left", "none"), "none");      // spaces belong to the header
  EXPECT_EQ(ini.ReadString(" Tabs ", "Left", "none"), "3");
  EXPECT_EQ(ini.ReadString("Missing", "Left", "none"), "none");

  TStringList sections;
  sections.Add("stale", 4);
  ini.ReadSections(sections);
  EXPECT_EQ(sections.Lines(), (std::vector<std::string>{"Buttons", "Tabs", "buttons"}));
  EXPECT_EQ(sections.Objects(1), 0);
  EXPECT_EQ(ini.SectionLines().Objects(1), 8);  // index of "[ Tabs ]" among the kept lines
  EXPECT_EQ(ini.IniLines().Count(), 12);        // blank and comment lines dropped
}

TEST(QuickIni, IntegerForms) {
  const TQuickIni ini = Load(
      "[N]\r\nhex=0x1F\r\nHEX=0X1f\r\nbare=0x\r\ndollar=$1F\r\nneg=-42\r\nplus=+7\r\n"
      "big=2147483648\r\nmin=-2147483648\r\nword=12a\r\nall=0xFFFFFFFF\r\nspace=1 2\r\n");
  EXPECT_EQ(ini.ReadInteger("N", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "HEX", 0), 31);  // the first of two equal keys
  EXPECT_EQ(ini.ReadInteger("N", "bare", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "dollar", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "neg", 0), -42);
  EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 7);
  EXPECT_EQ(ini.ReadInteger("N", "big", 9), 9);
  EXPECT_EQ(ini.ReadInteger("N", "min", 9), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("N", "word", 9), 9);
  EXPECT_EQ(ini.ReadInteger("N", "all", 9), -1);
  EXPECT_EQ(ini.ReadInteger("N", "space", 9), 9);
  EXPECT_EQ(ini.ReadInteger("N", "missing", 9), 9);
}

TEST(QuickIni, TextEndsAtNulAndLoadingReplacesOrKeeps) {
  TQuickIni ini = Load(std::string("[A]\r\nx=1\r\n\0[B]\r\ny=2\r\n", 20));
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
  EXPECT_EQ(ini.ReadInteger("B", "y", 0), 0);
  ini.LoadFromStream(nullptr);  // no stream: nothing changes
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);

  // Reading starts at the stream's position.
  const std::string text = "junk[C]\nz=3";
  TMemoryStream stream;
  stream.Assign(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  stream.SetPosition(4);
  ini.LoadFromStream(&stream);
  EXPECT_EQ(ini.ReadInteger("C", "z", 0), 3);
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 0);

  const TQuickIni empty = Load("");
  EXPECT_EQ(empty.ReadString("A", "x", "d"), "d");
}

}  // namespace
