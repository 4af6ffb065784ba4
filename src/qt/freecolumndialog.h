#pragma once
// The "空欄 削孔" dialog in either mode: the list, typed into its cells, with
// "削除", "↑", "↓", OK and Cancel; the free column shows the hint on its
// underline column.

#include "dialogs/freecolumneditor.h"
#include "qt/listdialog.h"

class QLabel;

namespace qc {

class FreeColumnDialog : public ListDialog
{
    Q_OBJECT
public:
    // The model must have been opened and outlive the dialog.
    explicit FreeColumnDialog(FreeColumnEditor& model, QWidget* parent = nullptr);

    QLabel* hint() const { return m_hint; }

private:
    QLabel* m_hint;
};

} // namespace qc
