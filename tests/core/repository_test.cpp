#include "core/repository.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/base64.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

// A row's fields in column order, tab-separated as in the repository.
std::string Fields(const clsRepoFiles& r) {
    std::ostringstream out;
    out << r.RID << '\t' << r.OptionNumber << '\t' << r.zipname << '\t' << r.FileName << '\t'
        << r.FileType << '\t' << r.version << '\t' << r.datetime << '\t' << r.filesize << '\t'
        << r.UpdateMode << '\t' << r.TargetDir;
    return out.str();
}

TEST(AddRow, FieldsThatDoNotConvertStayZeroAndTheRowIsKept) {
    struct Case {
        const char* rid;
        int expectedRid;
        const char* size;
        double expectedSize;
    };
    for (const Case& c : {Case{" 12 ", 12, " 7 ", 7},
                          {"+5", 5, "1.5e3", 1500},
                          {"-7", -7, "-3", -3},
                          {"x1", 0, "0x10", 0},
                          {"2147483647", 2147483647, "inf", 0},
                          {"2147483648", 0, "nan", 0},
                          {"-2147483649", 0, "", 0},
                          {"1.5", 0, "12 kB", 0},
                          {"", 0, "4294967296", 4294967296.0}}) {
        RepositoryRowList rows;
        addRow({c.rid, "opt", "z", "f", "t", "v", "d", c.size, ""}, rows);
        ASSERT_EQ(rows.size(), 1u) << c.rid;
        EXPECT_EQ(rows[0].RID, c.expectedRid) << c.rid;
        EXPECT_EQ(rows[0].OptionNumber, 0);
        EXPECT_EQ(rows[0].filesize, c.expectedSize) << c.size;
    }
}

TEST(ReadRepositoryFile, DecodesEveryLineAndKeepsFileOrder) {
    test::TempDir dir;
    // Headers in any case and rows of fewer than nine columns are skipped.
    const std::vector<std::string> lines = {
        "APPID\tOPT\tZIP\tFILE\tTYPE\tVERSION\tDATE\tFILESIZE\tMODE\tDIR",
        "1\t0\thttp://h/a.zip\ta.dll\tDLL\t1.0\t2023-01-02\t10\t\t",
        "appid\tx\tz\tf\tt\tv\td\t1\t",
        "1\t0\tz\tf\tt\tv\td\tFileSize\t",
        "1\t2\t3\t4\t5\t6\t7\t8",
        "-2\t-3\thttp://h/b.zip\tb.exe\tEXE\t2.0\t2023-01-03\t20\tNOTEXIST\tsub\tignored",
        "1\t0\thttp://h/c.zip\tc.ocx\tOCX\t3.0\t2023-01-04\t30\tALLWAYS",
    };
    for (const char* lineEnd : {"\r\n", "\n"}) {
        std::string file;
        for (const std::string& line : lines)
            file += test::Base64Encode(line) + lineEnd;
        const std::string path = dir.file("repo.xrs");
        test::WriteBytes(path, file);
        RepositoryRowList rows;
        ReadRepositoryFile(path, rows);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(Fields(rows[0]), lines[1]);
        EXPECT_EQ(Fields(rows[1]), lines[5].substr(0, lines[5].rfind('\t')));
        EXPECT_EQ(Fields(rows[2]), lines[6] + "\t") << "nine columns: no target folder";
    }
}

TEST(ReadRepositoryFile, AFileThatCannotBeOpenedGivesNoRows) {
    test::TempDir dir;
    RepositoryRowList rows;
    ReadRepositoryFile(dir.file("missing.xrs"), rows);
    ReadRepositoryFile(dir.str(), rows);  // a folder
    EXPECT_TRUE(rows.empty());
}

}  // namespace
}  // namespace kvu
