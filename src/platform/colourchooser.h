#pragma once
// The platform's colour chooser as the core asks for it, and a scripted double
// for tests. Colours are 0x00BBGGRR.

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace qc {

class ColourChooser
{
public:
    virtual ~ColourChooser() = default;
    // The chosen colour, or nothing when the user cancelled.
    virtual std::optional<uint32_t> choose(uint32_t initial) = 0;
};

// Answers from a queue (cancel once it is empty) and records every preset.
class ScriptedColourChooser : public ColourChooser
{
public:
    std::optional<uint32_t> choose(uint32_t initial) override
    {
        presets.push_back(initial);
        if (answers.empty()) return std::nullopt;
        std::optional<uint32_t> a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<uint32_t>> answers;
    std::vector<uint32_t> presets;
};

} // namespace qc
