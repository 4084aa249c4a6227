// Names and patterns with the answers of the system's directory listing.
#pragma once

#include <vector>

namespace kvu::test {

struct PatternCase {
    const char* pattern;
    std::vector<const char*> matching;
    std::vector<const char*> other;
    bool sameUnderWine = true;  // Wine's listing gives these answers too
};

inline const std::vector<PatternCase> kPatternCases = {
    {"*.*", {"a", "a.b", "a.b.c", "noext", "x.dll"}, {}},
    {"*", {"a", "a.b", "a.b.c"}, {}},
    {"*.dll", {"a.dll", "A.DLL", "a.b.dll", "Vmlx.Dll"}, {"a.dll.bak", "a.dl", "adll", "a.dllx"}},
    {"vmlx*.dll", {"VmlxBtn.dll", "vmlx.dll", "VMLXgrid.DLL"}, {"xvmlx.dll", "vmlx.ocx"}},
    {"*.ocx", {"Btn.OCX", "a.b.ocx"}, {"ocx", "a.ocx.old"}},
    {"a*b", {"ab", "axxb", "a.b"}, {"abc", "ba"}},
    {"*a", {"a", "b.a", "a.b.a"}, {"a.b"}},
    {"x.*", {"x", "x.y", "x.y.z"}, {"xy", "ax.y"}},
    {"*.", {"abc", "noext"}, {"abc.txt"}, false},  // Wine lists every name
    {"?.dll", {"a.dll", "B.DLL"}, {"ab.dll"}},
    {"a??.txt", {"abc.txt"}, {"abcd.txt", "b.txt"}},
    {"file.t?t", {"file.txt", "FILE.TXT"}, {"file.tt", "file.t", "file.txtx"}},
    {"readme.txt", {"README.TXT", "readme.txt"}, {"readme.txt2", "readme"}},
    // The system lets "?" match nothing before a dot or at the end; Wine does not.
    {"a?", {"a", "ab"}, {"abc"}, false},
    {"a??.txt", {"a.txt", "ab.txt"}, {}, false},
};

}  // namespace kvu::test
