#pragma once
// The "全角英数字の有無" dialog: its three scope lines, "検査" which runs the
// full check over the document and shows the report in a read-only field,
// and "OK". Nothing in the document changes.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace qc {

struct Document;

class FullWidthDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FullWidthDialog(const Document& doc, QWidget* parent = nullptr);

    QPushButton* checkButton() const { return m_check; }
    QPushButton* okButton() const { return m_ok; }
    QPlainTextEdit* reportField() const { return m_report; }

public slots:
    void runCheck();

private:
    const Document& m_doc;
    QPushButton* m_check;
    QPushButton* m_ok;
    QPlainTextEdit* m_report;
};

} // namespace qc
