#include "platform/scriptedprompter.h"

namespace qc {

void ScriptedPrompter::message(const std::string& text)
{
    m_entries.push_back({false, text, Buttons::YesNo, Answer::Ok});
}

Answer ScriptedPrompter::ask(const std::string& text, Buttons buttons, Answer defaultAnswer)
{
    m_entries.push_back({true, text, buttons, defaultAnswer});
    if (!m_answers.empty()) {
        Answer a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    ++m_unanswered;
    return m_fallback.value_or(defaultAnswer);
}

std::vector<std::string> ScriptedPrompter::texts() const
{
    std::vector<std::string> out;
    for (const auto& e : m_entries) out.push_back(e.text);
    return out;
}

} // namespace qc
