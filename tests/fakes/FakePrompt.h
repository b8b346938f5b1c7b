#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "Journal.h"
#include "platform/MessagePrompt.h"

namespace velmora::test {

// Records every message box; questions take their answers from a queue and
// are answered No when it is empty.
class FakePrompt : public MessagePrompt {
public:
    enum class Kind { Information, Stop, Question };
    struct Shown {
        Kind kind;
        std::string text;
    };

    void Information(std::string_view text) override { Show(Kind::Information, text); }
    void Stop(std::string_view text) override { Show(Kind::Stop, text); }
    bool Question(std::string_view text) override {
        Show(Kind::Question, text);
        if (answers.empty()) {
            return false;
        }
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }

    void AnswerYes() { answers.push_back(true); }
    void AnswerNo() { answers.push_back(false); }
    // The text of the last box, empty when none was shown.
    std::string LastText() const { return shown.empty() ? std::string() : shown.back().text; }

    std::vector<Shown> shown;
    std::deque<bool> answers;
    Journal journal;

private:
    void Show(Kind kind, std::string_view text) {
        shown.push_back({kind, std::string(text)});
        static constexpr const char* kNames[] = {"Information", "Stop", "Question"};
        journal.Record(std::string(kNames[static_cast<int>(kind)]) + " " + std::string(text));
    }
};

}  // namespace velmora::test
