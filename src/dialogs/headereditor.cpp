#include "dialogs/headereditor.h"

#include "app/appcontext.h"
#include "app/masterfiles.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "platform/prompter.h"

#include <cassert>
#include <cmath>

namespace qc {

namespace {

struct FieldLayout
{
    int entry;
    int maxBytes; // 0: no limit
};

// Indexed by HeaderEditor::Field.
constexpr FieldLayout kFields[HeaderEditor::FieldCount] = {
    {1, 0},  {2, 0},   {3, 0},  {4, 0},   {5, 52},  {13, 8}, {12, 16}, {41, 0},  {42, 0},
    {43, 0}, {44, 0},  {16, 0}, {17, 0},  {18, 0},  {19, 0}, {20, 0},  {21, 0},  {22, 0},
    {23, 0}, {24, 4},  {25, 4}, {26, 4},  {37, 0},  {34, 8}, {6, 8},   {7, 4},   {8, 4},
    {35, 8}, {9, 8},   {10, 4}, {11, 4},  {51, 4},  {52, 4}, {53, 8},  {54, 4},  {55, 4},
    {56, 8}, {27, 11}, {38, 0}, {28, 16}, {33, 64}, {29, 0}, {30, 0},  {39, 80}, {40, 0},
};

constexpr size_t kEngineerLineBytes = 39;
constexpr size_t kClientLineBytes = 79;
constexpr size_t kMachineLineBytes = 39;

// Whole micro-seconds of arc, so that a point on a mesh line is not pushed
// across it by rounding.
constexpr long long kMicro = 1000000;

bool isEngineerField(HeaderEditor::Field f)
{
    return f >= HeaderEditor::Engineer1 && f <= HeaderEditor::Engineer4;
}

bool isMachineField(HeaderEditor::Field f)
{
    return f >= HeaderEditor::Machine && f <= HeaderEditor::Pump;
}

long meshCodeFromSeconds(double latSeconds, double lonSeconds, double latDegrees, double lonDegrees)
{
    if (!(latDegrees >= 1 && lonDegrees >= 1)) return -1;
    long long lat = std::llround(latSeconds * kMicro);
    long long lon = std::llround((lonSeconds - 100.0 * 3600.0) * kMicro);
    if (lat < 0 || lon < 0) return -1;
    // First order: 40 minutes of latitude and 1 degree of longitude; second
    // order: an eighth of that; third order: a tenth of the second.
    long long lat1 = lat / (2400 * kMicro), lon1 = lon / (3600 * kMicro);
    if (lat1 > 99 || lon1 > 99) return -1;
    long long latRest = lat % (2400 * kMicro), lonRest = lon % (3600 * kMicro);
    long long lat2 = latRest / (300 * kMicro), lon2 = lonRest / (450 * kMicro);
    long long lat3 = (latRest % (300 * kMicro)) / (30 * kMicro);
    long long lon3 = (lonRest % (450 * kMicro)) / (45 * kMicro);
    return static_cast<long>(lat1 * 1000000 + lon1 * 10000 + lat2 * 1000 + lon2 * 100 + lat3 * 10 + lon3);
}

} // namespace

long meshCode(double latitude, double longitude)
{
    return meshCodeFromSeconds(latitude * 3600.0, longitude * 3600.0, latitude, longitude);
}

std::string suggestedBoreholeNumber(const std::array<std::string, 6>& c)
{
    for (const std::string& t : c)
        if (!isNumeric(t)) return {};
    double v[6];
    for (size_t i = 0; i < 6; ++i) v[i] = cellDouble(c[i]);
    double latSeconds = v[0] * 3600 + v[1] * 60 + v[2];
    double lonSeconds = v[3] * 3600 + v[4] * 60 + v[5];
    long code = meshCodeFromSeconds(latSeconds, lonSeconds, latSeconds / 3600, lonSeconds / 3600);
    if (code <= 0) return {};
    return std::to_string(code) + "xxx";
}

HeaderPickLists HeaderPickLists::load(const InstallPaths& paths, Prompter& prompter)
{
    HeaderPickLists l;
    l.engineers = loadPickList(paths.engineers, kEngineerLineBytes, prompter);
    l.clients = loadPickList(paths.clients, kClientLineBytes, prompter);
    l.machines = loadPickList(paths.machines, kMachineLineBytes, prompter);
    return l;
}

int HeaderEditor::entryOf(Field f)
{
    assert(f >= 0 && f < FieldCount);
    return kFields[f >= 0 && f < FieldCount ? f : 0].entry;
}

int HeaderEditor::maxBytes(Field f)
{
    assert(f >= 0 && f < FieldCount);
    return kFields[f >= 0 && f < FieldCount ? f : 0].maxBytes;
}

const std::vector<std::string>& HeaderEditor::fixedItems(Field f)
{
    static const std::vector<std::string> none;
    static const std::vector<std::string> datum = {"T.B.M.", "A.P.", "T.P.",   "Y.P.",  "O.P.",
                                                   "K.P.",   "N.P.", "M.S.L.", "K.B.L."};
    static const std::vector<std::string> role1 = {QC_SJ("主任技術者"), QC_SJ("照査技術者"),
                                                   QC_SJ("管理技術者"), QC_SJ("　")};
    static const std::vector<std::string> role2 = {QC_SJ("現場代理人"), QC_SJ("管理技術者"),
                                                   QC_SJ("現場作業責任者"), QC_SJ("　"), ""};
    static const std::vector<std::string> role3 = {QC_SJ("コア鑑定者"), QC_SJ("　"), ""};
    static const std::vector<std::string> role4 = {QC_SJ("ボーリング責任者"), QC_SJ("　")};
    static const std::vector<std::string> era = {QC_SJ("令和"), QC_SJ("平成"), QC_SJ("昭和"), ""};
    static const std::vector<std::string> title = {QC_SJ("ボーリング柱状図"), QC_SJ("化学試験柱状図"), ""};
    switch (f) {
    case Datum:
        return datum;
    case Role1:
        return role1;
    case Role2:
        return role2;
    case Role3:
        return role3;
    case Role4:
        return role4;
    case StartEra:
    case EndEra:
        return era;
    case Title:
        return title;
    default:
        return none;
    }
}

HeaderEditor::HeaderEditor(HeaderValues values, HeaderPickLists lists, Prompter& prompter, KeyOptions keys)
    : m_values(std::move(values)), m_lists(std::move(lists)), m_prompter(prompter), m_keys(keys)
{
    updateSuggestion();
}

std::string& HeaderEditor::ref(Field f)
{
    return m_values.entry[static_cast<size_t>(entryOf(f))];
}

const std::string& HeaderEditor::value(Field f) const
{
    return m_values.entry[static_cast<size_t>(entryOf(f))];
}

bool HeaderEditor::edit(Field f, std::string text)
{
    std::string& v = ref(f);
    size_t limit = static_cast<size_t>(maxBytes(f));
    if (limit && text.size() > limit && text.size() > v.size()) return false;
    v = std::move(text);
    if (f == LonSeconds) updateSuggestion();
    return true;
}

void HeaderEditor::fieldEntered(Field f)
{
    if (isEngineerField(f)) m_engineerTarget = f;
    if (isMachineField(f)) m_machineTarget = f;
    if (f == BoringNumber) updateSuggestion();
}

void HeaderEditor::pickEngineer(int index)
{
    if (index < 0 || index >= static_cast<int>(m_lists.engineers.size())) return;
    ref(m_engineerTarget) = m_lists.engineers[static_cast<size_t>(index)];
}

void HeaderEditor::pickMachine(int index)
{
    if (index < 0 || index >= static_cast<int>(m_lists.machines.size())) return;
    ref(m_machineTarget) = m_lists.machines[static_cast<size_t>(index)];
}

void HeaderEditor::updateSuggestion()
{
    m_suggestion = suggestedBoreholeNumber({value(LatDegrees), value(LatMinutes), value(LatSeconds),
                                            value(LonDegrees), value(LonMinutes), value(LonSeconds)});
}

EnterAction HeaderEditor::enterKeyAction() const
{
    return enterActionFor(m_keys);
}

void HeaderEditor::accept()
{
    const std::string& elevation = value(Elevation);
    if (elevation.empty()) return;
    if (!isNumeric(elevation))
        m_prompter.message(QC_SJ("入力データが不適当です"));
    else if (cellDouble(elevation) >= 4000)
        m_prompter.message(QC_SJ("数値が異常です"));
}

} // namespace qc
