// Our own profile engine against the system's profile functions: the same file
// and the same question must give the same answer.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ini_document.h"
#include "platform/profile.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

// A key of a section, and the default read or the value written.
struct Entry {
    const char* section;
    const char* key;
    const char* text;
};

const std::vector<std::string> kCorpus = {
    "",
    "[s]\r\nk=v\r\n",
    "[s]\nk=v",                                             // LF only, no final newline
    "  [s]  \r\n  k  =  v  \r\n",                           // blanks around everything
    "[ s ]\r\nk=v\r\n[s]\r\nk=w\r\n",                       // blanks inside the brackets
    "[S]\r\nK=first\r\nk=second\r\n",                       // duplicate keys
    "[s]\r\na=1\r\n[t]\r\nb=2\r\n[S]\r\nk=dup\r\na=3\r\n",  // duplicate sections
    "k=before\r\n[s]\r\nx=1\r\n",                           // key before any section
    "[s]\r\nk=\"quoted\"\r\nq='single'\r\nh=\"half\r\nm=\"a\"b\"\r\ne=\"\"\r\n",
    "[s]\r\nk=\r\nbare\r\n=novalue\r\nx= \r\n",  // empty values, lines without '='
    "[s]\r\n;k=comment\r\nk=after comment\r\n# hash=1\r\n",
    "[s]\r\nk=v=w\r\n[s2]]\r\nk=brackets\r\n[open\r\nk=open\r\n",
    "[s]\r\nk=" + std::string(1100, 'x') + "\r\nq=\"" + std::string(1022, 'y') + "\"\r\n",
    "[s]\r\nk=\t tab \t\r\n\x1a\r\nz=ctrl-z\x1a\r\n",
    "[s]\r\nn1=7\r\nn2=-12\r\nn3=+5\r\nn4=0x1F\r\nn5=12abc\r\nn6=abc\r\nn7=4294967297\r\n"
    "n8= 9 \r\nn9=\"42\"\r\nn10=0o17\r\nn11=0b101\r\nn12=0X10\r\nn13=-0x10\r\n"
    "n14=123456789012345678901234567890123\r\n",
    "[s]\r\r\nk=cr cr\r\r\n",
    std::string("[s]\r\nk=nul\0here\r\n", 19),
    "[PRODUCTS]\r\n12=B\r\n3=A\r\n; 4=comment\r\nnovalue\r\n12=again\r\n",
};

const std::vector<Entry> kQueries = {
    {"s", "k", "def"},         {"S", "K", "def"},          {" s ", " k ", "def"},
    {"s", "q", "def"},         {"s", "h", "def"},          {"s", "m", "def"},
    {"s", "e", "def"},         {"s", "a", "def"},          {"t", "b", "def"},
    {"s", "x", "def"},         {"s", "bare", "def"},       {"s", "z", "def"},
    {"s", "missing", "def  "}, {"s", "missing", "\"qd\""}, {"s2]", "k", "def"},
    {"s2", "k", "def"},        {"", "k", "def"},           {"nosuch", "k", ""},
    {"s", ";k", "def"},        {"s", "# hash", "def"},     {"s", "n1", "def"},
    {"[open", "k", "d"},       {"fresh", "k", "d"},
};

std::string SystemString(const std::string& file, const Entry& q) {
    std::vector<char> buffer(1024, '\0');
    GetPrivateProfileStringA(q.section, q.key, q.text, buffer.data(), 1024, file.c_str());
    return buffer.data();
}

const std::vector<std::string> kNumberKeys = {"k",  "x",   "e",   "missing", "n1",  "n2",
                                              "n3", "n4",  "n5",  "n6",      "n7",  "n8",
                                              "n9", "n10", "n11", "n12",     "n13", "n14"};

// Values, whole numbers and the key names of a section; the key names come
// from the system through the Windows ReadProfileKeys.
TEST(ProfileDifferential, ReadsAnswerLikeTheSystem) {
    test::TempDir dir;
    for (std::size_t i = 0; i < kCorpus.size(); ++i) {
        SCOPED_TRACE("file " + std::to_string(i));
        const std::string file = dir.file("read" + std::to_string(i) + ".ini");
        test::WriteBytes(file, kCorpus[i]);
        for (const Entry& q : kQueries) {
            EXPECT_EQ(ini::ReadString(kCorpus[i], q.section, q.key, q.text), SystemString(file, q))
                << "[" << q.section << "] " << q.key;
        }
        for (const std::string& key : kNumberKeys) {
            EXPECT_EQ(ini::ReadInt(kCorpus[i], "s", key, -77),
                      static_cast<int>(GetPrivateProfileIntA("s", key.c_str(), -77, file.c_str())))
                << key;
        }
        for (const char* section : {"s", "S", "t", "s2]", "[open", "PRODUCTS", "nosuch"})
            EXPECT_EQ(ini::KeyNames(kCorpus[i], section), ReadProfileKeys(section, file))
                << section;
    }
}

TEST(ProfileDifferential, WritesMeanTheSameToTheSystem) {
    const std::vector<Entry> writes = {
        {"s", "k", "new"},      {"S", "K", "upper"},  {"s", "added", "1"}, {"fresh", "k", "x"},
        {" s ", "k", "  lead"}, {"s", "bare", "now"}, {"t", "b", "3"},
    };
    test::TempDir dir;
    for (std::size_t i = 0; i < kCorpus.size(); ++i) {
        for (std::size_t w = 0; w < writes.size(); ++w) {
            const Entry& write = writes[w];
            const std::string name = std::to_string(i) + "-" + std::to_string(w);
            const std::string theirs = dir.file("sys" + name + ".ini");
            const std::string ours = dir.file("own" + name + ".ini");
            test::WriteBytes(theirs, kCorpus[i]);
            WritePrivateProfileStringA(write.section, write.key, write.text, theirs.c_str());
            test::WriteBytes(ours,
                             ini::WriteString(kCorpus[i], write.section, write.key, write.text));
            for (const Entry& q : kQueries) {
                EXPECT_EQ(SystemString(ours, q), SystemString(theirs, q))
                    << "file " << i << " write " << w << " [" << q.section << "] " << q.key;
            }
        }
    }
}

}  // namespace
}  // namespace kvu
