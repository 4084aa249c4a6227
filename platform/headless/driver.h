// Acting as the user on windows of the in-memory backend, for tests.
//
// Every action goes through what a user could reach: a control that is hidden
// or disabled (or inside a hidden or disabled frame), or a window that is not
// shown or lies under a modal window, takes no action and the call answers
// false. Moving the focus away from a text box raises its lost-focus event, as
// clicking elsewhere does on the screen.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/windowing.h"

namespace kvu::headless {

// The backend behind a session; the program must link the headless backend.
HeadlessBackend& BackendOf(ui::Session& session);

bool Focus(ui::Control& control);
bool Click(ui::Button& button);
bool Click(ui::CheckBox& box);
bool Click(ui::Label& label);
bool Click(ui::CustomButton& button);
// Replaces the text as typing would, raising the change event.
bool Type(ui::TextBox& box, const std::string& text);
// Picks an entry of a drop-down list (0-based).
bool Select(ui::ComboBox& box, int index);
bool CheckRow(ui::ListView& list, int row, bool checked);
bool ClickColumn(ui::ListView& list, int column);
// One period of a running timer on a shown window; false when it did not fire.
bool Tick(ui::Timer& timer);
bool CloseBox(ui::Form& form);
bool Resize(ui::Form& form, const ui::Rect& bounds);

// What the scripted user answers next.
void AnswerNextMessageBox(ui::Session& session, int answer);
void AnswerNextFolderPicker(ui::Session& session, const std::string& folder);
void ActInNextModal(ui::Session& session, std::function<void(ui::Form&)> action);
// Types the text and confirms it in the next input box; nullopt cancels it.
void AnswerNextInputBox(ui::Session& session, std::optional<std::string> text);

}  // namespace kvu::headless
