// A new soil name from the master editor to the log: entered with its pattern
// and colour through the editor's model, picked in the geology dialog's model,
// derived into GeologyTable and drawn in its colour on the page.

#include "app/appcontext.h"
#include "app/viewstate.h"
#include "commands/viewcontroller.h"
#include "dialogs/geologyeditor.h"
#include "dialogs/namemastereditor.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/colourchooser.h"
#include "platform/recordingdevice.h"
#include "platform/scriptedprompter.h"
#include "support/controllerfixture.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <functional>

using namespace qc;
using qc::test::sj;
using qc::test::u8;
using M = NameMasterEditor;
using G = GeologyEditor;

namespace {

constexpr uint32_t kNewColour = 0x2040c0;

// The dialogs of the two commands, run on their models by a script.
class ScriptedDialogs : public NoDialogs
{
public:
    AppContext& app;
    Prompter& prompter;
    ScriptedColourChooser colours;
    std::function<void(M&)> onNameMaster;
    std::function<void(G&)> onGeology;

    ScriptedDialogs(AppContext& a, Prompter& p) : app(a), prompter(p) {}
    bool provides(CommandId id) const override
    {
        return id == CommandId::NameMaster || id == CommandId::Geology;
    }
    bool nameMaster(NameMasterDialogData& data) override
    {
        M model(data, prompter, colours);
        model.open();
        onNameMaster(model);
        if (!model.accept()) return false;
        data = model.data();
        return true;
    }
    bool geology(Document& doc, int& e59, int& e60) override
    {
        G model(doc.GeologyTable, app.master, {}, prompter, KeyOptions{}, e59, e60);
        model.open();
        onGeology(model);
        return model.accept();
    }
};

int rowOf(const M& m, const std::string& utf8)
{
    for (size_t i = 0; i < m.masterRows().size(); ++i)
        if (m.masterRows()[i].name == sj(utf8)) return static_cast<int>(i) + 1;
    return 0;
}

} // namespace

TEST(NameMasterFlow, ANewSoilNameReachesTheGeologyDialogAndTheLog)
{
    qc::test::ControllerFixture<ScriptedDialogs> f;
    AppContext& app = f.app;
    Document& doc = f.doc;
    ScriptedPrompter& prompter = f.prompter;
    ScriptedDialogs& dialogs = f.dialogs;
    ViewController& ctl = f.ctl;
    ctl.viewUpdate(true);

    // The master editor: "汚染土" with pattern 2500 at the end of the base names,
    // pattern 2500 given its own colour, vector patterns only.
    dialogs.onNameMaster = [](M& m) {
        m.clickMaster(rowOf(m, "[第2 混じり（重ね模様 1～8）]"));
        m.setField(M::Name, sj("汚染土"));
        m.setField(M::Symbol, "Cs");
        m.setField(M::PatternNo, "2500");
        m.apply();
        m.setTarget(M::Target::Bitmap);
        m.apply();
        m.setTarget(M::Target::Vector);
        m.insert();
        for (size_t i = 0; i < m.patternRows().size(); ++i)
            if (m.patternRows()[i].number == "2500") m.clickPattern(static_cast<int>(i) + 1);
        m.setField(M::Colour, "0x2040c0");
        m.overwritePattern();
        m.settings().patternUse = 0;
    };
    ctl.run(CommandId::NameMaster);
    ASSERT_TRUE(prompter.entries().empty()) << u8(prompter.texts().front());
    EXPECT_EQ(app.patternColours.colourOf(2500), kNewColour);
    EXPECT_EQ(app.settings.PatternUse(), 0);

    // The geology dialog lists it and a layer takes it.
    bool listed = false;
    dialogs.onGeology = [&](G& g) {
        const auto& bases = g.names(G::NameList::Bases);
        for (size_t i = 0; i < bases.size(); ++i)
            if (bases[i].name == sj("汚染土")) {
                listed = true;
                g.setField(G::Depth, "3.5");
                g.pickName(G::NameList::Bases, static_cast<int>(i));
                g.add();
            }
    };
    ctl.run(CommandId::Geology);
    ASSERT_TRUE(listed);
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Name), sj("汚染土"));
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::VectorName), "2500.0");
    EXPECT_EQ(doc.GeologyTable(1, GeologyCol::Composed), "Cs");

    // The page draws the layer's pattern in the new colour.
    RecordingDevice device(96, 96);
    ASSERT_TRUE(ctl.drawScreen(device, &prompter));
    int inColour = 0;
    for (const auto& c : device.calls())
        if (c.op == RecordingDevice::Op::Polyline && c.pen.colour == kNewColour) ++inColour;
    EXPECT_GT(inColour, 10);
}
