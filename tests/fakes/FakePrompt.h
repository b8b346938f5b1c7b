#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Journal.h"
#include "platform/MessagePrompt.h"

namespace velmora::test {

// Records every message box, also as "<Kind> <text>" in the journal. A
// question takes one of the Yes answers given beforehand, else it is No.
class FakePrompt : public MessagePrompt {
public:
    enum class Kind { Information, Stop, Question, Notice };
    struct Shown {
        Kind kind;
        std::string text;
    };
    void Information(std::string_view text) override { Show(Kind::Information, text); }
    void Stop(std::string_view text) override { Show(Kind::Stop, text); }
    bool Question(std::string_view text) override {
        Show(Kind::Question, text);
        const bool yes = yesAnswers > 0;
        yesAnswers -= yes ? 1 : 0;
        return yes;
    }
    void Notice(std::string_view text) override { Show(Kind::Notice, text); }
    void AnswerYes() { ++yesAnswers; }
    std::string LastText() const { return shown.empty() ? std::string() : shown.back().text; }

    std::vector<Shown> shown;
    int yesAnswers = 0;
    Journal journal;

private:
    void Show(Kind kind, std::string_view text) {
        shown.push_back({kind, std::string(text)});
        static constexpr const char* kNames[] = {"Information", "Stop", "Question", "Notice"};
        journal.Record(kNames[static_cast<int>(kind)], text);
    }
};

}  // namespace velmora::test
