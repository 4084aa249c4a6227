#include "platform/headless/driver.h"

#include <stdexcept>

#include "platform/windowing/input_box.h"

namespace kvu::headless {
namespace {

HeadlessBackend& BackendFor(const ui::Control& control) {
    return headless::BackendOf(control.form().session());
}

bool Reachable(const ui::Control& control) {
    return BackendFor(control).Reachable(control.form()) && control.ShownVisible() &&
           control.ShownEnabled();
}

}  // namespace

HeadlessBackend& BackendOf(ui::Session& session) {
    auto* backend = dynamic_cast<HeadlessBackend*>(&session.backend());
    if (!backend)
        throw std::logic_error("the headless driver needs the headless windowing backend");
    return *backend;
}

bool Focus(ui::Control& control) {
    if (!Reachable(control) || !control.TakesFocus())
        return false;
    HeadlessBackend& backend = BackendFor(control);
    ui::Control* previous = backend.focused;
    if (previous == &control)
        return true;
    backend.focused = &control;
    if (previous && previous->kind() == ui::Control::Kind::kTextBox)
        static_cast<ui::TextBox*>(previous)->UserLostFocus();
    return true;
}

bool Click(ui::Button& button) {
    if (!Focus(button))
        return false;
    button.UserClick();
    return true;
}

bool Click(ui::CheckBox& box) {
    if (!Focus(box))
        return false;
    box.UserClick();
    return true;
}

bool Click(ui::Label& label) {
    if (!Reachable(label))
        return false;
    label.UserClick();
    return true;
}

bool Click(ui::CustomButton& button) {
    if (!Focus(button))
        return false;
    button.UserClick();
    return true;
}

bool Type(ui::TextBox& box, const std::string& text) {
    if (!Focus(box) || box.Locked())
        return false;
    box.SetText(text);
    return true;
}

bool Select(ui::ComboBox& box, int index) {
    if (!Focus(box) || index < 0 || index >= box.ItemCount())
        return false;
    box.SetListIndex(index);
    return true;
}

bool CheckRow(ui::ListView& list, int row, bool checked) {
    if (!Focus(list) || !list.CheckBoxes() || row < 0 || row >= list.RowCount())
        return false;
    list.UserCheck(row, checked);
    return true;
}

bool ClickColumn(ui::ListView& list, int column) {
    if (!Reachable(list) || column < 0 || column >= list.ColumnCount())
        return false;
    list.UserClickColumn(column);
    return true;
}

bool Tick(ui::Timer& timer) {
    HeadlessBackend& backend = BackendOf(timer.form().session());
    if (!timer.form().Shown() || backend.ended || !timer.Running())
        return false;
    timer.Elapsed();
    return true;
}

bool CloseBox(ui::Form& form) {
    if (!BackendOf(form.session()).Reachable(form))
        return false;
    form.UserClose();
    return true;
}

bool Resize(ui::Form& form, const ui::Rect& bounds) {
    if (!BackendOf(form.session()).Reachable(form) || !form.Resizable())
        return false;
    form.UserMoved(bounds, bounds.width - HeadlessBackend::kFrameWidth,
                   bounds.height - HeadlessBackend::kFrameHeight);
    return true;
}

void AnswerNextMessageBox(ui::Session& session, int answer) {
    BackendOf(session).messageBoxAnswers.push_back(answer);
}

void AnswerNextFolderPicker(ui::Session& session, const std::string& folder) {
    BackendOf(session).folderAnswers.push_back(folder);
}

void ActInNextModal(ui::Session& session, std::function<void(ui::Form&)> action) {
    BackendOf(session).modalActions.push_back(std::move(action));
}

void AnswerNextInputBox(ui::Session& session, std::optional<std::string> text) {
    ActInNextModal(session, [text](ui::Form& form) {
        auto& box = dynamic_cast<ui::InputBoxForm&>(form);
        if (!text) {
            Click(box.btCancel);
            return;
        }
        Type(box.tbAnswer, *text);
        Click(box.btOK);
    });
}

}  // namespace kvu::headless
