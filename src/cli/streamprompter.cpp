#include "cli/streamprompter.h"

#include "document/cp932.h"

#include <ostream>

namespace qc {

void StreamPrompter::message(const std::string& text)
{
    std::string line = cp932::toUtf8(text);
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    while (!line.empty() && line.back() == ' ') line.pop_back();
    m_err << "qc: " << line << '\n';
    ++m_count;
}

Answer StreamPrompter::ask(const std::string&, Buttons, Answer)
{
    return m_answer;
}

} // namespace qc
