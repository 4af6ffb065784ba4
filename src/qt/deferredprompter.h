#pragma once
// A Prompter for the paint event: a message box must not open while a page is
// being painted, so messages are kept and shown once the event loop is free.
// Each text is shown once per batch.

#include "platform/prompter.h"

#include <string>
#include <vector>

namespace qc {

class DeferredPrompter : public Prompter
{
public:
    explicit DeferredPrompter(Prompter& target) : m_target(target) {}
    void message(const std::string& text) override;
    // Questions cannot wait: they are answered with their default button.
    Answer ask(const std::string& text, Buttons buttons, Answer defaultAnswer) override;

private:
    void flush();

    Prompter& m_target;
    std::vector<std::string> m_pending;
    bool m_scheduled = false;
};

} // namespace qc
