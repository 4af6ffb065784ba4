#pragma once
// A Prompter for tests and batch use: records every text it is given and
// answers questions from a queue (or with a fixed answer once the queue is empty).

#include "platform/prompter.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace qc {

class ScriptedPrompter : public Prompter
{
public:
    struct Entry
    {
        bool question = false;
        std::string text; // code page 932
        Buttons buttons = Buttons::YesNo;
        Answer defaultAnswer = Answer::Ok;
    };

    void message(const std::string& text) override;
    Answer ask(const std::string& text, Buttons buttons, Answer defaultAnswer) override;

    void queueAnswer(Answer a) { m_answers.push_back(a); }
    // Answer given once the queue is empty; without it the default button is taken.
    void setFallbackAnswer(std::optional<Answer> a) { m_fallback = a; }

    const std::vector<Entry>& entries() const { return m_entries; }
    std::vector<std::string> texts() const;
    int unansweredQuestions() const { return m_unanswered; }
    void clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
    std::deque<Answer> m_answers;
    std::optional<Answer> m_fallback;
    int m_unanswered = 0;
};

} // namespace qc
