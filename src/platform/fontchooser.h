#pragma once
// The platform's font chooser with its effects (colour, underline) as the core
// asks for it, and a scripted double for tests.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace qc {

struct FontRequest
{
    std::string face;    // CP932; the chooser's preset
    uint32_t colour = 0; // 0x00BBGGRR
};

struct FontChoice
{
    std::string face;      // CP932
    int logicalHeight = 0; // pixels on the display; negative for a character height
    int displayDpiY = 96;  // vertical resolution of the display the height is in
    uint32_t colour = 0;
    bool underline = false;
};

class FontChooser
{
public:
    virtual ~FontChooser() = default;
    // The chosen font, or nothing when the user cancelled.
    virtual std::optional<FontChoice> choose(const FontRequest& request) = 0;
};

// Answers from a queue (cancel once it is empty) and records every request.
class ScriptedFontChooser : public FontChooser
{
public:
    std::optional<FontChoice> choose(const FontRequest& request) override
    {
        requests.push_back(request);
        if (answers.empty()) return std::nullopt;
        std::optional<FontChoice> a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<FontChoice>> answers;
    std::vector<FontRequest> requests;
};

} // namespace qc
