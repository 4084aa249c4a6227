// The callbacks as the library calls them, with buffers of chosen sizes.
#include "install/unzip_callbacks.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/encoding.h"
#include "tests/install/recording_host.h"

namespace kvu::test {
namespace {

class UnzipCallbacksTest : public ::testing::Test {
  protected:
    RecordingHost host;
    bool skip = false;
    UnzipRun run{host, skip};
    CurrentUnzipRun current{run};
};

TEST_F(UnzipCallbacksTest, PrintShowsTheTextUpToItsEnd) {
    struct Case {
        std::string bytes;
        std::uint32_t size;
        std::string shown;
    };
    const Case cases[] = {
        {std::string("done\0junk", 9), 9, "done"},
        {"inflating: app.dll", 9, "inflating"},
        {"\n  inflating", 12, "\r\n"},
        {Utf8ToAnsi("árvíz"), 5, "árvíz"},
        {std::string(40000, 'a'), 40000, std::string(kUnzipPrintLimit, 'a')},
    };
    for (const Case& c : cases) {
        std::vector<char> buffer(c.bytes.begin(), c.bytes.end());  // no NUL after it
        EXPECT_EQ(UnzipPrint(buffer.data(), c.size), 0);
        EXPECT_EQ(host.caption, c.shown);
    }
    EXPECT_EQ(host.pendingEventRounds, 5);
}

TEST_F(UnzipCallbacksTest, ReplaceAsksAndAnswersWithTheButton) {
    const std::pair<int, std::int32_t> cases[] = {
        {ui::kIdYes, kReplaceYes}, {ui::kIdNo, kReplaceNo}, {ui::kIdCancel, kReplaceNone}};
    char name[] = "C:\\Lindora\\app.dll";
    for (auto [button, answer] : cases) {
        host.buttons = {button};
        EXPECT_EQ(UnzipReplace(name), answer);
    }
    EXPECT_EQ(host.boxes.back(), std::make_pair(std::string("Overwrite C:\\Lindora\\app.dll?"),
                                                ui::kMbYesNoCancel | ui::kMbExclamation));
}

TEST_F(UnzipCallbacksTest, APasswordIsCutToTheBufferItIsGiven) {
    struct Case {
        std::int32_t size;
        std::size_t bufferSize;
        std::string answer;
        std::string written;  // the buffer afterwards
    };
    const std::string longAnswer(600, 'p');
    const Case cases[] = {
        {8, 8, "Titok-2024", std::string("Titok-2") + '\0'},
        {12, 12, "jelszó", Utf8ToAnsi("jelszó") + std::string(6, '\0')},
        {1000, 300, longAnswer, std::string(256, 'p') + '\0' + std::string(43, '#')},
    };
    for (const Case& c : cases) {
        std::vector<char> buffer(c.bufferSize, '#');
        host.answers = {c.answer};
        EXPECT_EQ(UnzipPassword(buffer.data(), c.size, "Password: ", "app.dll"), kPasswordEntered);
        EXPECT_EQ(std::string(buffer.begin(), buffer.end()), c.written);
    }
    EXPECT_EQ(host.prompts, std::vector<std::string>(3, kPasswordPrompt));
}

struct FailingHost : RecordingHost {
    void SetInfoCaption(const std::string&) override { throw std::runtime_error("gone"); }
    int MsgBox(const std::string&, int) override { throw std::runtime_error("gone"); }
    std::string InputBox(const std::string&) override { throw std::runtime_error("gone"); }
};

TEST(UnzipCallbacks, AFailureOrNoRunGivesTheDefaultAnswer) {
    char text[] = "app.dll";
    char password[16] = "unchanged";
    auto expectDefaults = [&] {
        EXPECT_EQ(UnzipPrint(text, sizeof text), 0);
        EXPECT_EQ(UnzipReplace(text), kReplaceNo);
        EXPECT_EQ(UnzipPassword(password, sizeof password, "", text), 1);
        EXPECT_STREQ(password, "unchanged");
    };
    expectDefaults();
    FailingHost host;
    bool skip = false;
    UnzipRun run{host, skip};
    CurrentUnzipRun current(run);
    expectDefaults();
    EXPECT_FALSE(skip);
}

}  // namespace
}  // namespace kvu::test
