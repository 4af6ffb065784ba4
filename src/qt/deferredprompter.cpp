#include "qt/deferredprompter.h"

#include <QTimer>

#include <algorithm>

namespace qc {

void DeferredPrompter::message(const std::string& text)
{
    if (std::find(m_pending.begin(), m_pending.end(), text) == m_pending.end()) m_pending.push_back(text);
    if (m_scheduled) return;
    m_scheduled = true;
    QTimer::singleShot(0, [this] { flush(); });
}

Answer DeferredPrompter::ask(const std::string&, Buttons, Answer defaultAnswer)
{
    return defaultAnswer;
}

void DeferredPrompter::flush()
{
    m_scheduled = false;
    std::vector<std::string> texts;
    texts.swap(m_pending);
    for (const std::string& t : texts) m_target.message(t);
}

} // namespace qc
