// The settings, font, short-text, pick-list and default-document readers on arbitrary
// bytes; settings and fonts must write and read back to the same values.

#include "app/masterfiles.h"
#include "app/settings.h"
#include "document/tables.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    qc::Settings s = qc::parseSettings(bytes);
    qc::applySettingsLoadRules(s);
    const std::string written = qc::formatSettings(s);
    qc::Settings again = qc::parseSettings(written);
    qc::applySettingsLoadRules(again);
    if (!again.sameLines(s) || qc::formatSettings(again) != written) __builtin_trap();
    if (s.marginLeftMm() < 1 || s.marginLeftMm() > 100) __builtin_trap();

    for (int role = 1; role <= 6; ++role) {
        qc::FontRole f = qc::parseFontFile(bytes, role);
        if (!(f.points > 1 && f.points <= 400)) __builtin_trap();
        qc::FontRole back = qc::parseFontFile(qc::formatFontFile(f), role);
        if (back.face != f.face || back.colour != f.colour || back.option != f.option) __builtin_trap();
    }

    (void)qc::parsePhrases(bytes);
    for (size_t limit : {39u, 79u})
        for (const std::string& item : qc::parsePickList(bytes, limit))
            if (item.empty() || item.size() > limit) __builtin_trap();
    // Reused between runs: clearing costs what the last input used, building the tables far more.
    static qc::Document& doc = *new qc::Document;
    qc::ClearAll(doc);
    qc::seedFromDefaultDocument(doc, bytes);
    return 0;
}
