#pragma once
// The "地層 岩体" dialog: the strata list on top; below it the two depths and
// the division name with its always-open list from the strata master.

#include "dialogs/strataeditor.h"
#include "qt/listdialog.h"

class QLineEdit;
class QListWidget;

namespace qc {

class StrataDialog : public ListDialog
{
    Q_OBJECT
public:
    // The model must have been opened and outlive the dialog.
    explicit StrataDialog(StrataEditor& model, QWidget* parent = nullptr);

    QLineEdit* topEdit() const { return m_top; }
    QLineEdit* bottomEdit() const { return m_bottom; }
    QLineEdit* nameEdit() const { return m_name; }
    QListWidget* divisionList() const { return m_divisions; }

private:
    StrataEditor& m_strata;
    QLineEdit* m_top;
    QLineEdit* m_bottom;
    QLineEdit* m_name;
    QListWidget* m_divisions;
};

} // namespace qc
