#pragma once
// The observation notes dialog ("観察記事") over NoteTable: top and bottom
// depths, the whole multi-line note text kept in its row and written back
// whole, the underline box, the hidden column 3 carried unchanged, phrases
// appended from the short-text master, the fill from the layers when the
// table is empty, and the notes' full-width check.

#include "dialogs/listeditor.h"

#include <string>
#include <vector>

namespace qc {

struct Document;
class TextTable;

class NotesEditor : public ListEditor
{
public:
    static constexpr int kRowLimit = 200;

    enum Field { Top, Bottom, Text, Hidden, FieldCount };
    enum Column { ColTop = 1, ColBottom, ColText, ColUnderline, ColHidden };

    // Fills NoteTable from GeologyTable first when its row 1 has no top depth;
    // that fill stays in the document whatever the dialog's end.
    NotesEditor(Document& doc, std::vector<std::string> phrases, Prompter& prompter, KeyOptions keys);

    static Config notesConfig();
    // One note per layer (top = the previous layer's bottom, "0.0" for the
    // first), underlined; false when row 1 already had a top depth or there
    // is no layer.
    static bool fillFromGeology(Document& doc);
    // The phrases of "\Kij.mst"; a missing file shows its message and gives none.
    static std::vector<std::string> loadPhrases(const std::string& path, Prompter& prompter);

    bool underline() const { return m_underline; }
    void setUnderline(bool on);
    const std::vector<std::string>& phrases() const { return m_phrases; }
    // "短文": the phrase and a line break appended to the note text.
    void pickPhrase(int index);
    // "全角英数字検査": the notes of the list checked, the report shown.
    void checkFullWidth();
    // Whether the opening filled the table from the layers.
    bool filledFromGeology() const { return m_filled; }

protected:
    bool loadTableRow(int tableRow, ListRow& row) override;
    void writeTableRow(int tableRow, const ListRow& row) override;
    void clearTableRow(int tableRow) override;
    bool validate(const ListRow& buffer, bool showMessages) override;
    void optionsToBuffer(ListRow& buffer) const override;
    void optionsFromRow(const ListRow& row) override;
    void resetOptions() override;
    void optionFromCell(int col, const ListRow& row) override;
    std::string followOnDepth(const ListRow& added) const override { return added[ColBottom]; }
    int fieldAfterAdd() const override { return Bottom; }
    bool canEditCell(int col) override;

private:
    TextTable& m_table;
    std::vector<std::string> m_phrases;
    bool m_underline = true;
    bool m_filled = false;
};

} // namespace qc
