#pragma once
// The "試験データ入力" dialog: the samples on top; below them the sample's
// depths, number and sampling method, the chosen test's value with "前深度と
// 結ばない" and the shift of its printed value, and the grain sizes. Every rule
// is TestDataEditor's.

#include "dialogs/testdataeditor.h"
#include "qt/listdialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace qc {

class TestDataDialog : public ListDialog
{
    Q_OBJECT
public:
    // The model must have been opened and outlive the dialog.
    explicit TestDataDialog(TestDataEditor& model, QWidget* parent = nullptr);

    QLineEdit* edit(TestDataEditor::Field f) const { return fieldEdit(f); }
    QComboBox* methodCombo() const { return m_method; }
    QCheckBox* noJoinBox() const { return m_noJoin; }

protected:
    void syncOptions() override;

private:
    TestDataEditor& m_data;
    QComboBox* m_method = nullptr;
    QCheckBox* m_noJoin = nullptr;
};

} // namespace qc
