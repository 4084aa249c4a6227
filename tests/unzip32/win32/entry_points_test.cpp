// The library's entry points as a caller written for the published interface
// finds them: undecorated names, and on i686 the stdcall convention, in which
// the callee pops its own arguments.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/unzip32/unzip_harness.h"

namespace kvu::test {
namespace {

#if defined(__i386__)
// Calls function with six stack arguments and returns how many bytes of them
// the function removed from the stack: 0 for cdecl, 4 per argument it takes for
// stdcall.
std::int32_t BytesPopped(FARPROC function, const std::uintptr_t (&arguments)[6]) {
    std::int32_t moved = 0;
    const std::uintptr_t* from = arguments;
    asm volatile(
        "movl %%esp, %%ebx\n\t"
        "subl $24, %%esp\n\t"
        "movl 0(%%edx), %%eax\n\tmovl %%eax, 0(%%esp)\n\t"
        "movl 4(%%edx), %%eax\n\tmovl %%eax, 4(%%esp)\n\t"
        "movl 8(%%edx), %%eax\n\tmovl %%eax, 8(%%esp)\n\t"
        "movl 12(%%edx), %%eax\n\tmovl %%eax, 12(%%esp)\n\t"
        "movl 16(%%edx), %%eax\n\tmovl %%eax, 16(%%esp)\n\t"
        "movl 20(%%edx), %%eax\n\tmovl %%eax, 20(%%esp)\n\t"
        "call *%%ecx\n\t"
        "movl %%esp, %%eax\n\t"
        "subl %%ebx, %%eax\n\t"
        "movl %%ebx, %%esp\n\t"
        : "=a"(moved), "+c"(function), "+d"(from)
        :
        : "ebx", "memory", "cc");
    return moved + 24;
}
#endif

TEST(EntryPoints, AreExportedUndecoratedAndPopTheirArguments) {
    HMODULE library = LoadLibraryW(L"unzip32.dll");
    ASSERT_NE(library, nullptr);
    FARPROC version = GetProcAddress(library, "UzpVersion2");
    FARPROC unzip = GetProcAddress(library, "Wiz_SingleEntryUnzip");
    ASSERT_NE(version, nullptr);
    ASSERT_NE(unzip, nullptr);
#if defined(__i386__)
    UzpVer2 record{};
    record.structlen = sizeof record;
    EXPECT_EQ(BytesPopped(version, {reinterpret_cast<std::uintptr_t>(&record)}), 4);
    EXPECT_EQ(record.windll.major, KVU_VERSION_MAJOR);

    // Options without an archive are refused at once; only the stack matters here.
    DCL options{};
    USERFUNCTIONS functions{};
    const auto optionsAt = reinterpret_cast<std::uintptr_t>(&options);
    const auto functionsAt = reinterpret_cast<std::uintptr_t>(&functions);
    EXPECT_EQ(BytesPopped(unzip, {0, 0, 0, 0, optionsAt, functionsAt}), 24);
#endif
    FreeLibrary(library);
}

}  // namespace
}  // namespace kvu::test
