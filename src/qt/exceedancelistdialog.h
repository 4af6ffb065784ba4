#pragma once
// The "基準超過一覧" dialog: the summary per test above the sample x test rows, rows above
// their reference in bold red, "超過のみ表示" and a button that copies both tables to the
// clipboard. Every rule is ExceedanceList's.

#include "dialogs/exceedancelist.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace qc {

class ExceedanceListDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ExceedanceListDialog(ExceedanceList& model, QWidget* parent = nullptr);

    QTableWidget* summaryTable() const { return m_summary; }
    QTableWidget* rowsTable() const { return m_rows; }
    QCheckBox* flaggedOnlyBox() const { return m_flaggedOnly; }
    QPushButton* copyButton() const { return m_copy; }

public slots:
    void copyToClipboard();

private:
    void showRows();

    ExceedanceList& m_model;
    QTableWidget* m_summary;
    QTableWidget* m_rows;
    QCheckBox* m_flaggedOnly;
    QPushButton* m_copy;
    QLabel* m_counts;
};

} // namespace qc
