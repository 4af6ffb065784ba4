#include "dialogs/shorttexteditor.h"

#include "app/appcontext.h"
#include "app/docflows.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/linereader.h"
#include "document/textformat.h"
#include "platform/files.h"
#include "platform/prompter.h"

namespace qc {

namespace {

enum Column { ColText = 1, ColExtra = 2 };

// A field holding a comma is written in double quotes, which the readers of
// the phrase files take as one field; otherwise it would split on reading.
std::string csvText(const std::string& text)
{
    return findText(text, ",") == std::string::npos ? text : "\"" + text + "\"";
}

std::string rowNumber(int n)
{
    return strprintf("%2d", n);
}

} // namespace

ShortTextEditor::ShortTextEditor(const InstallPaths& paths, Prompter& prompter, KeyOptions keys)
    : ListEditor(shortTextConfig(), prompter, keys), m_paths{paths.engineers,   paths.clients, paths.machines,
                                                             paths.colourTones, paths.notes,   paths.strata}
{
}

ListEditor::Config ShortTextEditor::shortTextConfig()
{
    Config c;
    c.rowLimit = kRowLimit;
    // Wider than the 220 pixels of old: a note phrase runs to sixty characters.
    c.columns = {{QC_SJ("短文 (登録語)"), 320, 1, -1, true}, {" ", 20, 1, -1, true}};
    c.fieldCount = 0;
    return c;
}

const std::string& ShortTextEditor::fileLabel(File file)
{
    static const std::array<std::string, kFileCount> labels = {
        cp932::fromUtf8("技術者"), cp932::fromUtf8("発注機関"), cp932::fromUtf8("使用機種"),
        cp932::fromUtf8("色調"),   cp932::fromUtf8("記事"),     cp932::fromUtf8("地層岩体")};
    return labels[static_cast<size_t>(file)];
}

void ShortTextEditor::start()
{
    load(File::Engineers);
}

void ShortTextEditor::load(File file)
{
    m_file = file;
    m_saved = false;
    m_loaded.clear();
    std::string bytes;
    if (!readFileBytes(path(), bytes)) {
        message(fileNotFoundMessage(path()));
    } else {
        m_loaded = parseShortTexts(bytes);
        // Entries past the list's 80 rows are not shown and a save drops them:
        // say so rather than lose them unnoticed.
        size_t lines = 0;
        forEachLine(bytes, [&](std::string_view line) {
            if (!line.empty()) ++lines;
        });
        if (lines > static_cast<size_t>(kRowLimit))
            message(cp932::fromUtf8(path()) +
                    QC_SJ("\n短文は80行までです.\n81行目以降は表示されず、保存すると失われます."));
    }
    open();
}

bool ShortTextEditor::loadTableRow(int tableRow, ListRow& row)
{
    if (tableRow < 1 || tableRow > static_cast<int>(m_loaded.size())) return false;
    const ShortText& t = m_loaded[static_cast<size_t>(tableRow - 1)];
    row[ColText] = t.text;
    row[ColExtra] = t.extra;
    return true;
}

std::string ShortTextEditor::cellCommitText(int col, const std::string& text)
{
    // Longer text would be cut when the file is read again: cut it here, and say so.
    const size_t limit = col == ColText ? kTextBytes : kExtraBytes;
    if (text.size() <= limit) return text;
    message(col == ColText ? QC_SJ("短文は100バイト（全角50文字）までです")
                           : QC_SJ("2列目は20バイトまでです"));
    return std::string(cutLine(text, limit));
}

bool ShortTextEditor::chooseFile(File file)
{
    if (inCellEditing()) commitCell(cell(currentRow(), currentColumn()));
    if (modified()) {
        Answer a = prompter().ask(QC_SJ("保存しますか"), Buttons::YesNo, Answer::Yes);
        if (a == Answer::Yes && !save()) return false;
    }
    load(file);
    return true;
}

void ShortTextEditor::insert()
{
    if (inCellEditing()) commitCell(cell(currentRow(), currentColumn()));
    const int r = selectedRow();
    const int used = usedRowCount();
    if (r < 1 || r > rowLimit()) {
        message(QC_SJ("データの位置を指定して下さい"));
        return;
    }
    if (r > used) {
        message(QC_SJ("指定できません."));
        return;
    }
    if (used >= rowLimit()) {
        message(QC_SJ("これ以上データを扱えません"));
        return;
    }
    for (int i = rowLimit(); i > r; --i) mutableRow(i) = row(i - 1);
    mutableRow(r) = ListRow(columnCount());
    setCurrentRow(r, true);
    setSelectedRow(r);
    ensureVisible(r);
    setModified();
    m_saved = false;
}

void ShortTextEditor::deleteRow()
{
    const int r = selectedRow();
    if (r < 1 || r > rowLimit()) {
        message(QC_SJ("データの位置を指定して下さい"));
        return;
    }
    if (!m_deleteConfirmed) {
        if (prompter().ask(QC_SJ("1行削除します.　"), Buttons::YesNo, Answer::No) != Answer::Yes) return;
        m_deleteConfirmed = true;
    }
    ListEditor::deleteRow();
    // The next row moves up into the place: keep it selected for a run of deletions.
    if (r <= usedRowCount()) setSelectedRow(r);
}

ShortTextEditor::Output ShortTextEditor::compose() const
{
    Output out;
    DuplicateReport report(QC_SJ("同じデータがあります"));
    for (int r = 1; r <= rowLimit(); ++r) {
        const ListRow& current = row(r);
        if (current[ColText].empty()) continue;
        out.bytes += csvText(current[ColText]) + "," + csvText(current[ColExtra]) + "\r\n";
        for (int earlier = 1; earlier < r; ++earlier) {
            if (row(earlier)[ColText] == current[ColText]) {
                report.add(rowNumber(r) + QC_SJ("行目と") + rowNumber(earlier) + QC_SJ("行目 [") +
                           current[ColText] + QC_SJ("]　") + "\r\n");
                break;
            }
        }
    }
    if (report.any()) out.duplicates = report.text();
    return out;
}

bool ShortTextEditor::save()
{
    if (inCellEditing()) commitCell(cell(currentRow(), currentColumn()));
    Output out = compose();
    if (!writeFileAtomically(path(), out.bytes)) {
        message(QC_SJ("保存できませんでした"));
        message(QC_SJ("短文(マスタ)ファイルは\n") + QC_SJ("保存できませんでした"));
        // The edits stay marked as unsaved, so that neither OK nor Cancel drops them unasked.
        m_saved = false;
        return false;
    }
    if (!out.duplicates.empty()) message(out.duplicates);
    clearModified();
    m_saved = true;
    return true;
}

std::string ShortTextEditor::status() const
{
    return m_saved && !modified() ? QC_SJ("保存しました") : std::string();
}

bool ShortTextEditor::accept()
{
    if (inCellEditing()) return ListEditor::accept();
    if (modified() && !save()) return false;
    return true;
}

bool ShortTextEditor::cancel()
{
    if (inCellEditing()) commitCell(cell(currentRow(), currentColumn()));
    if (!modified()) return true;
    return prompter().ask(QC_SJ("データが変更されましたが、キャンセルしてよいのですか？"), Buttons::YesNo,
                          Answer::No) == Answer::Yes;
}

} // namespace qc
