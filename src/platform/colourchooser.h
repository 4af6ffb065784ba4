#pragma once
// The platform's colour chooser as the core asks for it, and a scripted double.

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace qc {

class ColourChooser
{
public:
    virtual ~ColourChooser() = default;
    // initial and the result are 0x00BBGGRR; nothing when the user cancelled.
    virtual std::optional<uint32_t> choose(uint32_t initial) = 0;
};

// Answers from a queue (cancel once it is empty) and records what it was offered.
class ScriptedColourChooser : public ColourChooser
{
public:
    void queue(std::optional<uint32_t> answer) { m_answers.push_back(answer); }
    std::optional<uint32_t> choose(uint32_t initial) override
    {
        m_offered.push_back(initial);
        if (m_answers.empty()) return std::nullopt;
        auto a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    const std::vector<uint32_t>& offered() const { return m_offered; }

private:
    std::deque<std::optional<uint32_t>> m_answers;
    std::vector<uint32_t> m_offered;
};

} // namespace qc
