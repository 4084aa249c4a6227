#include "platform/windowing/input_box.h"

namespace kvu::ui {

InputBoxForm::InputBoxForm(Session& session, const std::string& prompt, const std::string& title,
                           const std::string& defaultText)
    : Form(session, "InputBox", title, 6000, 1800),
      lblPrompt(*this, "lblPrompt", {120, 120, 4400, 1000}, prompt),
      tbAnswer(*this, "tbAnswer", {120, 1260, 5760, 315}),
      btOK(*this, "btOK", {4680, 120, 1200, 375}, "OK"),
      btCancel(*this, "btCancel", {4680, 560, 1200, 375}, "Mégse") {
    tbAnswer.SetText(defaultText);
    btOK.onClick = [this] {
        answer_ = tbAnswer.Text();
        Unload();
    };
    btCancel.onClick = [this] { Unload(); };
}

}  // namespace kvu::ui
