// Our own version-resource reader on real and damaged images. It runs in the
// Windows tests as well, so these expectations hold on both platforms.
#include "platform/pe_version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "test_images.h"
#include "tests/support/pe_builder.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

using pe::Outcome;

pe::ResourceCopy CopyOf(const std::string& image) {
    pe::MemorySource source({reinterpret_cast<const std::uint8_t*>(image.data()), image.size()});
    return pe::CopyVersionResource(source);
}

std::string Text(const pe::ResourceCopy& copy) {
    return std::string(copy.bytes.begin(), copy.bytes.end());
}

TEST(PeVersion, TruncatedCopies) {
    for (const char* name : {"full.dll", "translations.dll"}) {
        const std::string image = test::ReadBytes(test::TestImage(name));
        const pe::ResourceCopy whole = CopyOf(image);
        const std::size_t treeLength = whole.bytes.at(0) | whole.bytes.at(1) << 8;
        const std::size_t tree = image.find(Text(whole).substr(0, treeLength));
        ASSERT_NE(tree, std::string::npos);
        const std::size_t end = tree + treeLength;
        for (std::size_t length = 0; length <= image.size(); ++length) {
            const pe::ResourceCopy copy = CopyOf(image.substr(0, length));
            if (length >= end) {
                EXPECT_EQ(copy.outcome, Outcome::kCopied) << name << " " << length;
                EXPECT_EQ(copy.bytes, whole.bytes) << name << " " << length;
            } else if (length >= tree) {
                EXPECT_EQ(copy.outcome, Outcome::kUnreadable) << name << " " << length;
                EXPECT_TRUE(copy.bytes.empty());
            } else {
                EXPECT_NE(copy.outcome, Outcome::kCopied) << name << " " << length;
            }
        }
    }
}

TEST(PeVersion, DamagedHeadersAndDirectories) {
    const std::string standard =
        test::Serialize(test::StandardVersion({}, u"040904B0", {{u"CompanyName", u"x"}}, {}));
    const std::string good = test::BuildPeImage({{16, 1, 0x0409, standard}});
    ASSERT_EQ(CopyOf(good).outcome, Outcome::kCopied);
    // Offsets in the builder's PE32+ layout.
    constexpr std::size_t kLfanew = 0x3C, kSections = 0x46, kOptionalMagic = 0x58,
                          kDirectoryCount = 0xC4, kResourceRva = 0xD8, kResourceSize = 0xDC,
                          kRsrcRawSize = 0x170 + 16, kDataEntryRva = 0x600 + 72,
                          kDataEntrySize = 0x600 + 76, kTypeEntryId = 0x600 + 16,
                          kTypeEntryTarget = 0x600 + 20, kLanguageCount = 0x600 + 48 + 14,
                          kLanguageTarget = 0x600 + 48 + 20;
    struct Case {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        Outcome outcome;
        bool word = false;
    };
    for (const Case& c : {
             Case{"headers past the end", kLfanew, 0x7FFFFFF0, Outcome::kNone},
             Case{"headers inside the DOS stub", kLfanew, 0x4, Outcome::kNone},
             Case{"a section table past the end", kSections, 0xFFFF, Outcome::kNone, true},
             Case{"no optional header we know", kOptionalMagic, 0x10C, Outcome::kNone},
             Case{"no resource directory slot", kDirectoryCount, 2, Outcome::kNone},
             Case{"no resource directory", kResourceRva, 0, Outcome::kNone},
             Case{"an empty resource directory", kResourceSize, 0, Outcome::kNone},
             Case{"resources outside every section", kResourceRva, 0x90000, Outcome::kNone},
             Case{"a section without raw data", kRsrcRawSize, 0, Outcome::kNone},
             Case{"no version type", kTypeEntryId, 14, Outcome::kNone},
             Case{"a type that is no directory", kTypeEntryTarget, 24, Outcome::kNone},
             Case{"a language that is a directory", kLanguageTarget, 0x80000048, Outcome::kNone},
             Case{"more languages than the section holds", kLanguageCount, 0xFFFF, Outcome::kNone,
                  true},
             Case{"data outside every section", kDataEntryRva, 0x90000, Outcome::kNone},
             Case{"data longer than the file", kDataEntrySize, 0x7FFFFFFF, Outcome::kUnreadable},
         }) {
        std::string image = good;
        if (c.word)
            test::PutU16(image, c.at, static_cast<std::uint16_t>(c.value));
        else
            test::PutU32(image, c.at, c.value);
        EXPECT_EQ(CopyOf(image).outcome, c.outcome) << c.what;
    }
    // A resource of no length is copied as the system copies it: only the mark.
    std::string empty = good;
    test::PutU32(empty, kDataEntrySize, 0);
    EXPECT_EQ(Text(CopyOf(empty)), "FE2X");
}

// A file in memory read through the window, counting the reads it asks for.
class CountingSource final : public pe::WindowedSource {
  public:
    explicit CountingSource(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    int reads = 0;

  protected:
    std::size_t ReadAt(std::uint64_t offset, std::size_t count, std::uint8_t* out) override {
        ++reads;
        if (offset >= bytes_.size())
            return 0;
        const std::size_t n =
            std::min<std::size_t>({count, static_cast<std::size_t>(bytes_.size() - offset), 3000});
        std::memcpy(out, bytes_.data() + offset, n);
        return n;
    }

  private:
    std::string bytes_;
};

// The headers come in one read, a small read past the window in another; a
// read longer than a window comes in parts; nothing past the end.
TEST(PeVersion, ReadsThroughAWindow) {
    std::string bytes(20000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 256);
    CountingSource source(bytes);
    const std::vector<std::tuple<std::uint64_t, std::size_t, int>> reads = {
        {0, 64, 1},      {900, 100, 1},   {1000, 100, 3}, {1050, 4000, 3},  {5000, 9000, -1},
        {19990, 10, -1}, {19990, 11, -1}, {25000, 1, -1}, {15000, 6000, -1}};
    for (const auto& [offset, count, readsSoFar] : reads) {
        std::string out(count, '?');
        const bool inside = offset + count <= bytes.size();
        EXPECT_EQ(source.Read(offset, count, reinterpret_cast<std::uint8_t*>(out.data())), inside);
        EXPECT_TRUE(!inside || out == bytes.substr(offset, count)) << offset << "+" << count;
        EXPECT_TRUE(readsSoFar < 0 || source.reads == readsSoFar) << offset << "+" << count;
    }
}

test::VersionNode Leaf(std::u16string key, std::u16string text) {
    return {std::move(key), test::Utf16Bytes(text), true, {}, std::nullopt};
}

TEST(PeVersionTree, FollowsTheLengthsLikeTheSystem) {
    test::VersionNode root{
        u"VS_VERSION_INFO", "", false, {Leaf(u"A", u"a"), Leaf(u"B", u"b")}, std::nullopt};
    const std::string tree = test::Serialize(root);
    const std::vector<std::uint8_t> bytes(tree.begin(), tree.end());
    EXPECT_TRUE(pe::FindValue(bytes, "\\B"));
    // Keys without regard to case, separators doubled or trailing, as the system takes them.
    EXPECT_TRUE(pe::FindValue(bytes, "\\\\b\\"));
    EXPECT_FALSE(pe::FindValue(bytes, "\\BB"));
    EXPECT_FALSE(pe::FindValue(bytes, "\\B\\Deeper"));

    // A child of length zero ends the search once its own key is compared.
    std::vector<std::uint8_t> zero = bytes;
    const std::size_t firstChild = tree.find(test::Utf16Bytes(u"A")) - 6;
    zero[firstChild] = zero[firstChild + 1] = 0;
    EXPECT_TRUE(pe::FindValue(zero, "\\A"));
    EXPECT_FALSE(pe::FindValue(zero, "\\B"));

    // Children past the parent's length are not its children.
    std::vector<std::uint8_t> shortened = bytes;
    shortened[0] = static_cast<std::uint8_t>(tree.find(test::Utf16Bytes(u"B")) - 6);
    EXPECT_TRUE(pe::FindValue(shortened, "\\A"));
    EXPECT_FALSE(pe::FindValue(shortened, "\\B"));

    // The 16-bit layout of old resources is not read.
    std::vector<std::uint8_t> old = {0x20, 0, 0, 0, 'V', 'S', 0, 0};
    EXPECT_FALSE(pe::FindValue(old, "\\"));
}

TEST(PeVersionTree, ReadsPastTheEndAsZero) {
    // A key that runs to the end of the copy: its value lies past the end.
    std::vector<std::uint8_t> cut = {0xFF, 0, 4, 0, 1, 0, 'K', 0, 'E', 0};
    std::optional<pe::ValueRef> root = pe::FindValue(cut, "\\");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->length, 4);
    EXPECT_EQ(root->offset, 12u);
    EXPECT_FALSE(pe::FindValue(cut, "\\Child"));

    // A tree that claims the largest length ends its search at the copy's end.
    std::vector<std::uint8_t> claims(64, 0);
    claims[0] = claims[1] = 0xFF;
    EXPECT_FALSE(pe::FindValue(claims, "\\StringFileInfo"));
    EXPECT_EQ(pe::FindValue({}, "\\")->offset, 8u);
}

}  // namespace
}  // namespace kvu
