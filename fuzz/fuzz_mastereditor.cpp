// The master editor's readers of the name master and the pattern index on
// arbitrary bytes, and its writers on what they read.

#include "dialogs/namemastereditor.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto master = qc::NameMasterEditor::parseMaster(bytes);
    if (master.size() > static_cast<size_t>(qc::NameMasterEditor::kMasterRows)) __builtin_trap();
    const auto again = qc::NameMasterEditor::parseMaster(qc::NameMasterEditor::formatMaster(master));
    if (again.size() > master.size()) __builtin_trap();
    const auto patterns = qc::NameMasterEditor::parsePatternIndex(bytes);
    (void)qc::NameMasterEditor::parsePatternIndex(qc::NameMasterEditor::formatPatternIndex(patterns));
    return 0;
}
