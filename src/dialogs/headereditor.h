#pragma once
// The header dialog ("見出し"): the survey header fields of HeaderTable with
// their length limits, the fixed drop-down items, the engineer, client and
// machine pick lists, the "ｱﾝﾀﾞｰﾗｲﾝ" visibility rule, the suggested borehole
// number from the standard regional mesh code, and the elevation warnings.

#include "dialogs/listeditor.h"

#include <array>
#include <string>
#include <vector>

namespace qc {

struct InstallPaths;

// What the dialog edits, indexed by HeaderTable entry (CP932).
struct HeaderValues
{
    std::string geologyDepth;          // "%.2f" of the deepest layer bottom, shown read-only
    std::array<std::string, 57> entry; // entries 1-13, 16-30, 33-35, 37-44 and 51-56
    bool elevationShown = false;       // "標高表示"
    bool compactHeader = false;        // "簡略見出し表示"
    bool headerUnderline = false;      // "ｱﾝﾀﾞｰﾗｲﾝ"
};

// The pick lists read from the install folder as the dialog opens.
struct HeaderPickLists
{
    std::vector<std::string> engineers; // "Man.mst", lines cut to 39 bytes
    std::vector<std::string> clients;   // "Hat.mst", 79 bytes
    std::vector<std::string> machines;  // "Sks.mst", 39 bytes

    // A missing file shows "ファイルが見つかりません\n( %1 )" and leaves its list empty.
    static HeaderPickLists load(const InstallPaths& paths, Prompter& prompter);
};

// The 8-digit standard regional mesh code (third-order mesh) of a point, or -1
// when it has none: latitude and longitude in degrees, both at least 1, the
// longitude from 100 up to 200 east and the latitude below 66 2/3 north.
long meshCode(double latitude, double longitude);
// The suggestion shown beside "ボーリングNo." for the six coordinate texts
// (degrees, minutes, seconds of latitude then longitude): "%ldxxx" of the mesh
// code, or empty when a text is not a number or the point has no code.
std::string suggestedBoreholeNumber(const std::array<std::string, 6>& coordinates);

class HeaderEditor
{
public:
    // The fields in the order of the dialog's layout.
    enum Field {
        SurveyName,  // "調査名" 1
        ProjectName, // "事業工事名" 2
        Location,    // "調査位置" 3
        Client,      // "発注機関" 4
        BoringName,  // "ボーリング名" 5
        Elevation,   // "孔口標高m" 13
        Datum,       // "種別" 12
        Role1,       // "技術者" roles 41 to 44
        Role2,
        Role3,
        Role4,
        Engineer1, // names 16 to 19
        Engineer2,
        Engineer3,
        Engineer4,
        Machine,     // "試錐機" 20
        Hammer,      // "ハンマー" 21
        Engine,      // "エンジン" 22
        Pump,        // "ポンプ" 23
        Angle,       // "角度" 24
        Bearing,     // "方位" 25
        Slope,       // "地盤勾配" 26
        TotalLength, // "総削孔長m" 37
        StartEra,    // "調査期間" "始" 34, 6, 7, 8
        StartYear,
        StartMonth,
        StartDay,
        EndEra, // "至" 35, 9, 10, 11
        EndYear,
        EndMonth,
        EndDay,
        LatDegrees, // "北緯" 51, 52, 53
        LatMinutes,
        LatSeconds,
        LonDegrees, // "東経" 54, 55, 56
        LonMinutes,
        LonSeconds,
        BoringNumber, // "ボーリングNo." 27
        Title,        // "柱状図ﾀｲﾄﾙ" 38
        SheetNumber,  // "シートNo." 28
        Memo,         // "メモ" 33
        Code1,        // "code1" 29
        Code2,        // "code2" 30
        Company,      // "調査業者名" 39
        Telephone,    // "TEL" 40
        FieldCount
    };

    // The HeaderTable entry of a field and the most bytes typing may give it (0: no limit).
    static int entryOf(Field f);
    static int maxBytes(Field f);
    // The fixed items of a drop-down field (CP932); empty for the others.
    static const std::vector<std::string>& fixedItems(Field f);

    HeaderEditor(HeaderValues values, HeaderPickLists lists, Prompter& prompter, KeyOptions keys = {});

    const HeaderValues& values() const { return m_values; }
    const std::string& value(Field f) const;
    // Typing: refused (false, the value kept) when it would make the text longer
    // than its limit; a text already longer may still be shortened.
    bool edit(Field f, std::string text);
    // The focus entered a field: the engineer and machine fields are remembered
    // for the pick lists, and "ボーリングNo." refreshes the suggestion.
    void fieldEntered(Field f);

    const HeaderPickLists& lists() const { return m_lists; }
    Field engineerTarget() const { return m_engineerTarget; }
    Field machineTarget() const { return m_machineTarget; }
    void pickEngineer(int index);
    void pickMachine(int index);

    const std::string& suggestion() const { return m_suggestion; }
    void updateSuggestion();

    void setElevationShown(bool on) { m_values.elevationShown = on; }
    void setCompactHeader(bool on) { m_values.compactHeader = on; }
    void setUnderline(bool on) { m_values.headerUnderline = on; }
    // "ｱﾝﾀﾞｰﾗｲﾝ" is offered only with the compact header.
    bool underlineVisible() const { return m_values.compactHeader; }

    EnterAction enterKeyAction() const;

    // OK: the elevation warnings; the dialog closes with OK whatever they say.
    void accept();

private:
    std::string& ref(Field f);

    HeaderValues m_values;
    HeaderPickLists m_lists;
    Prompter& m_prompter;
    KeyOptions m_keys;
    Field m_engineerTarget = Engineer1;
    Field m_machineTarget = Machine;
    std::string m_suggestion;
};

} // namespace qc
