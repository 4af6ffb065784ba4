#include "commands/commandtable.h"

#include <array>
#include <cassert>

namespace qc {

namespace {

using enum CommandId;
using M = MenuId;

constexpr std::array kCommands{
    CommandInfo{FileNew, M::File, "新規作成(&N)", "Ctrl+N", "新しい柱状図を作成", false, false},
    CommandInfo{FileOpen, M::File, "開く(&O)...", "Ctrl+O", "既存の柱状図ファイルを開く", false, false},
    CommandInfo{FileSave, M::File, "上書き保存(&S)", "Ctrl+S", "開いている柱状図を上書きして保存", false,
                false},
    CommandInfo{FileSaveAs, M::File, "名前を付けて保存(&A)...", "", "開いている柱状図に名前を付けて保存",
                false, false},
    CommandInfo{ImportXml, M::File, "電子納品XMLの読み込み...", "",
                "電子納品のボーリング交換用XMLを新しい柱状図として開く", false, true},
    CommandInfo{ExportXml, M::File, "電子納品XML出力...", "",
                "開いている柱状図を電子納品のボーリング交換用XMLに出力", false, false},
    CommandInfo{FilePrint, M::File, "印刷(&P)...", "Ctrl+P", "開いている柱状図を印刷", false, true},
    CommandInfo{FilePrintPreview, M::File, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "", "印刷されるページを画面に表示", false,
                false},
    CommandInfo{FilePrintSetup, M::File, "ﾌﾟﾘﾝﾀの設定(&R)...", "", "プリンタと用紙の設定を変更", false,
                false},
    CommandInfo{AppExit, M::File, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "", "アプリケーションを終了", false, true},

    CommandInfo{Undo, M::Edit, "元に戻す(&U)", "Ctrl+Z", "直前の変更を元に戻す", false, false},
    CommandInfo{Redo, M::Edit, "やり直し(&R)", "Ctrl+Y", "元に戻した変更をやり直す", false, false},

    CommandInfo{Header, M::Data, "見出し (&M)", "", "調査名など見出し", true, false},
    CommandInfo{Geology, M::Data, "地質 色調(&T)", "", "土質地質名、色調、下線", true, false},
    CommandInfo{Notes, M::Data, "記事(&K)", "", "観察記事", true, false},
    CommandInfo{Strata, M::Data, "地層岩体(&O)", "", "地層岩体区分", true, false},
    CommandInfo{FreeColumn, M::Data, "空欄(&X)", "", "深度対応の自由記事", true, false},
    CommandInfo{WaterLevel, M::Data, "孔内水位(&W)", "", "孔内水位", true, false},
    CommandInfo{Casing, M::Data, "保孔管(&H)", "", "保孔管", true, false},
    CommandInfo{DrillDate, M::Data, "削孔月日(&B)", "", "削孔月日", true, false},
    CommandInfo{TestData, M::Data, "試験データ(&Q)", "", "化学試験、試料、粒度組成のデータ入力、シンボル設定",
                true, true},
    CommandInfo{LabImport, M::Data, "試験結果の読み込み(&I)...", "",
                "分析機関の試験結果（CSV、Excel）を試料に読み込む", true, false},
    CommandInfo{DisplayItems, M::Data, "表示項目(&V)", "", "表示、印刷する項目の選択、表示幅", true, true},
    CommandInfo{Graph1, M::Data, "グラフ1書式(&1)", "",
                "グラフ1に表示するタイトル、プロットする試験名、目盛りなど", true, false},
    CommandInfo{Graph2, M::Data, "グラフ2書式(&2)", "",
                "グラフ2に表示するタイトル、プロットする試験名、目盛りなど", true, false},
    CommandInfo{Graph3, M::Data, "グラフ3書式(&3)", "",
                "グラフ3に表示するタイトル、プロットする試験名、目盛りなど", true, false},
    CommandInfo{Graph4, M::Data, "グラフ4書式(&4)", "",
                "グラフ4に表示するタイトル、プロットする試験名、目盛りなど", true, false},
    CommandInfo{Graph5, M::Data, "グラフ5書式(&5)", "",
                "グラフ5に表示するタイトル、プロットする試験名、目盛りなど", true, false},
    CommandInfo{PageNumber, M::Data, "ページ(&P)", "", "ページ（フッタ）", true, true},
    CommandInfo{FullWidthCheck, M::Data, "全角英数字 検査(&Z)", "", "全角英数字 検査", false, true},
    CommandInfo{ExceedanceList, M::Data, "基準超過一覧(&E)", "", "試験値と基準値の比較、基準超過の一覧",
                false, false},

    CommandInfo{ViewToolBar, M::View, "ﾂｰﾙ ﾊﾞｰ(&T)", "", "ツール バーの表示/非表示", false, false},
    CommandInfo{ViewStatusBar, M::View, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "", "ステータス バーの表示/非表示", false, false},
    CommandInfo{ScreenDisplay, M::View, "画面表示(&D)", "", "画面表示のＯＮ、ＯＦＦ", false, true},

    CommandInfo{Scale, M::Settings, "縮尺と表示深度(&S)", "", "柱状図の縮尺と1頁の表示、印刷深度", false,
                false},
    CommandInfo{Style, M::Settings, "柱状図様式(&Y)", "", "試料深度表示位置、柱状図枠グリッドの線種など",
                false, false},
    CommandInfo{NameMaster, M::Settings, "編集 地質名と図模様(&P)", "",
                "土質地質名の登録と柱状図パターンの対応設定", false, true},
    CommandInfo{ShortTexts, M::Settings, "編集 技術者などの短文(&A)", "", "参照用短文の編集と保存", false,
                false},
    CommandInfo{Fonts, M::Settings, "フォント(&F)", "", "活字の書体とサイズ", false, true},
    CommandInfo{KeyOptions, M::Settings, "キーの動作、入力画面オプション(&E)", "",
                "Enterキーに対する応答など", false, false},
    CommandInfo{Setup, M::Settings, "セットアップ(&U)", "", "このプログラムのインストール先の表示、確認",
                false, true},

    CommandInfo{About, M::Help, "ﾊﾞｰｼﾞｮﾝ情報(&A)", "", "", false, false},
    CommandInfo{Help, M::Help, "操作＆ヘルプ(&H)", "", "操作方法など", false, false},

    CommandInfo{PreviousPage, M::None, "前のページへ", "", "前のページへ", false, false},
    CommandInfo{NextPage, M::None, "次のページへ", "", "次のページへ", false, false},
};

} // namespace

std::span<const CommandInfo> commandTable()
{
    return kCommands;
}

const CommandInfo& commandInfo(CommandId id)
{
    for (const CommandInfo& c : kCommands)
        if (c.id == id) return c;
    assert(false && "command missing from the table");
    return kCommands.front();
}

const char* menuTitle(MenuId menu)
{
    switch (menu) {
    case MenuId::File:
        return "ファイル(&F)";
    case MenuId::Data:
        return "データ(&A)";
    case MenuId::View:
        return "表示(&V)";
    case MenuId::Settings:
        return "設定(&S)";
    case MenuId::Help:
        return "ﾍﾙﾌﾟ(&H)";
    case MenuId::Edit:
        return "編集(&E)";
    case MenuId::None:
        break;
    }
    return "";
}

int graphNumberOf(CommandId id)
{
    switch (id) {
    case Graph1:
        return 1;
    case Graph2:
        return 2;
    case Graph3:
        return 3;
    case Graph4:
        return 4;
    case Graph5:
        return 5;
    default:
        return 0;
    }
}

} // namespace qc
