#pragma once
// Test names as laboratories write them: the normalised form used to compare
// them, and the alias table of the install folder that says which names mean
// the same test.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qc {

// The comparison form of a CP932 name (UTF-8): full-width letters, digits and
// signs as half-width, half-width katakana as full-width, "，" "、" "､" as ",",
// dashes as "-", letters in lower case, blanks and line breaks removed.
std::string normalizeLabName(std::string_view name);
// The same into out, replacing its content (name must not view out).
void normalizeLabName(std::string_view name, std::string& out);

// A result value as it goes into a cell (CP932): trimmed, full-width letters,
// digits and signs as half-width ("＜０．００１" -> "<0.001"), thousands
// separators of a number removed ("1,200" -> "1200"); a lone dash stays as
// written ("－" is no number).
std::string normalizeLabValue(std::string_view value);

// The alias table "TestAlias.mst": one test a line, its names separated by
// "=" ("カドミウム=Cd=カドミウム及びその化合物"); the first name is the one a
// test added to the log gets. Lines starting with ";" and empty lines are skipped.
class TestAliases
{
public:
    static constexpr const char* kFileName = "TestAlias.mst";

    static TestAliases parse(std::string_view bytes);

    // The group of a normalised name, or -1.
    int groupOf(const std::string& normalized) const;
    // The first name of a group (CP932).
    const std::string& canonical(int group) const { return m_canonical[static_cast<size_t>(group)]; }
    const std::vector<std::string>& names(int group) const { return m_names[static_cast<size_t>(group)]; }
    int groups() const { return static_cast<int>(m_canonical.size()); }

private:
    std::vector<std::string> m_canonical;
    std::vector<std::vector<std::string>> m_names; // normalised
    std::map<std::string, int> m_index;
};

// The alias table at path, else at fallbackPath (the bundled copy, for an
// install folder made before the table existed). When neither can be read the
// table is empty and problem names the path (CP932); names are then matched
// only as the log writes them.
TestAliases loadTestAliases(const std::string& path, const std::string& fallbackPath, std::string& problem);

} // namespace qc
