// Runs the extraction library the way the program does: loaded through
// platform/extraction.h from beside the test program, with the updater's
// options, and with callbacks that record what they were called with.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <deque>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/encoding.h"
#include "platform/extraction.h"
#include "platform/paths.h"
#include "tests/support/temp_dir.h"
#include "tests/support/zip_writer.h"

namespace kvu::test {

inline std::string BesideTest(const std::string& name) {
    return AppFolder() + kPathSep + name;
}

// An archive (or its source file) made at build time by make_archives.py.
inline std::string Prepared(const std::string& name) {
    return BesideTest("archives" + std::string(1, kPathSep) + name);
}

// A UTF-8 name beyond ASCII (a plain std::string path is taken in the ANSI
// code page on Windows).
inline std::filesystem::path Utf8Path(const std::string& folder, const std::string& name) {
    return std::filesystem::path(folder) /
           std::filesystem::path(std::u8string(name.begin(), name.end()));
}

// Lines of text that differ enough to make deflating work.
inline std::string Text(const std::string& seed, std::size_t lines) {
    std::string text;
    for (std::size_t i = 0; i < lines; ++i)
        text += seed + " line " + std::to_string(i * 7919 % 1000) + "\r\n";
    return text;
}

// What the callbacks saw, in order, and how they are to answer.
struct CallbackLog {
    // The callback ("print", "replace", "password", "member", "service",
    // "sound") and the text or name it was given.
    std::vector<std::pair<std::string, std::string>> calls;
    std::deque<std::string> passwords;        // answers; when empty: no password (answer 1)
    std::deque<std::int32_t> replaceAnswers;  // when empty: no
    std::string renameTo;
    std::int32_t serviceAnswer = 0;
    USERFUNCTIONS functions{};  // the callbacks given and the totals the library left

    // The texts given to one kind of callback, or with no kind the kinds called.
    std::vector<std::string> Names(const std::string& kind = {}) const {
        std::vector<std::string> names;
        for (const auto& [called, text] : calls) {
            if (kind.empty() || called == kind)
                names.push_back(kind.empty() ? called : text);
        }
        return names;
    }
    std::string AllPrinted() const {
        std::string all;
        for (const std::string& text : Names("print"))
            all += text;
        return all;
    }
};

// The log the callbacks write to; the interface gives callbacks no context.
inline CallbackLog*& CurrentLog() {
    static CallbackLog* log = nullptr;
    return log;
}

inline void Record(const char* kind, std::string text = {}) {
    CurrentLog()->calls.emplace_back(kind, std::move(text));
}

inline std::int32_t UZ_WINAPI RecordPrint(char* buffer, std::uint32_t size) {
    Record("print", std::string(buffer, strnlen(buffer, size)));
    return 0;
}

inline std::int32_t UZ_WINAPI RecordReplace(char* name) {
    Record("replace", AnsiToUtf8(name));
    std::deque<std::int32_t>& answers = CurrentLog()->replaceAnswers;
    const std::int32_t answer = answers.empty() ? kReplaceNo : answers.front();
    if (!answers.empty())
        answers.pop_front();
    if (answer == kReplaceRename)
        std::strcpy(name, CurrentLog()->renameTo.c_str());
    return answer;
}

inline std::int32_t UZ_WINAPI RecordPassword(char* buffer, std::int32_t, const char*,
                                             const char* entry) {
    Record("password", AnsiToUtf8(entry));
    if (CurrentLog()->passwords.empty())
        return 1;
    std::strcpy(buffer, CurrentLog()->passwords.front().c_str());
    CurrentLog()->passwords.pop_front();
    return 0;
}

inline void UZ_WINAPI RecordMember(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                   std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, char,
                                   char* name, char*, std::uint32_t, char) {
    Record("member", AnsiToUtf8(name));
}

inline std::int32_t UZ_WINAPI RecordService(const char* name, std::uint32_t) {
    Record("service", AnsiToUtf8(name));
    return CurrentLog()->serviceAnswer;
}

inline void UZ_WINAPI RecordSound() {
    Record("sound");
}

// One call's options: the updater's (overwrite without asking, flat) unless
// a test changes them.
struct UnzipCall {
    std::string archive;
    std::string folder;
    DCL options{};
    std::vector<std::string> includes;
    std::vector<std::string> excludes;

    UnzipCall(std::string archivePath, std::string folderPath)
        : archive(std::move(archivePath)), folder(std::move(folderPath)) {
        options.noflag = 1;
    }
};

// The library beside the test program, loaded once.
inline const ExtractionLibrary& Library() {
    static const ExtractionLibrary library(BesideTest(kExtractionLibraryName));
    return library;
}

// Like the program: a list of 100 entries, the first one empty when unused.
inline std::vector<char*> NameList(std::vector<std::string>& names) {
    static char empty[] = "";
    std::vector<char*> list(100, empty);
    for (std::size_t i = 0; i < names.size(); ++i)
        list[i] = names[i].data();
    return list;
}

// Runs the call; log, when given, records the callbacks and scripts their answers.
inline std::int32_t Extract(UnzipCall call, CallbackLog* log = nullptr) {
    CallbackLog unwatched;
    CurrentLog() = log ? log : &unwatched;
    std::string archive = Utf8ToAnsi(call.archive), folder = Utf8ToAnsi(call.folder);
    call.options.lpszZipFN = archive.data();
    call.options.lpszExtractDir = folder.data();
    std::vector<char*> includes = NameList(call.includes), excludes = NameList(call.excludes);
    // The totals start as junk, to show that the library sets them.
    USERFUNCTIONS& functions = CurrentLog()->functions;
    functions = {RecordPrint,  RecordSound,   RecordReplace, RecordPassword,
                 RecordMember, RecordService, 0xDEAD,        0xDEAD,
                 0xDEAD,       0xDEAD,        0xDEAD};
    const std::int32_t code = Library().SingleEntryUnzip(
        static_cast<std::int32_t>(call.includes.size()), includes.data(),
        static_cast<std::int32_t>(call.excludes.size()), excludes.data(), call.options, functions);
    CurrentLog() = nullptr;
    return code;
}

// Extracts an archive of these bytes, named update.zip, into folder.
inline std::int32_t ExtractBytes(const std::string& bytes, const std::string& folder,
                                 CallbackLog* log = nullptr) {
    TempDir work;
    WriteBytes(work.file("update.zip"), bytes);
    return Extract(UnzipCall(work.file("update.zip"), folder), log);
}

// An installation folder with one installed file, to show that a failure
// leaves it as it was and leaves nothing else behind.
struct InstalledFolder : TempDir {
    static constexpr const char* kInstalledBytes = "MZ installed version 1.0\r\n";

    InstalledFolder() { WriteBytes(file("app.dll"), kInstalledBytes); }

    void ExpectUntouched() const {
        EXPECT_EQ(ReadBytes(file("app.dll")), kInstalledBytes);
        EXPECT_EQ(Names(), std::vector<std::string>{"app.dll"});
    }
};

}  // namespace kvu::test
