// The self-registration runner on real libraries built for this platform.
#include "registration/register_activex.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "platform/loader.h"
#include "test_components.h"
#include "tests/platform/set_environment.h"
#include "tests/support/temp_dir.h"

namespace kvu {
namespace {

// A fresh copy of a test component ("text": a file that is no library,
// "missing": nothing), so that no earlier load of the file counts; the
// working component traces its calls into the folder.
struct Component {
    explicit Component(const std::string& source) {
        if (source == "text")
            test::WriteBytes(path, "MZ, but no library\r\n");
        else if (source != "missing")
            std::filesystem::copy_file(test::TestComponent(source), path);
        test::SetVariable("KVU_COMPONENT_TRACE", dir.file("trace.txt").c_str());
    }
    ~Component() { test::UnsetVariable("KVU_COMPONENT_TRACE"); }
    std::string Trace() const { return test::ReadBytes(dir.file("trace.txt")); }
    // Nothing of the library stays loaded: the file can go at once.
    void ExpectReleased() const {
        EXPECT_FALSE(IsLibraryLoaded(path));
        std::error_code error;
        std::filesystem::remove(path, error);
        EXPECT_FALSE(error) << error.message();
    }

    test::TempDir dir;
    std::string path = dir.file("Vmlxcomponent.dll");
};

// A file that does not load raises its load failure only when asked to.
TEST(RegisterActiveX, RecognisesAndRegistersOnlyWorkingComponents) {
    struct Case {
        const char* source;
        bool loads, isComponent, registered;
        const char* trace;
    };
    for (const Case& c :
         {Case{"missing", false, false, false, ""}, Case{"text", false, false, false, ""},
          Case{"no_export", true, false, false, ""}, Case{"fails", true, true, false, ""},
          Case{"succeeds", true, true, true, "register\n"}}) {
        SCOPED_TRACE(c.source);
        Component component(c.source);
        EXPECT_EQ(IsDLLActiveX(component.path, false), c.isComponent);
        try {
            EXPECT_EQ(IsDLLActiveX(component.path, true), c.isComponent);
            EXPECT_TRUE(c.loads) << "nothing raised";
        } catch (const RaisedError& raised) {
            const Error& error = raised.error();
            EXPECT_FALSE(c.loads);
            EXPECT_EQ(error.source, "IsDLLActiveX");
            EXPECT_GT(error.number, kLoadErrorBase);
            EXPECT_EQ(error.description,
                      "LoadLibrary-Hiba: " + std::to_string(error.number - kLoadErrorBase));
        }
        EXPECT_EQ(RegisterActiveX(component.path, true), c.registered);
        EXPECT_EQ(component.Trace(), c.trace);
        component.ExpectReleased();
    }
    Component component("succeeds");
    EXPECT_TRUE(RegisterActiveX(component.path, false));  // S_FALSE is a success too
    EXPECT_EQ(component.Trace(), "unregister\n");
}

// The one test that waits out the whole limit.
TEST(RegisterActiveX, EndsAComponentThatOverrunsTheLimit) {
    Component component("hangs");
    EXPECT_TRUE(IsDLLActiveX(component.path, false));
    EXPECT_FALSE(RegisterActiveX(component.path, true));
    component.ExpectReleased();
}

}  // namespace
}  // namespace kvu
