#pragma once
// A Prompter for the command line: messages become one line on a stream,
// questions take a fixed answer.

#include "platform/prompter.h"

#include <iosfwd>

namespace qc {

class StreamPrompter : public Prompter
{
public:
    StreamPrompter(std::ostream& err, Answer answer) : m_err(err), m_answer(answer) {}
    void message(const std::string& text) override;
    Answer ask(const std::string& text, Buttons buttons, Answer defaultAnswer) override;
    int messageCount() const { return m_count; }

private:
    std::ostream& m_err;
    Answer m_answer;
    int m_count = 0;
};

} // namespace qc
