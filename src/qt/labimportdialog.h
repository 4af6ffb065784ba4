#pragma once
// "試験結果の読み込み": the preview of a laboratory table against the log
// (samples by tests, "old → new", conflicts highlighted), the choice between
// filling empty cells and overwriting, the tick that adds missing tests, and
// what was left aside. The session holds every rule; the caller applies it
// after OK.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace qc {

class LabImportSession;

class LabImportDialog : public QDialog
{
    Q_OBJECT
public:
    explicit LabImportDialog(LabImportSession& session, QWidget* parent = nullptr);

    QTableWidget* preview() const { return m_preview; }
    QRadioButton* fillButton() const { return m_fill; }
    QRadioButton* overwriteButton() const { return m_overwrite; }
    QCheckBox* addTestsBox() const { return m_addTests; }
    QComboBox* sheetBox() const { return m_sheet; }
    QPlainTextEdit* reportField() const { return m_report; }
    QPushButton* okButton() const { return m_ok; }

private:
    void refresh();
    void sheetChosen(int index);

    LabImportSession& m_session;
    QLabel* m_file;
    QComboBox* m_sheet;
    QLabel* m_summary;
    QTableWidget* m_preview;
    QRadioButton* m_fill;
    QRadioButton* m_overwrite;
    QCheckBox* m_addTests;
    QPlainTextEdit* m_report;
    QPushButton* m_ok;
};

} // namespace qc
