// The main window's part in an extraction, played by a test: it records what
// the extraction shows and answers as scripted.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "install/unzip_callbacks.h"
#include "platform/windowing/types.h"

namespace kvu::test {

struct RecordingHost : UnzipHost {
    std::string caption;
    std::vector<std::string> captions;  // every text set, in order
    int pendingEventRounds = 0;
    std::vector<std::pair<std::string, int>> boxes;  // text and style
    std::deque<int> buttons;                         // the answers; then OK
    std::vector<std::string> prompts;
    std::deque<std::string> answers;  // the input box's answers; then empty

    std::string InfoCaption() const override { return caption; }
    void SetInfoCaption(const std::string& text) override { captions.push_back(caption = text); }
    void ProcessPendingEvents() override { ++pendingEventRounds; }
    int MsgBox(const std::string& text, int style) override {
        boxes.emplace_back(text, style);
        int button = buttons.empty() ? ui::kIdOk : buttons.front();
        return buttons.empty() ? button : (buttons.pop_front(), button);
    }
    std::string InputBox(const std::string& prompt) override {
        prompts.push_back(prompt);
        std::string answer = answers.empty() ? "" : answers.front();
        return answers.empty() ? answer : (answers.pop_front(), answer);
    }
};

}  // namespace kvu::test
