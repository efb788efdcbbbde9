#include "tools/probe/AsfDuration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>

#include "tests/native/probe/AsfBuilder.h"

namespace {

using asftest::Bytes;
using asftest::FileProperties;
using asftest::FileProps;
using asftest::Filler;
using asftest::Header;
using probe::AsfError;
using probe::ReadAsfDuration;

constexpr std::uint64_t kSecond = 10'000'000;  // in 100-ns units
constexpr std::uint64_t kU64Max = std::numeric_limits<std::uint64_t>::max();

Bytes Append(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A header as common writers lay it out: file properties first, then stream
// properties and metadata, followed by the start of the Data Object.
Bytes TypicalFile(const FileProps& props = {}) {
  Bytes file =
      Header({FileProperties(props),
              asftest::Object(asftest::kStreamPropertiesGuid, Bytes(90, 0x5A)), Filler(200)});
  return Append(file, asftest::Object(asftest::kDataGuid, Bytes(64, 0), 50 + 64 * 1000));
}

TEST(AsfDuration, PlayDurationMinusPreroll) {
  const auto result = ReadAsfDuration(TypicalFile());
  ASSERT_EQ(result.error, AsfError::kNone) << probe::AsfErrorText(result.error);
  EXPECT_EQ(result.length_100ns, 405'400'000u - 3'100u * 10'000u);  // 37.44 s
}

TEST(AsfDuration, FindsFilePropertiesAfterOtherObjects) {
  const Bytes file =
      Header({Filler(24), asftest::Object(asftest::kStreamPropertiesGuid, Bytes(90, 0)),
              Filler(1000), FileProperties(FileProps().Play(7 * kSecond).Preroll(0))});
  const auto result = ReadAsfDuration(file);
  ASSERT_EQ(result.error, AsfError::kNone);
  EXPECT_EQ(result.length_100ns, 7 * kSecond);
}

TEST(AsfDuration, PrerollCases) {
  struct Case {
    std::uint64_t play;
    std::uint64_t preroll_ms;
    AsfError error;
    std::uint64_t length;
  };
  const Case cases[] = {
      {215 * kSecond, 0, AsfError::kNone, 215 * kSecond},
      {215 * kSecond, 1, AsfError::kNone, 215 * kSecond - 10'000},
      {5 * kSecond, 5'000, AsfError::kNoDuration, 0},  // nothing left after the preroll
      {5 * kSecond, 5'001, AsfError::kPrerollExceedsLength, 0},
      // preroll * 10000 wraps around 2^64 to a small number: must not pass.
      {5 * kSecond, kU64Max / 10'000 + 1, AsfError::kPrerollExceedsLength, 0},
      {5 * kSecond, kU64Max, AsfError::kPrerollExceedsLength, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "play " << c.play << " preroll " << c.preroll_ms);
    const auto result =
        ReadAsfDuration(TypicalFile(FileProps().Play(c.play).Preroll(c.preroll_ms)));
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.length_100ns, c.length);
  }
}

TEST(AsfDuration, FlagsAndMissingDuration) {
  // Broadcast (bit 0) makes the duration fields meaningless, with or without seekable.
  EXPECT_EQ(ReadAsfDuration(TypicalFile(FileProps().Flags(0x1))).error, AsfError::kBroadcast);
  EXPECT_EQ(ReadAsfDuration(TypicalFile(FileProps().Flags(0x3))).error, AsfError::kBroadcast);
  EXPECT_EQ(ReadAsfDuration(TypicalFile(FileProps().Flags(0x0))).error, AsfError::kNone);
  EXPECT_EQ(ReadAsfDuration(TypicalFile(FileProps().Flags(0xFFFFFFFE))).error, AsfError::kNone);
  EXPECT_EQ(ReadAsfDuration(TypicalFile(FileProps().Play(0).Preroll(0))).error,
            AsfError::kNoDuration);
}

TEST(AsfDuration, LengthMustFitTheReadersWholeSeconds) {
  constexpr std::uint64_t kMaxSeconds = std::numeric_limits<std::int32_t>::max();
  auto with_play = [](std::uint64_t play) {
    return ReadAsfDuration(TypicalFile(FileProps().Play(play).Preroll(0)));
  };
  EXPECT_EQ(with_play(kMaxSeconds * kSecond).error, AsfError::kNone);
  // 2147483647.994 s still prints as 2147483647.99; .995 would round up past it.
  EXPECT_EQ(with_play(kMaxSeconds * kSecond + 9'949'999).error, AsfError::kNone);
  EXPECT_EQ(with_play(kMaxSeconds * kSecond + 9'950'000).error, AsfError::kDurationTooLong);
  EXPECT_EQ(with_play(kU64Max).error, AsfError::kDurationTooLong);
}

TEST(AsfDuration, LongerFilePropertiesObjectIsAccepted) {
  const auto result = ReadAsfDuration(Header({FileProperties(FileProps().Extra(40))}));
  EXPECT_EQ(result.error, AsfError::kNone);
}

TEST(AsfDuration, FilePropertiesTooSmallForItsFields) {
  // The object claims 80 bytes, so the duration fields would lie in the next object.
  Bytes props = FileProperties(FileProps().Size(80));
  props.resize(80);
  EXPECT_EQ(ReadAsfDuration(Header({props, Filler(100)})).error, AsfError::kBadFileProperties);
}

TEST(AsfDuration, EveryTruncationOfTheHeaderFails) {
  const Bytes file = TypicalFile();
  const std::size_t props_end = 30 + 104;
  for (std::size_t n = 0; n < props_end; ++n) {
    SCOPED_TRACE(n);
    const auto result = ReadAsfDuration(std::span(file).first(n));
    EXPECT_EQ(result.error, n < 16 ? AsfError::kNotAsf : AsfError::kTruncated);
    EXPECT_EQ(result.length_100ns, 0u);
  }
  // Once the file properties are complete, the rest of the header is not needed.
  EXPECT_EQ(ReadAsfDuration(std::span(file).first(props_end)).error, AsfError::kNone);
}

TEST(AsfDuration, ObjectSizesThatLie) {
  struct Case {
    const char* what;
    Bytes file;
    AsfError error;
  };
  const Bytes props = FileProperties({});
  const Case cases[] = {
      {"zero-size child would never advance",
       Header({asftest::Object(asftest::kStreamPropertiesGuid, {}, 0), props}),
       AsfError::kBadObjectSize},
      {"child smaller than its own head",
       Header({asftest::Object(asftest::kDataGuid, {}, 23), props}), AsfError::kBadObjectSize},
      {"child larger than the header",
       Header({asftest::Object(asftest::kDataGuid, Bytes(8), 1000), props}),
       AsfError::kBadObjectSize},
      {"child size 2^64-1 (pos + size would wrap)",
       Header({asftest::Object(asftest::kDataGuid, {}, kU64Max), props}), AsfError::kBadObjectSize},
      {"file properties larger than the header", Header({FileProperties(FileProps().Size(500))}),
       AsfError::kBadObjectSize},
      {"header size below its own head", Header({props}, 29), AsfError::kBadHeader},
      {"header size zero", Header({props}, 0), AsfError::kBadHeader},
      {"header ends 10 bytes into a child head", Append(Header({}, 40), props),
       AsfError::kBadObjectSize},
      {"header size ends before the file properties", Header({Filler(50), props}, 30 + 50),
       AsfError::kNoFileProperties},
      // A header claiming 2^64-1 bytes whose first child claims 2^62: the walk
      // jumps far past the data and must report the missing bytes, not wrap.
      {"huge header, huge child",
       Header({asftest::Object(asftest::kDataGuid, {}, std::uint64_t{1} << 62), props}, kU64Max),
       AsfError::kTruncated},
      {"header of 30 bytes has no children", Header({}), AsfError::kNoFileProperties},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto result = ReadAsfDuration(c.file);
    EXPECT_EQ(result.error, c.error) << probe::AsfErrorText(result.error);
    EXPECT_EQ(result.length_100ns, 0u);
  }
}

TEST(AsfDuration, MissingFileProperties) {
  const Bytes file =
      Header({Filler(24), asftest::Object(asftest::kStreamPropertiesGuid, Bytes(90)), Filler(300)});
  EXPECT_EQ(ReadAsfDuration(file).error, AsfError::kNoFileProperties);
}

TEST(AsfDuration, ObjectCountIsCapped) {
  std::vector<Bytes> children(probe::kMaxHeaderObjects - 1, Filler(24));
  children.push_back(FileProperties({}));
  EXPECT_EQ(ReadAsfDuration(Header(children)).error, AsfError::kNone);

  children.insert(children.begin(), Filler(24));  // now the file properties come one too late
  EXPECT_EQ(ReadAsfDuration(Header(children)).error, AsfError::kTooManyObjects);
}

TEST(AsfDuration, NotAsf) {
  const Bytes text = {'I', 'D', '3', 4,   0,   0,   0,   0,   0,   0,   'h',
                      'e', 'l', 'l', 'o', '!', '!', '!', '!', '!', '!', '!',
                      '!', '!', '!', '!', '!', '!', '!', '!', '!', '!', '!'};
  EXPECT_EQ(ReadAsfDuration(Bytes{}).error, AsfError::kNotAsf);
  EXPECT_EQ(ReadAsfDuration(text).error, AsfError::kNotAsf);
  // The Data Object's GUID differs from the Header Object's in one byte only.
  Bytes starts_with_data = TypicalFile();
  std::memcpy(starts_with_data.data(), asftest::kDataGuid.data(), 16);
  EXPECT_EQ(ReadAsfDuration(starts_with_data).error, AsfError::kNotAsf);
  // A valid file that starts one byte late.
  EXPECT_EQ(ReadAsfDuration(Append(Bytes{0}, TypicalFile())).error, AsfError::kNotAsf);
}

// Serves a large sparse file: chosen byte ranges, zeros elsewhere, up to `size`,
// and counts how many bytes the parser asked for.
class SparseSource final : public probe::ByteSource {
 public:
  explicit SparseSource(std::uint64_t size) : size_(size) {}
  void Put(std::uint64_t offset, const Bytes& bytes) { pieces_[offset] = bytes; }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    requested += out.size();
    if (offset >= size_) return 0;
    const std::size_t n =
        static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - offset));
    std::fill_n(out.begin(), n, 0);
    for (const auto& [start, bytes] : pieces_) {
      for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (start + i >= offset && start + i < offset + n) out[start + i - offset] = bytes[i];
      }
    }
    return n;
  }
  std::uint64_t requested = 0;

 private:
  std::uint64_t size_;
  std::map<std::uint64_t, Bytes> pieces_;
};

TEST(AsfDuration, SkipsLargeObjectsWithoutReadingThem) {
  // 3 GB of cover art in the header before the file properties.
  constexpr std::uint64_t kArt = 3ull << 30;
  const Bytes props = FileProperties(FileProps().Play(60 * kSecond).Preroll(0));
  Bytes head = Header({});
  head.resize(16);
  asftest::PutU64(head, 30 + kArt + props.size());
  asftest::PutU32(head, 2);
  head.push_back(1);
  head.push_back(2);
  Bytes art_head(16, 0xEE);
  asftest::PutU64(art_head, kArt);

  SparseSource source(30 + kArt + props.size() + 1000);
  source.Put(0, head);
  source.Put(30, art_head);
  source.Put(30 + kArt, props);
  const auto result = ReadAsfDuration(source);
  ASSERT_EQ(result.error, AsfError::kNone);
  EXPECT_EQ(result.length_100ns, 60 * kSecond);
  EXPECT_EQ(source.requested, 30u + 24u + 104u);
}

// Counts how many bytes the parser asks for.
class CountingSource final : public probe::ByteSource {
 public:
  explicit CountingSource(std::span<const std::uint8_t> data) : inner_(data) {}
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    requested += out.size();
    return inner_.ReadAt(offset, out);
  }
  std::uint64_t requested = 0;

 private:
  probe::SpanSource inner_;
};

TEST(AsfDuration, ReadsAtMostTheCappedAmount) {
  // The worst case: a header claiming to be enormous, full of minimal objects.
  std::vector<Bytes> children(2 * probe::kMaxHeaderObjects, Filler(24));
  children.push_back(FileProperties({}));
  Bytes file = Header(children);
  file.resize(16);
  asftest::PutU64(file, kU64Max / 4);
  const Bytes rest = Header(children);
  file.insert(file.end(), rest.begin() + 24, rest.end());

  CountingSource source(file);
  EXPECT_EQ(ReadAsfDuration(source).error, AsfError::kTooManyObjects);
  EXPECT_LE(source.requested, 30u + probe::kMaxHeaderObjects * 24u + 104u);
}

TEST(FormatSeconds, RoundsToHundredths) {
  using probe::FormatSeconds;
  EXPECT_EQ(FormatSeconds(0), "0.00");
  EXPECT_EQ(FormatSeconds(374'400'000), "37.44");
  EXPECT_EQ(FormatSeconds(2'157'349'999), "215.73");
  EXPECT_EQ(FormatSeconds(2'157'350'000), "215.74");
  EXPECT_EQ(FormatSeconds(49'999), "0.00");
  EXPECT_EQ(FormatSeconds(50'000), "0.01");
  EXPECT_EQ(FormatSeconds(9'999'999), "1.00");
  EXPECT_EQ(FormatSeconds(6'000'030'000), "600.00");
  EXPECT_EQ(FormatSeconds(6'000'950'000), "600.10");
  EXPECT_EQ(FormatSeconds(kU64Max), "1844674407370.96");
}

}  // namespace
