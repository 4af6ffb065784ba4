#include "dialogs/noteseditor.h"

#include "app/masterfiles.h"
#include "dialogs/fullwidthcheck.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/files.h"
#include "platform/prompter.h"

namespace qc {

namespace {

const char* const kCrLf = "\r\n";

bool underlineOn(const std::string& cell)
{
    return cellLong(cell) == 1;
}

} // namespace

ListEditor::Config NotesEditor::notesConfig()
{
    Config c;
    c.rowLimit = kRowLimit;
    c.fieldCount = FieldCount;
    c.depthField = Top;
    c.columns = {
        {QC_SJ("上 m"), 56, 1, Top}, {QC_SJ("下 m"), 56, 1, Bottom}, {QC_SJ("記事"), 320, 0, Text},
        {QC_SJ("下線"), 40, 1, -1},  {".", 8, 0, Hidden, false},
    };
    return c;
}

NotesEditor::NotesEditor(Document& doc, std::vector<std::string> phrases, Prompter& prompter, KeyOptions keys)
    : ListEditor(notesConfig(), prompter, keys), m_table(doc.NoteTable), m_phrases(std::move(phrases))
{
    m_filled = fillFromGeology(doc);
}

bool NotesEditor::fillFromGeology(Document& doc)
{
    TextTable& notes = doc.NoteTable;
    const TextTable& layers = doc.GeologyTable;
    if (isNumeric(notes(1, NoteCol::Top))) return false;
    std::string top = "0.0";
    int r = 1;
    for (; r <= layers.rows() && r <= notes.rows(); ++r) {
        const std::string& depth = layers(r, GeologyCol::Depth);
        if (!isNumeric(depth)) break;
        notes(r, NoteCol::Top) = top;
        notes(r, NoteCol::Bottom) = depth;
        notes(r, NoteCol::Underline) = "1";
        top = depth;
    }
    return r > 1;
}

std::vector<std::string> NotesEditor::loadPhrases(const std::string& path, Prompter& prompter)
{
    std::vector<std::string> out;
    if (!qc::loadPhrases(path, out)) prompter.message(QC_SJ("ファイルが見つかりません\n( ") + path + " )");
    return out;
}

void NotesEditor::setUnderline(bool on)
{
    m_underline = on;
    liveUpdate();
}

void NotesEditor::pickPhrase(int index)
{
    if (index < 0 || index >= static_cast<int>(m_phrases.size())) return;
    fieldRef(Text) += m_phrases[static_cast<size_t>(index)] + kCrLf;
    liveUpdate();
}

void NotesEditor::checkFullWidth()
{
    std::vector<NoteText> notes;
    for (int r = 1; r <= usedRowCount(); ++r)
        notes.push_back({cell(r, ColTop), cell(r, ColBottom), cell(r, ColText)});
    message(notesFullWidthReport(notes));
}

bool NotesEditor::canEditCell(int col)
{
    if (col == ColText) {
        message(QC_SJ("エディットボックス内で編集してください\nリスト表内では編集できません."));
        return false;
    }
    return column(col).inCellKind != 0;
}

// ---- the table

bool NotesEditor::loadTableRow(int t, ListRow& row)
{
    if (!isNumeric(m_table(t, NoteCol::Top))) return false;
    row[ColTop] = m_table(t, NoteCol::Top);
    row[ColBottom] = m_table(t, NoteCol::Bottom);
    row[ColText] = m_table(t, NoteCol::Text);
    row[ColHidden] = m_table(t, NoteCol::Hidden);
    const std::string& underline = m_table(t, NoteCol::Underline);
    row[ColUnderline] = isNumeric(underline) ? underline : "1";
    return true;
}

void NotesEditor::writeTableRow(int t, const ListRow& row)
{
    m_table(t, NoteCol::Top) = row[ColTop];
    // An empty or broken bottom stays as typed: "0.00" would draw the note's
    // underline from the top of the log.
    const std::string& bottom = row[ColBottom];
    m_table(t, NoteCol::Bottom) = isNumeric(bottom) ? formatDepth(bottom) : bottom;
    m_table(t, NoteCol::Hidden) = row[ColHidden];
    m_table(t, NoteCol::Text) = row[ColText];
    m_table(t, NoteCol::Underline) = row[ColUnderline];
}

void NotesEditor::clearTableRow(int t)
{
    for (int c = NoteCol::Top; c <= NoteCol::Underline; ++c) m_table(t, c).clear();
}

bool NotesEditor::validate(const ListRow& buffer, bool showMessages)
{
    if (!ListEditor::validate(buffer, showMessages)) return false;
    if (!checkRange(buffer[ColTop], -1, 3000, showMessages)) return false;
    // A note without a bottom is taken after the notice.
    if (showMessages && !isNumeric(buffer[ColBottom])) message(QC_SJ("データが無い、または不正です."));
    return true;
}

// ---- the underline box

void NotesEditor::optionsToBuffer(ListRow& buffer) const
{
    buffer[ColUnderline] = m_underline ? "1" : "0";
}

void NotesEditor::optionsFromRow(const ListRow& row)
{
    m_underline = underlineOn(row[ColUnderline]);
}

void NotesEditor::resetOptions()
{
    m_underline = true;
}

void NotesEditor::optionFromCell(int col, const ListRow& row)
{
    if (col == ColUnderline) m_underline = underlineOn(row[col]);
}

} // namespace qc
