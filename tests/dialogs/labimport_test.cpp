// Laboratory results into the log: columns to tests through the alias table,
// rows to samples by number or depth, the unit row, what is left aside, the
// fill and overwrite choices, new tests, and the round trip of the sample
// log's results through an XLSX written by openpyxl.

#include "app/docflows.h"
#include "dialogs/labimport.h"
#include "document/positions.h"
#include "document/tables.h"
#include "labtable/labnames.h"
#include "platform/files.h"
#include "platform/scriptedprompter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace qc;
using qc::test::sj;
using qc::test::u8;
using State = LabImportModel::CellState;

namespace {

const char* const kAliases = "カドミウム=Cd=カドミウム及びその化合物\n"
                             "鉛=Pb=鉛及びその化合物\n"
                             "六価クロム=六価クロム化合物\n"
                             "ふっ素=フッ素\n"
                             "1,4-ジオキサン\n";

// A title line, the header, a unit row; No.1 meets S-1 by its number, the
// second row S-2 by its depth; S-3 brings a value that differs; S-16 is not in
// the log; "備考" is no test; 1，4-ジオキサン is a test the log lacks.
const char* const kTable =
    "土壌分析結果,,,,,,,\n"
    "試料番号,深度,Cd,鉛及びその化合物,六価クロム化合物,フッ素(mg/L),備考,1，4-ジオキサン\n"
    ",,mg/L,mg/L,mg/L,,,mg/L\n"
    "No.1,,<0.001,ND,,0.12,,0.01\n"
    ",1.00-1.20,0.002,0.011,不検出,,雨天,\n"
    "S-3,,0.006,,,,,\n"
    "S-16,,0.1,,,,,\n";

struct Fixture
{
    Document doc;
    TestAliases aliases = TestAliases::parse(sj(kAliases));

    Fixture()
    {
        const char* names[] = {"カドミウム", "鉛", "六価クロム", "ふっ素"};
        for (int t = 1; t <= 4; ++t) {
            doc.TestNameTable(t, TestCol::Name) = sj(names[t - 1]);
            doc.TestNameTable(t, TestCol::Unit) = "mg/L";
        }
        sample(1, "0.50", "0.80", "S-1");
        sample(2, "1.00", "1.20", "S-2");
        sample(3, "2.00", "2.30", "S-3");
        doc.SampleTable(1, SampleCol::test(3)) = "0.02";
        doc.SampleTable(3, SampleCol::test(1)) = "0.005";
    }
    void sample(int r, const char* top, const char* bottom, const char* number)
    {
        doc.SampleTable(r, SampleCol::Top) = top;
        doc.SampleTable(r, SampleCol::Bottom) = bottom;
        doc.SampleTable(r, SampleCol::Number) = number;
    }
    LabMatch match(const std::string& utf8Table)
    {
        const LabReadResult read = readLabTable(sj(utf8Table));
        EXPECT_TRUE(read.ok) << u8(read.error);
        return matchLabSheet(read.sheet, doc, aliases);
    }
    std::string value(int sample, int test) const
    {
        return u8(doc.SampleTable(sample, SampleCol::test(test)));
    }
};

TEST(LabImportMatch, HeaderUnitsColumnsAndRows)
{
    Fixture f;
    const LabMatch m = f.match(kTable);
    ASSERT_TRUE(m.ok) << u8(m.error);
    EXPECT_EQ(m.headerRow, 1u);
    EXPECT_TRUE(m.unitRow);

    ASSERT_EQ(m.columns.size(), 6u);
    const struct
    {
        LabColumnKind kind;
        int test;
        const char* unit;
    } columns[] = {{LabColumnKind::Test, 1, "mg/L"}, {LabColumnKind::Test, 2, "mg/L"},
                   {LabColumnKind::Test, 3, "mg/L"}, {LabColumnKind::Test, 4, "mg/L"}, // from "(mg/L)"
                   {LabColumnKind::Unknown, 0, ""},  {LabColumnKind::MissingTest, 0, "mg/L"}};
    for (size_t i = 0; i < m.columns.size(); ++i) {
        EXPECT_EQ(m.columns[i].kind, columns[i].kind) << i;
        EXPECT_EQ(m.columns[i].test, columns[i].test) << i;
        EXPECT_EQ(m.columns[i].unit, columns[i].unit) << i;
    }

    ASSERT_EQ(m.rows.size(), 4u);
    EXPECT_EQ(m.rows[0].sample, 1);
    EXPECT_FALSE(m.rows[0].byDepth);
    EXPECT_EQ(m.rows[1].sample, 2);
    EXPECT_TRUE(m.rows[1].byDepth);
    EXPECT_EQ(m.rows[2].sample, 3);
    EXPECT_EQ(m.rows[3].sample, 0);
    EXPECT_FALSE(m.rows[3].reason.empty());
}

TEST(LabImportMatch, SampleKeysByNumberAndDepth)
{
    const struct
    {
        const char* key;
        int sample;
    } cases[] = {
        {"S-2", 2},         {"ｓ－２", 2},  {"2", 2},    {"No.3", 3},      {"試料3", 3}, {"1.00-1.20", 2},
        {"1.005～1.21", 2}, {"GL-2.00", 3}, {"0.52", 0}, {"1.00-1.25", 0}, {"S-9", 0},   {"", 0},
    };
    for (const auto& c : cases) {
        Fixture f;
        const LabMatch m = f.match(std::string("試料,Cd,鉛\n") + c.key + ",0.1,0.2\n");
        ASSERT_TRUE(m.ok);
        ASSERT_EQ(m.rows.size(), 1u) << c.key;
        EXPECT_EQ(m.rows[0].sample, c.sample) << c.key;
    }
    // Top and bottom in columns of their own: both must agree within 0.01 m.
    for (auto [row, sample] : {std::pair{"1.00,1.20", 2}, {"1.00,1.30", 0}, {"2.01,", 3}}) {
        Fixture f;
        const LabMatch m = f.match(std::string("上端深度(m),下端深度(m),Cd,鉛\n") + row + ",0.1,0.2\n");
        ASSERT_TRUE(m.ok);
        ASSERT_EQ(m.rows.size(), 1u);
        EXPECT_EQ(m.rows[0].sample, sample) << row;
    }
    // Two samples ending in the same number: the bare number is not guessed.
    Fixture f;
    f.sample(4, "3.00", "3.30", "B-1");
    const LabMatch m = f.match("試料,Cd,鉛\n1,0.1,0.2\n");
    EXPECT_EQ(m.rows[0].sample, 0);
}

TEST(LabImportMatch, TablesWithoutKnownTestsOrSampleColumnAreRefused)
{
    Fixture f;
    EXPECT_FALSE(f.match("試料,pH,EC\nS-1,7,10\n").ok);
    const LabMatch m = f.match("Cd,鉛\n0.1,0.2\n");
    EXPECT_FALSE(m.ok);
    EXPECT_FALSE(m.error.empty());
}

TEST(LabImportModel, FillKeepsConflictsAndBlanksNeverClear)
{
    Fixture f;
    const Document before = f.doc;
    LabImportModel model(f.doc, f.match(kTable), f.aliases);
    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), 5); // four tests of the log, then the missing one
    EXPECT_EQ(u8(model.columnTitle(4)), "1,4-ジオキサン（未登録）");

    EXPECT_EQ(model.cell(0, 0).state, State::Fill);
    EXPECT_EQ(model.cell(0, 2).state, State::None); // blank in the table
    const LabImportModel::Cell conflict = model.cell(2, 0);
    EXPECT_EQ(conflict.state, State::Conflict);
    EXPECT_EQ(conflict.oldValue, "0.005");
    EXPECT_EQ(conflict.newValue, "0.006");
    EXPECT_EQ(model.cell(1, 2).state, State::Fill); // 不検出 kept as text

    // Nothing changes before apply: Cancel leaves the log as it was.
    EXPECT_TRUE(f.doc.SampleTable == before.SampleTable);
    ASSERT_TRUE(model.apply(f.doc));
    EXPECT_EQ(f.value(1, 1), "<0.001");
    EXPECT_EQ(f.value(1, 2), "ND");
    EXPECT_EQ(f.value(1, 3), "0.02");
    EXPECT_EQ(f.value(1, 4), "0.12");
    EXPECT_EQ(f.value(2, 3), "不検出");
    EXPECT_EQ(f.value(3, 1), "0.005");
    EXPECT_EQ(f.value(1, 5), "");
    EXPECT_TRUE(f.doc.TestNameTable(5, TestCol::Name).empty());

    EXPECT_TRUE(model.anythingUnmatched());
    const std::string report = u8(model.report());
    for (const char* part : {"備考", "S-16", "0.005 → 0.006", "1,4-ジオキサン"})
        EXPECT_NE(report.find(part), std::string::npos) << part << "\n" << report;
}

TEST(LabImportModel, OverwriteAndAddMissingTests)
{
    Fixture f;
    LabImportModel model(f.doc, f.match(kTable), f.aliases);
    model.setOverwrite(true);
    model.setAddMissingTests(true);
    EXPECT_EQ(model.cell(2, 0).state, State::Overwrite);
    EXPECT_EQ(u8(model.columnTitle(4)), "1,4-ジオキサン（追加）");
    const LabImportModel::Summary s = model.summary();
    EXPECT_EQ(s.overwritten, 1);
    EXPECT_EQ(s.testsAdded, 1);
    ASSERT_TRUE(model.apply(f.doc));
    EXPECT_EQ(f.value(3, 1), "0.006");
    EXPECT_EQ(f.value(1, 3), "0.02"); // a blank still clears nothing
    EXPECT_EQ(u8(f.doc.TestNameTable(5, TestCol::Name)), "1,4-ジオキサン");
    EXPECT_EQ(f.doc.TestNameTable(5, TestCol::Unit), "mg/L");
    EXPECT_EQ(f.value(1, 5), "0.01");
}

TEST(LabImportModel, MissingTestWithoutAFreeRowIsListed)
{
    Fixture f;
    for (int t = 5; t <= limits::TestName; ++t)
        f.doc.TestNameTable(t, TestCol::Name) = "x" + std::to_string(t);
    LabImportModel model(f.doc, f.match(kTable), f.aliases);
    model.setAddMissingTests(true);
    EXPECT_EQ(model.missingWithoutRoom(), 1);
    ASSERT_TRUE(model.apply(f.doc));
    EXPECT_EQ(f.doc.TestNameTable(48, TestCol::Name), "x48");
    EXPECT_NE(u8(model.report()).find("空きがありません"), std::string::npos);
}

TEST(LabImportModel, OverlongValueIsNotWritten)
{
    Fixture f;
    const std::string longValue(LabImportModel::kValueLimit + 1, '9');
    LabImportModel model(f.doc, f.match("試料,Cd,鉛\nS-1," + longValue + ",0.2\n"), f.aliases);
    EXPECT_EQ(model.cell(0, 0).state, State::TooLong);
    model.apply(f.doc);
    EXPECT_EQ(f.value(1, 1), "");
    EXPECT_EQ(f.value(1, 2), "0.2");
    EXPECT_TRUE(model.anythingUnmatched());
}

TEST(LabImportSession, BadFilesAndSheetsAreToldAndChangeNothing)
{
    Fixture f;
    qc::test::TempDir dir;
    const std::string binary = dir.file("r.csv"), book = qc::test::dataPath("labresults.xlsx");
    ASSERT_TRUE(writeFileBytes(binary, std::string("\x00\x01\x02binary\x00", 10)));
    ScriptedPrompter prompter;
    const LabImportPaths paths{dir.file("none.mst"), ""};
    LabImportSession session(f.doc, prompter, paths);
    EXPECT_FALSE(session.open(binary));
    EXPECT_FALSE(session.hasModel());
    ASSERT_EQ(prompter.texts().size(), 1u);

    // Without an alias table the names are matched as the log writes them, and the dialog says so.
    ASSERT_TRUE(session.open(book));
    EXPECT_NE(u8(session.notice()).find("別名表"), std::string::npos);
    EXPECT_EQ(session.sheetName(), sj("結果"));
    EXPECT_EQ(session.model().columnCount(), 2); // カドミウム and 鉛; 砒素 is not a test of this log
    session.model().setOverwrite(true);
    EXPECT_FALSE(session.chooseSheet(sj("無いシート")));
    EXPECT_EQ(session.sheetName(), sj("結果"));
    // The second sheet names a single test: no header row, told, the first sheet stays.
    EXPECT_FALSE(session.chooseSheet(sj("含有量")));
    EXPECT_EQ(prompter.texts().size(), 3u);
    EXPECT_EQ(session.sheetName(), sj("結果"));
    // Reading a sheet again keeps the choices made.
    ASSERT_TRUE(session.chooseSheet(sj("結果")));
    EXPECT_TRUE(session.model().overwrite());
}

// The sample log's results, written as XLSX by openpyxl, cleared from a copy
// and brought back: SampleTable comes back identical.
TEST(LabImportRoundTrip, SampleLogResultsThroughXlsx)
{
    const std::string python = QC_OPENPYXL_PYTHON;
    ASSERT_FALSE(python.empty()) << "python3-openpyxl is missing (tools/install-deps.sh)";
    qc::test::TempDir dir;
    const std::string log = std::string(QC_SOURCE_DIR) + "/examples/sample.bhc";
    const std::string xlsx = dir.file("results.xlsx");
    const std::string command =
        python + " " + QC_SOURCE_DIR + "/tests/labtable/export_results.py " + log + " " + xlsx;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    Document original;
    ScriptedPrompter prompter;
    ASSERT_EQ(LoadByPath(original, log, prompter), FlowResult::Done);
    Document doc = original;
    int cleared = 0;
    for (int r = 1; r <= limits::Sample; ++r)
        for (int t = 1; t <= limits::TestName; ++t) {
            cleared += !doc.SampleTable(r, SampleCol::test(t)).empty();
            doc.SampleTable(r, SampleCol::test(t)).clear();
        }
    ASSERT_GT(cleared, 200);

    std::string bytes;
    ASSERT_TRUE(readFileBytes(std::string(QC_SOURCE_DIR) + "/data/install/TestAlias.mst", bytes));
    const TestAliases aliases = TestAliases::parse(bytes);
    const LabReadResult table = readLabTableFile(xlsx);
    ASSERT_TRUE(table.ok) << u8(table.error);
    LabImportModel model(doc, matchLabSheet(table.sheet, doc, aliases), aliases);
    EXPECT_FALSE(model.anythingUnmatched()) << u8(model.report());
    EXPECT_EQ(model.summary().filled, cleared);
    ASSERT_TRUE(model.apply(doc));
    EXPECT_TRUE(doc.SampleTable == original.SampleTable);
    EXPECT_TRUE(doc.TestNameTable == original.TestNameTable);
}

} // namespace
