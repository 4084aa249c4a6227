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
    "\r\n"
    "[12_param]\n"
    "UPDATE_ONLY_NEWER=7\n"
    "[0_PARAM]\r\n"
    "second=only in the second copy\r\n";

TEST(IniRead, NamesIgnoreCaseAndBlanksValuesLoseBlanksAndQuotes) {
    EXPECT_EQ(ReadString(kFile, "0_param", " repo_url ", "d"), "http://example.test/a.xrs");
    EXPECT_EQ(ReadString(kFile, "0_PARAM", "APP_PATH", "d"), "C:\\Program Files\\Lindora");
    EXPECT_EQ(ReadString(kFile, "0_PARAM", "quoted", "d"), "x");
    EXPECT_EQ(ReadString(kFile, "0_PARAM", "half", "d"), "\"x");
    EXPECT_EQ(ReadString(kFile, "12_PARAM", "update_only_newer", "d"), "7");
}

TEST(IniRead, DefaultsWhereNothingAnswers) {
    EXPECT_EQ(ReadString(kFile, "0_PARAM", "missing", "def  "), "def");  // trailing blanks go
    EXPECT_EQ(ReadString(kFile, "0_PARAM", "bare line", "def"), "def");  // no '=' is no value
    EXPECT_EQ(ReadString(kFile, "0_PARAM", "empty", "def"), "");
    EXPECT_EQ(ReadString(kFile, "0_PARAM", "orphan", "def"), "def");
    EXPECT_EQ(ReadString(kFile, "0_PARAM", "second", "def"), "def");  // first section only
    EXPECT_EQ(ReadString(kFile, "9_PARAM", "REPO_URL", "def"), "def");
    EXPECT_EQ(ReadString("", "0_PARAM", "REPO_URL", "def"), "def");
}

TEST(IniRead, LongValuesAreCutToTheBuffer) {
    std::string longValue(1500, 'v');
    std::string text = "[s]\r\nk=" + longValue + "\r\n";
    EXPECT_EQ(ReadString(text, "s", "k", ""), std::string(1023, 'v'));
    EXPECT_EQ(ReadString(text, "s", "k", "", 30), std::string(29, 'v'));
}

TEST(IniRead, WholeNumbersFollowTheSystemParser) {
    auto number = [](const std::string& value) {
        return ReadInt("[s]\r\nk=" + value + "\r\n", "s", "k", -99);
    };
    EXPECT_EQ(number("7"), 7);
    EXPECT_EQ(number("-12"), -12);
    EXPECT_EQ(number("+3"), 3);
    EXPECT_EQ(number("12abc"), 12);
    EXPECT_EQ(number("abc"), 0);
    EXPECT_EQ(number("0x1F"), 31);
    EXPECT_EQ(number("4294967297"), 1);  // wraps at 32 bits
    EXPECT_EQ(number(""), -99);
    EXPECT_EQ(number("\"\""), -99);
    EXPECT_EQ(ReadInt("", "s", "k", 1), 1);
}

TEST(IniWrite, ReplacesInPlaceAndKeepsEveryOtherLine) {
    std::string text = "; comment\r\n[0_PARAM]\r\nREPO_URL = old\r\nAPP_PATH=C:\\\r\n";
    EXPECT_EQ(WriteString(text, "0_param", "repo_url", "new"),
              "; comment\r\n[0_PARAM]\r\nREPO_URL=new\r\nAPP_PATH=C:\\\r\n");
    EXPECT_EQ(WriteString(text, "0_PARAM", "APP_PATH", "C:\\"), text);  // unchanged
}

TEST(IniWrite, AddsMissingKeysAndSectionsWhereTheyBelong) {
    std::string text = "[0_PARAM]\r\nA=1\r\n\r\n[1_PARAM]\r\nB=2";
    EXPECT_EQ(WriteString(text, "0_PARAM", "C", "3"),
              "[0_PARAM]\r\nA=1\r\nC=3\r\n\r\n[1_PARAM]\r\nB=2");
    EXPECT_EQ(WriteString(text, "1_PARAM", "C", "3"),
              "[0_PARAM]\r\nA=1\r\n\r\n[1_PARAM]\r\nB=2\r\nC=3");
    EXPECT_EQ(WriteString(text, "2_PARAM", "C", "  3"),
              "[0_PARAM]\r\nA=1\r\n\r\n[1_PARAM]\r\nB=2\r\n\r\n[2_PARAM]\r\nC=3\r\n");
    EXPECT_EQ(WriteString("", "0_PARAM", "APP_PATH", "/opt"), "[0_PARAM]\r\nAPP_PATH=/opt\r\n");
}

TEST(IniWrite, WhatIsWrittenReadsBack) {
    std::string text;
    for (const char* value : {"plain", "with = sign", "ends with blank ", "'quoted'"}) {
        text = WriteString(text, "s", "k", value);
        std::string expected = value;
        if (expected.front() == '\'')
            expected = expected.substr(1, expected.size() - 2);
        while (expected.back() == ' ')
            expected.pop_back();
        EXPECT_EQ(ReadString(text, "s", "k", "d"), expected) << value;
    }
}

}  // namespace
}  // namespace kvu::ini
