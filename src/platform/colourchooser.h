#pragma once
// The platform's colour chooser as the core asks for it, and a scripted
// double for tests.

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace qc {

class ColourChooser
{
public:
    virtual ~ColourChooser() = default;
    // The chosen colour (0x00BBGGRR) starting from initial, or nothing when cancelled.
    virtual std::optional<uint32_t> choose(uint32_t initial) = 0;
};

// Answers from a queue (nothing once it is empty) and records the colours it was opened with.
class ScriptedColourChooser : public ColourChooser
{
public:
    void queue(std::optional<uint32_t> answer) { m_answers.push_back(answer); }
    const std::vector<uint32_t>& openedWith() const { return m_opened; }

    std::optional<uint32_t> choose(uint32_t initial) override
    {
        m_opened.push_back(initial);
        if (m_answers.empty()) return std::nullopt;
        auto a = m_answers.front();
        m_answers.pop_front();
        return a;
    }

private:
    std::deque<std::optional<uint32_t>> m_answers;
    std::vector<uint32_t> m_opened;
};

} // namespace qc
