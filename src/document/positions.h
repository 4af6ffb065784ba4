#pragma once
// Named positions of the document tables: HeaderTable entries, the columns of
// every row table, the fixed rows of DisplayItemTable and GraphFormatTable,
// and the bit values stored in attribute cells. Tables are 1-based; the values
// are the positions the file format and every stored log rely on.

namespace qc {

// HeaderTable entries (one column of 90).
struct HeaderEntry
{
    static constexpr int SurveyName = 1;  // "調査名"
    static constexpr int ProjectName = 2; // "事業工事名"
    static constexpr int Location = 3;    // "調査位置"
    static constexpr int Orderer = 4;     // "発注機関"
    static constexpr int BoringName = 5;  // "ボーリング名"
    static constexpr int StartYear = 6;   // survey period start: year, month, day
    static constexpr int StartMonth = 7;
    static constexpr int StartDay = 8;
    static constexpr int EndYear = 9; // survey period end: year, month, day
    static constexpr int EndMonth = 10;
    static constexpr int EndDay = 11;
    static constexpr int DatumKind = 12;       // "種別" of the elevation datum
    static constexpr int Elevation = 13;       // "孔口標高m"
    static constexpr int LatitudeInFile = 14;  // "d,m,s" of 51-53, only in the file
    static constexpr int LongitudeInFile = 15; // "d,m,s" of 54-56, only in the file
    static constexpr int Engineer1 = 16;       // engineer names 1 to 4 are 16 to 19
    static constexpr int Engineer2 = 17;
    static constexpr int Engineer3 = 18;
    static constexpr int Engineer4 = 19;
    static constexpr int DrillingMachine = 20; // "試錐機"
    static constexpr int Hammer = 21;          // "ハンマー"
    static constexpr int Engine = 22;          // "エンジン"
    static constexpr int Pump = 23;            // "ポンプ"
    static constexpr int HoleAngle = 24;       // "角度"
    static constexpr int Bearing = 25;         // "方位"
    static constexpr int GroundSlope = 26;     // "地盤勾配"
    static constexpr int BoringNumber = 27;    // "ボーリングNo."
    static constexpr int SheetNumber = 28;     // "シートNo."
    static constexpr int Code1 = 29;
    static constexpr int Code2 = 30;
    static constexpr int Memo = 33;          // "メモ"
    static constexpr int StartEra = 34;      // era of the start date
    static constexpr int EndEra = 35;        // era of the end date
    static constexpr int ShowElevation = 36; // flag "標高表示"
    static constexpr int TotalLength = 37;   // "総削孔長m"
    static constexpr int LogTitle = 38;      // "柱状図ﾀｲﾄﾙ"
    static constexpr int Company = 39;       // "調査業者名"
    static constexpr int Telephone = 40;     // "TEL"
    static constexpr int Role1 = 41;         // role titles of engineers 1 to 4 are 41 to 44
    static constexpr int Role2 = 42;
    static constexpr int Role3 = 43;
    static constexpr int Role4 = 44;
    static constexpr int TotalDepth = 45;           // last layer's bottom, set before every save
    static constexpr int CompactHeader = 47;        // flag "簡略見出し表示"
    static constexpr int HeaderUnderline = 48;      // flag "ｱﾝﾀﾞｰﾗｲﾝ"
    static constexpr int ValuesBesideSymbols = 49;  // flag "シンボル横にデータを表示"
    static constexpr int BlackAndWhiteSymbols = 50; // flag "白黒"
    static constexpr int LatitudeDeg = 51;          // "北緯" degrees, minutes, seconds: 51 to 53
    static constexpr int LatitudeMin = 52;
    static constexpr int LatitudeSec = 53;
    static constexpr int LongitudeDeg = 54; // "東経" degrees, minutes, seconds: 54 to 56
    static constexpr int LongitudeMin = 55;
    static constexpr int LongitudeSec = 56;
    static constexpr int LegacyOption = 58;     // filled only when an older file is loaded
    static constexpr int SplitTopsoil = 59;     // "常に表土分割", "%d"
    static constexpr int AlternationLines = 60; // "互層 縦線表示", "%d"
    // PageSettings, 61 to 69: the page label of the footer.
    static constexpr int PagePrefix = 61;       // "前文字"
    static constexpr int FirstPage = 62;        // "頁(開始頁)"
    static constexpr int PageSuffix = 63;       // "後文字"
    static constexpr int PageTopFrom = 64;      // 0 from the paper's top edge, 1 from the underline
    static constexpr int PageTopFromPaper = 65; // mm from the paper's top edge
    static constexpr int PageTopFromLine = 66;  // mm from the header underline
    static constexpr int PageLeftFrom = 67;     // 0 from the paper's left edge, 1 centred
    static constexpr int PageLeft = 68;         // mm from the paper's left edge
    static constexpr int PageCentreOffset = 69; // mm offset of the centred position
    static constexpr int FreeColumnOption = 73; // read by the free-column drawing
};

// GeologyTable columns (one row per layer, keyed by the layer's bottom depth).
struct GeologyCol
{
    static constexpr int Depth = 1;       // bottom depth of the layer, "%.2f"
    static constexpr int Name = 2;        // "地質名"
    static constexpr int AuxName = 3;     // "補助名"
    static constexpr int Tone = 4;        // "色調"
    static constexpr int Pattern1 = 5;    // bitmap pattern of the name
    static constexpr int Pattern2 = 6;    // bitmap pattern of the auxiliary name
    static constexpr int Attributes = 7;  // GeologyBits
    static constexpr int Symbol = 8;      // "記号"
    static constexpr int Percent = 9;     // display percentage of the pair
    static constexpr int Prefix = 10;     // connector before the auxiliary name ("前")
    static constexpr int Suffix = 11;     // text after the auxiliary name ("後")
    static constexpr int VectorName = 12; // derived "%ld.%d" of the name
    static constexpr int VectorAux = 13;  // derived "%ld.%d" of the auxiliary name
    static constexpr int Composed = 14;   // derived symbols of the composed name
    static constexpr int Stored = 11;     // the file carries columns 1 to 11
};

// Bit values of GeologyTable column 7. Where the editor and the log name a
// bit differently, both meanings are given.
struct GeologyBits
{
    static constexpr int DepthLine = 1;       // depth underlined: a rule across the figure columns
    static constexpr int NameUnderline = 2;   // name underlined
    static constexpr int PatternLine = 4;     // pattern 1 underlined: a boundary in the pattern column
    static constexpr int Unused8 = 8;         // never set by the editor
    static constexpr int AuxiliaryMark = 16;  // pattern 2 underlined: the fill marks the auxiliary part
    static constexpr int ToneUnderline = 32;  // colour tone underlined
    static constexpr int Figures = 64;        // elevation, thickness and depth shown
    static constexpr int ShowName = 128;      // name shown
    static constexpr int ShowAuxiliary = 256; // auxiliary name shown
    static constexpr int EditorDefault = 247;
};

struct NoteCol
{
    static constexpr int Top = 1, Bottom = 2;
    static constexpr int Hidden = 3;    // a hidden list column of the notes editor, carried unchanged
    static constexpr int Text = 4;      // multi-line text, CR LF between and after lines
    static constexpr int Underline = 5; // flag
};

struct StratumCol
{
    static constexpr int Top = 1, Bottom = 2, Name = 3;
};

struct WaterCol
{
    static constexpr int Level = 1; // m, negative below ground, "%+.2f"
    static constexpr int Date = 2;  // "mm/dd"
    static constexpr int Note = 3;
    static constexpr int Flags = 4; // WaterBits
};

// Bit values of WaterLevelTable column 4.
struct WaterBits
{
    static constexpr int LevelShown = 1, DateShown = 2;
    static constexpr int Standard = 4, UpperLeft = 8, LowerLeft = 16; // label position
};

struct DrillDateCol
{
    static constexpr int Depth = 1, Date = 2;
};

struct FreeCol
{
    static constexpr int Depth = 1, Text = 2, Underline = 3;
};

struct CasingCol
{
    static constexpr int Depth = 1, PipeKind = 2;
};

// DisplayItemTable: fixed rows and their columns.
struct DisplayRow
{
    static constexpr int Basic = 1; // always shown; column 4 titles the soil-name column
    static constexpr int Notes = 2;
    static constexpr int Strata = 3;
    static constexpr int FreeColumn = 4;
    static constexpr int WaterLevel = 5;
    static constexpr int Sampling = 6;
    static constexpr int GrainSize = 7;
    static constexpr int Graph1 = 8; // graph g is row 7 + g
    static constexpr int Graph5 = 12;
    static constexpr int Casing = 13;
    static constexpr int Reserved1 = 14, Reserved2 = 15;
    static constexpr int DrillDate = 16;
    static constexpr int graph(int g) { return Graph1 - 1 + g; }
};

struct DisplayCol
{
    static constexpr int Shown = 1, Width = 2, GridWidth = 3, Title = 4;
};

// The switch "基準値線を表示" sits in a cell the file carries but nothing else uses, so logs keep
// their layout: "0" hides the reference lines, anything else (empty in new and older logs) shows them.
struct ReferenceLinesCell
{
    static constexpr int Row = DisplayRow::Reserved1, Col = DisplayCol::GridWidth;
};

// GraphFormatTable: rows 1 to 4 of a graph hold its settings, rows 5 to 14
// its ten test slots.
struct GraphRow
{
    static constexpr int Title1 = 1, Title2 = 2, Legend = 3, Grid = 4;
    static constexpr int FirstSlot = 5, LastSlot = 14, Slots = 10;
    static constexpr int slot(int s) { return FirstSlot - 1 + s; } // s = 1 to 10
};

// Fields of the title rows 1 and 2.
struct TitleField
{
    static constexpr int Text = 1, Align = 2, Left = 3, Right = 4, Top = 5;
};

// Fields of the legend row 3.
struct LegendField
{
    static constexpr int NameAlign = 1, NameLeft = 2, NameRight = 3, UnitLeft = 5;
    static constexpr int RemarkAlign = 7, RemarkLeft = 8, RemarkRight = 9;
};

// Fields of the grid row 4.
struct GridField
{
    static constexpr int Kind = 1;                         // 0 linear, 1 logarithmic
    static constexpr int LinearStep1 = 2, LinearStep2 = 3; // mm
    static constexpr int LogFrom = 4, LogTo = 5;           // grid 1 decades
    static constexpr int LogGrid2To = 6;                   // grid 2 drawn up to this value
    static constexpr int LogLabels = 7;                    // 0 "1のみ", 1 "1,2,5", 2 "1から9"
    static constexpr int AxisColour = 8;                   // 0 black, 1 colour
    static constexpr int Marker = 11;                      // always "___"
};

// Fields of a test slot row (rows 5 to 14).
struct SlotField
{
    static constexpr int Test = 1;    // test number 1 to 48
    static constexpr int Name = 2;    // test name, copied from TestNameTable
    static constexpr int NameTop = 3; // % of the legend box
    static constexpr int LinearFrom = 4, LinearTo = 5, LinearStep = 6;
    static constexpr int Multiplier = 7; // of the logarithmic scale
    static constexpr int LogFrom = 8, LogTo = 9;
    static constexpr int NumbersTop = 10;  // % of the box
    static constexpr int ShowNumbers = 11; // "1" / "0"
};

// TestNameTable columns (row n defines test n).
struct TestCol
{
    static constexpr int Number = 0; // "%d" of the row, not in the file
    static constexpr int Name = 1, Unit = 2, Remark = 3, Reference = 4, LowerLimit = 5;
    static constexpr int Symbol = 6, SymbolSize = 7, LineWidth = 8;
    static constexpr int Colour = 9;  // "0x%06x", empty for none
    static constexpr int Shifts = 10; // value-display shifts "%d:%s," per SampleTable row
};

// SampleTable columns.
struct SampleCol
{
    static constexpr int Top = 1, Bottom = 2, Number = 3, Method = 4;
    static constexpr int Gravel = 5, Sand = 6, Silt = 7, Clay = 8; // grain-size %
    static constexpr int FirstTest = 9;                            // test n is column 8 + n
    static constexpr int LastTest = 56;
    static constexpr int FirstMask = 57; // masks of tests 1-16, 17-32, 33-48 are 57 to 59
    static constexpr int Scratch = 60;   // the test data dialog's shift of the selected test
    static constexpr int test(int n) { return FirstTest - 1 + n; }
    // The mask column of test n and the bit that means "not joined to the previous depth".
    static constexpr int mask(int n) { return FirstMask + (n - 1) / 16; }
    static constexpr long maskBit(int n) { return 1L << ((n - 1) % 16 + 1); }
};

} // namespace qc
