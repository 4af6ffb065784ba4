#pragma once
// The "観察記事" dialog: the notes list on top; below it the two depths with
// the underline box and the hint, the multi-line note text, the "短文"
// phrases and the "全角英数字検査" button. Every rule is NotesEditor's.

#include "dialogs/noteseditor.h"
#include "qt/listdialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qc {

class NotesDialog : public ListDialog
{
    Q_OBJECT
public:
    // The model must have been opened and outlive the dialog.
    explicit NotesDialog(NotesEditor& model, QWidget* parent = nullptr);

    QLineEdit* topEdit() const { return m_top; }
    QLineEdit* bottomEdit() const { return m_bottom; }
    QPlainTextEdit* textEdit() const { return m_text; }
    QCheckBox* underlineBox() const { return m_underline; }
    QComboBox* phraseCombo() const { return m_phrases; }
    QPushButton* fullWidthButton() const { return m_fullWidth; }

protected:
    void syncOptions() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NotesEditor& m_notes;
    QLineEdit* m_top;
    QLineEdit* m_bottom;
    QPlainTextEdit* m_text;
    QCheckBox* m_underline;
    QComboBox* m_phrases;
    QPushButton* m_fullWidth;
    bool m_showingText = false;
};

} // namespace qc
