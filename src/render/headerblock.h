// Way into render: the header block, also measured by the view and the export.
#pragma once
// The header block above the column headings: the ruled table of the survey's
// particulars with the angle, direction and slope diagrams, or the two-line
// compact header. Header phase: x in page mm, y in header cm from the band base.

#include <string>
#include <string_view>
#include <vector>

namespace qc {

struct Document;
struct LogPass;

// The full table ("見出し" font, alignment left/top on entry); h in header cm, w in page mm.
void drawHeaderBlock(LogPass& pass, double h, double w);
// The two compact lines from y0 (alignment left/bottom on entry).
void drawCompactHeader(LogPass& pass, double y0, double h, double w);

// Era, then "%d年" ("元年" for 0), "%d月", "%d日"; a part that is not a number keeps its first two bytes.
std::string formatDate(std::string_view era, std::string_view year, std::string_view month,
                       std::string_view day);
// The survey period: start date "～" end date (HeaderTable 34, 6-8 and 35, 9-11).
std::string surveyPeriodText(const Document& doc);
// " 35ﾟ41'22.5"" from degrees, minutes, seconds; the blank form when degrees is empty.
std::string coordinateText(std::string_view degrees, std::string_view minutes, std::string_view seconds);
// "%6.2fm" of a value that starts like a number, else empty.
std::string metresText(std::string_view value);

// The lines a role title is drawn in: none, one, or two (upper and lower half).
std::vector<std::string> roleLabelLines(std::string_view role);
void drawRoleLabel(LogPass& pass, double x1, double x2, double y1, double y2, double w, double h,
                   std::string_view role);

// The diagrams, each from its top-left reference (x, y).
void drawAngleDiagram(LogPass& pass, double x, double y, std::string_view value);
void drawDirectionDiagram(LogPass& pass, double x, double y, std::string_view value);
void drawSlopeDiagram(LogPass& pass, double x, double y, std::string_view value);

// The default role titles of HeaderTable 41 to 44, set when all four are empty as the view is first shown.
std::vector<std::string> defaultRoleTitles();
// Fills HeaderTable 41 to 44 with the defaults when all four are empty; true when it did.
bool applyDefaultRoleTitles(Document& doc);

} // namespace qc
