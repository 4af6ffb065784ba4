// The header dialog model: the standard regional mesh code behind the
// suggested borehole number, checked against published codes of real places;
// the length limits; the engineer and machine picks into the remembered
// field; the underline visibility; the elevation warnings; the pick lists.

#include "app/appcontext.h"
#include "dialogs/headereditor.h"
#include "document/fieldtext.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <set>

using namespace qc;
using qc::test::sj;
using qc::test::u8;
using H = HeaderEditor;

namespace {

struct Fixture
{
    ScriptedPrompter prompter;
    HeaderEditor ed;

    explicit Fixture(HeaderValues v = {}, HeaderPickLists l = {}) : ed(std::move(v), std::move(l), prompter)
    {
    }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out;
        for (const auto& t : prompter.texts()) out.push_back(u8(t));
        return out;
    }
};

} // namespace

TEST(MeshCode, PublishedCodesOfRealPlaces)
{
    struct Case
    {
        const char* place;
        std::array<const char*, 6> dms; // latitude d, m, s; longitude d, m, s
        const char* expected;
    };
    const Case cases[] = {
        // The example of the header dialog: first order 5339, second 2 and 6, third 0 and 0.
        {"35 30 00 / 139 45 00", {"35", "30", "0", "139", "45", "0"}, "53392600xxx"},
        // Published codes: Tokyo Tower 53393599, Tokyo Station 53394611, Kyoto 52353680
        // (decimal degrees typed into the degree fields, and as degrees, minutes, seconds).
        {"Tokyo Tower", {"35.658581", "0", "0", "139.745433", "0", "0"}, "53393599xxx"},
        {"Tokyo Tower dms", {"35", "39", "30.89", "139", "44", "43.56"}, "53393599xxx"},
        {"Tokyo Station", {"35.681236", "0", "0", "139.767125", "0", "0"}, "53394611xxx"},
        {"Kyoto", {"34.987574", "0", "0", "135.759363", "0", "0"}, "52353680xxx"},
        {"Kyoto dms", {"34", "59", "15.27", "135", "45", "33.71"}, "52353680xxx"},
        // A point on a mesh line belongs to the mesh north and east of it; a
        // floating-point reading of 35 41 00 falls into the mesh below.
        {"on a third-order line", {"35", "41", "0", "139", "45", "0"}, "53394620xxx"},
        {"on first-order lines", {"35", "20", "0", "139", "0", "0"}, "53390000xxx"},
        {"a blank field", {"35", "30", "", "139", "45", "0"}, ""},
        {"not a number", {"35", "30", "0", "E139", "45", "0"}, ""},
        {"latitude below 1", {"0", "30", "0", "139", "45", "0"}, ""},
        {"west of 100 east", {"35", "30", "0", "99", "45", "0"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.place);
        std::array<std::string, 6> dms;
        for (size_t i = 0; i < 6; ++i) dms[i] = c.dms[i];
        EXPECT_EQ(suggestedBoreholeNumber(dms), c.expected);
    }
    EXPECT_EQ(meshCode(35.658581, 139.745433), 53393599);
    EXPECT_EQ(meshCode(0.5, 139), -1);
    EXPECT_EQ(meshCode(67, 139), -1);
}

TEST(HeaderEditor, SuggestionFollowsLongitudeSecondsAndTheNumberField)
{
    HeaderValues v;
    v.entry[51] = "35";
    v.entry[52] = "30";
    v.entry[53] = "0";
    v.entry[54] = "139";
    v.entry[55] = "45";
    Fixture f(v);
    EXPECT_EQ(f.ed.suggestion(), ""); // seconds of longitude empty
    ASSERT_TRUE(f.ed.edit(H::LonSeconds, "0"));
    EXPECT_EQ(f.ed.suggestion(), "53392600xxx");
    // Other coordinate fields take effect when the number field gets the focus.
    ASSERT_TRUE(f.ed.edit(H::LatMinutes, "39"));
    EXPECT_EQ(f.ed.suggestion(), "53392600xxx");
    f.ed.fieldEntered(H::BoringNumber);
    EXPECT_EQ(f.ed.suggestion(), "53393680xxx");
    // Never stored.
    EXPECT_EQ(f.ed.value(H::BoringNumber), "");
}

TEST(HeaderEditor, LengthLimitsInBytes)
{
    HeaderValues v;
    v.entry[5] = std::string(60, 'a'); // loaded longer than its limit
    Fixture f(v);
    EXPECT_EQ(H::maxBytes(H::BoringName), 52);
    EXPECT_EQ(H::maxBytes(H::Memo), 64);
    EXPECT_EQ(H::maxBytes(H::SurveyName), 0);
    EXPECT_TRUE(f.ed.edit(H::BoringName, std::string(59, 'a'))); // shortening a long text
    EXPECT_FALSE(f.ed.edit(H::BoringName, std::string(60, 'a')));
    EXPECT_EQ(f.ed.value(H::BoringName).size(), 59u);
    EXPECT_TRUE(f.ed.edit(H::BoringNumber, "12345678901"));
    EXPECT_FALSE(f.ed.edit(H::BoringNumber, "123456789012"));
    // Two-byte characters count as two: six of them overflow the 11 bytes.
    EXPECT_TRUE(f.ed.edit(H::Angle, sj("３０")));
    EXPECT_FALSE(f.ed.edit(H::Angle, sj("３０度")));
    EXPECT_TRUE(f.ed.edit(H::SurveyName, std::string(500, 'x')));
}

TEST(HeaderEditor, EntriesOfTheFields)
{
    const std::pair<H::Field, int> expected[] = {
        {H::SurveyName, 1},    {H::Client, 4},       {H::Elevation, 13},   {H::Datum, 12},
        {H::Role1, 41},        {H::Role4, 44},       {H::Engineer1, 16},   {H::Engineer4, 19},
        {H::Pump, 23},         {H::TotalLength, 37}, {H::StartEra, 34},    {H::StartYear, 6},
        {H::EndEra, 35},       {H::EndDay, 11},      {H::LatDegrees, 51},  {H::LonSeconds, 56},
        {H::BoringNumber, 27}, {H::Title, 38},       {H::SheetNumber, 28}, {H::Memo, 33},
        {H::Code2, 30},        {H::Company, 39},     {H::Telephone, 40},
    };
    for (auto [field, entry] : expected) EXPECT_EQ(H::entryOf(field), entry) << field;
    // Every field edits an entry of its own.
    std::set<int> seen;
    for (int f = 0; f < H::FieldCount; ++f) EXPECT_TRUE(seen.insert(H::entryOf(H::Field(f))).second) << f;
    EXPECT_EQ(H::fixedItems(H::Datum).size(), 9u);
    EXPECT_EQ(u8(H::fixedItems(H::Role2)[2]), "現場作業責任者");
    EXPECT_EQ(u8(H::fixedItems(H::Role1).back()), "\u3000");
    EXPECT_EQ(H::fixedItems(H::EndEra), H::fixedItems(H::StartEra));
    EXPECT_EQ(u8(H::fixedItems(H::Title)[1]), "化学試験柱状図");
    EXPECT_TRUE(H::fixedItems(H::Memo).empty());
}

TEST(HeaderEditor, PicksGoToTheRememberedField)
{
    HeaderPickLists lists;
    lists.engineers = {sj("山田　太郎"), sj("鈴木　花子")};
    lists.machines = {sj("ロータリー式")};
    Fixture f({}, lists);
    f.ed.pickEngineer(0);
    EXPECT_EQ(u8(f.ed.value(H::Engineer1)), "山田　太郎"); // initially the first
    f.ed.fieldEntered(H::Engineer3);
    f.ed.fieldEntered(H::Memo); // another field does not change the target
    f.ed.pickEngineer(1);
    EXPECT_EQ(u8(f.ed.value(H::Engineer3)), "鈴木　花子");
    f.ed.pickMachine(0);
    EXPECT_EQ(u8(f.ed.value(H::Machine)), "ロータリー式");
    f.ed.fieldEntered(H::Pump);
    f.ed.pickMachine(0);
    EXPECT_EQ(u8(f.ed.value(H::Pump)), "ロータリー式");
    f.ed.pickMachine(5); // no such item
    EXPECT_EQ(f.ed.machineTarget(), H::Pump);
}

TEST(HeaderEditor, UnderlineIsOfferedOnlyWithTheCompactHeader)
{
    HeaderValues v;
    v.headerUnderline = true;
    Fixture f(v);
    EXPECT_FALSE(f.ed.underlineVisible());
    f.ed.setCompactHeader(true);
    EXPECT_TRUE(f.ed.underlineVisible());
    f.ed.setCompactHeader(false);
    EXPECT_FALSE(f.ed.underlineVisible());
    EXPECT_TRUE(f.ed.values().headerUnderline); // hidden, kept
}

TEST(HeaderEditor, ElevationWarningsOnOk)
{
    struct Case
    {
        const char* elevation;
        const char* message;
    };
    const Case cases[] = {
        {"", nullptr},
        {"12.5", nullptr},
        {"3999.9", nullptr},
        {"-2", nullptr},
        {"4000", "数値が異常です"},
        {"5000.5", "数値が異常です"},
        {"abc", "入力データが不適当です"},
        {" ", "入力データが不適当です"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.elevation);
        HeaderValues v;
        v.entry[13] = c.elevation;
        Fixture f(v);
        f.ed.accept();
        EXPECT_EQ(f.messages(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_EQ(f.ed.value(H::Elevation), c.elevation); // stored as typed
    }
}

TEST(HeaderEditor, PickListsFromTheInstallFolder)
{
    qc::test::TempDir dir;
    InstallFolder folder;
    folder.path = dir.path();
    InstallPaths paths = InstallPaths::compose(folder);
    std::string long45 = std::string(45, 'm');
    ASSERT_TRUE(writeFileBytes(paths.engineers, sj("山田　太郎,主任\r\n\r\n鈴木　花子\r\n")));
    ASSERT_TRUE(writeFileBytes(paths.machines, long45 + "\r\n"));
    ScriptedPrompter prompter;
    HeaderPickLists l = HeaderPickLists::load(paths, prompter);
    ASSERT_EQ(l.engineers.size(), 2u);
    EXPECT_EQ(u8(l.engineers[0]), "山田　太郎");
    EXPECT_TRUE(l.clients.empty());
    ASSERT_EQ(l.machines.size(), 1u);
    EXPECT_EQ(l.machines[0].size(), 39u);
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_EQ(u8(prompter.texts()[0]), "ファイルが見つかりません\n( " + paths.clients + " )");

    // Client lines are read up to 79 bytes.
    ASSERT_TRUE(writeFileBytes(paths.clients, std::string(100, 'c') + "\r\n"));
    l = HeaderPickLists::load(paths, prompter);
    ASSERT_EQ(l.clients.size(), 1u);
    EXPECT_EQ(l.clients[0].size(), 79u);
}

TEST(HeaderEditor, EnterKeyModes)
{
    ScriptedPrompter p;
    EXPECT_EQ(HeaderEditor({}, {}, p, KeyOptions{0, false}).enterKeyAction(), EnterAction::PressOk);
    EXPECT_EQ(HeaderEditor({}, {}, p, KeyOptions{1, false}).enterKeyAction(), EnterAction::NextControl);
    EXPECT_EQ(HeaderEditor({}, {}, p, KeyOptions{2, false}).enterKeyAction(), EnterAction::Swallow);
}
