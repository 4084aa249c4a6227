#include "platform/ini_document.h"

#include <gtest/gtest.h>

namespace kvu::ini {
namespace {

const std::string kFile =
    "; kvu settings\r\n"
    "orphan=before any section\r\n"
    "[0_PARAM]\r\n"
    "  REPO_URL =  http://example.test/a.xrs  \r\n"
    "APP_PATH=\"C:\\Program Files\\Lindora\"\r\n"
    "quoted='x'\r\n"
    "half=\"x\r\n"
    "bare line\r\n"
    "empty=\r\n"
    "sum = a = b \r\n"
    "\r\n"
    "[12_param]\n"
    "UPDATE_ONLY_NEWER=7\n"
    "[0_PARAM]\r\n"
    "second=only in the second copy\r\n";

// Names without regard to case and blanks; values lose blanks and matching
// quotes; the default where nothing answers, losing its trailing blanks.
TEST(IniRead, ValuesAndDefaults) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"0_param", " repo_url ", "d", "http://example.test/a.xrs"},
        {"0_PARAM", "APP_PATH", "d", "C:\\Program Files\\Lindora"},
        {"0_PARAM", "quoted", "d", "x"},
        {"0_PARAM", "half", "d", "\"x"},
        {"12_PARAM", "update_only_newer", "d", "7"},
        {"0_PARAM", "missing", "def  ", "def"},
        {"0_PARAM", "bare line", "def", "def"},  // no '=' is no value
        {"0_PARAM", "empty", "def", ""},
        {"0_PARAM", "sum", "def", "a = b"},  // the first '=' ends the name
        {"0_PARAM", "orphan", "def", "def"},
        {"0_PARAM", "second", "def", "def"},  // the first section only
        {"9_PARAM", "REPO_URL", "def", "def"}};
    for (const auto& [section, key, def, value] : cases)
        EXPECT_EQ(ReadString(kFile, section, key, def), value) << section << " " << key;
    const std::string text = "[s]\r\nk=" + std::string(1500, 'v') + "\r\n";
    EXPECT_EQ(ReadString(text, "s", "k", ""), std::string(1023, 'v'));
    EXPECT_EQ(ReadString(text, "s", "k", "", 30), std::string(29, 'v'));
}

TEST(IniRead, WholeNumbersFollowTheSystemParser) {
    // 4294967297 wraps at 32 bits; an empty value gives the default.
    const std::pair<const char*, int> cases[] = {{"7", 7},          {"-12", -12}, {"+3", 3},
                                                 {"12abc", 12},     {"abc", 0},   {"0x1F", 31},
                                                 {"4294967297", 1}, {"", -99},    {"\"\"", -99}};
    for (const auto& [value, number] : cases)
        EXPECT_EQ(ReadInt("[s]\r\nk=" + std::string(value) + "\r\n", "s", "k", -99), number)
            << value;
}

// In place where the key is, else at the end of its section, else in a new
// section; every other line stays as it was.
TEST(IniWrite, ReplacesOrAddsWhereTheKeyBelongs) {
    const std::string replace = "; comment\r\n[0_PARAM]\r\nREPO_URL = old\r\nAPP_PATH=C:\\\r\n";
    EXPECT_EQ(WriteString(replace, "0_param", "repo_url", "new"),
              "; comment\r\n[0_PARAM]\r\nREPO_URL=new\r\nAPP_PATH=C:\\\r\n");
    EXPECT_EQ(WriteString(replace, "0_PARAM", "APP_PATH", "C:\\"), replace);
    const std::string text = "[0_PARAM]\r\nA=1\r\n\r\n[1_PARAM]\r\nB=2";
    EXPECT_EQ(WriteString(text, "0_PARAM", "C", "3"),
              "[0_PARAM]\r\nA=1\r\nC=3\r\n\r\n[1_PARAM]\r\nB=2");
    EXPECT_EQ(WriteString(text, "1_PARAM", "C", "3"),
              "[0_PARAM]\r\nA=1\r\n\r\n[1_PARAM]\r\nB=2\r\nC=3");
    EXPECT_EQ(WriteString(text, "2_PARAM", "C", "  3"),
              "[0_PARAM]\r\nA=1\r\n\r\n[1_PARAM]\r\nB=2\r\n\r\n[2_PARAM]\r\nC=3\r\n");
    EXPECT_EQ(WriteString("", "0_PARAM", "APP_PATH", "/opt"), "[0_PARAM]\r\nAPP_PATH=/opt\r\n");
}

}  // namespace
}  // namespace kvu::ini
