#pragma once

#include <string_view>

namespace velmora {

// The message boxes the program shows. Every box has a fixed text; tests read
// the text and answer the question.
class MessagePrompt {
public:
    virtual ~MessagePrompt() = default;
    // Information icon, OK button: reports and test results.
    virtual void Information(std::string_view text) = 0;
    // Stop icon, OK button: refusals and errors.
    virtual void Stop(std::string_view text) = 0;
    // Question icon, Yes and No buttons; true only for Yes.
    virtual bool Question(std::string_view text) = 0;
    // Exclamation icon, Yes and No buttons: a question about a risky step;
    // true only for Yes. Asked like any question where no warning icon exists.
    virtual bool Warning(std::string_view text) { return Question(text); }
    // Stop icon, OK button, without waiting: the box stays until the user
    // closes it while the caller, and every timer, goes on at once. For what
    // went wrong while nobody was asked, such as a scheduled action.
    virtual void Notice(std::string_view text) = 0;
};

}  // namespace velmora
