// The window behind Session::InputBox: a prompt, one line of text, OK and Cancel.
#pragma once

#include <string>

#include "platform/windowing/controls.h"
#include "platform/windowing/form.h"

namespace kvu::ui {

class InputBoxForm : public Form {
  public:
    InputBoxForm(Session& session, const std::string& prompt, const std::string& title,
                 const std::string& defaultText);

    // The text confirmed with OK; empty after Cancel or the close box.
    const std::string& Answer() const { return answer_; }

    Label lblPrompt;
    TextBox tbAnswer;
    Button btOK;
    Button btCancel;

  private:
    std::string answer_;
};

}  // namespace kvu::ui
