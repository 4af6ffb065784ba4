#pragma once
// The "保孔管" dialog: the casing list on top; below it the depth and the
// pipe-kind combo whose items picture the pipe symbol.

#include "dialogs/casingeditor.h"
#include "qt/listdialog.h"

class QComboBox;
class QLineEdit;

namespace qc {

class CasingDialog : public ListDialog
{
    Q_OBJECT
public:
    // The model must have been opened and outlive the dialog.
    explicit CasingDialog(CasingEditor& model, QWidget* parent = nullptr);

    QLineEdit* depthEdit() const { return m_depth; }
    QComboBox* pipeKindCombo() const { return m_pipeKind; }

private:
    QLineEdit* m_depth;
    QComboBox* m_pipeKind;
};

} // namespace qc
