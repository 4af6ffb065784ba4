#pragma once
// The "孔内水位" dialog: the level list on top, below it the level with its
// "表示" box, the date with its "表示" box, the remark combo, the radio group
// "表示位置" and the two hints. Every rule is WaterLevelEditor's.

#include "dialogs/waterleveleditor.h"
#include "qt/listdialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace qc {

class WaterLevelDialog : public ListDialog
{
    Q_OBJECT
public:
    // The model must have been opened and outlive the dialog.
    explicit WaterLevelDialog(WaterLevelEditor& model, QWidget* parent = nullptr);

    QLineEdit* levelEdit() const { return m_level; }
    QLineEdit* dateEdit() const { return m_date; }
    QComboBox* remarkCombo() const { return m_remark; }
    QCheckBox* levelShownBox() const { return m_levelShown; }
    QCheckBox* dateShownBox() const { return m_dateShown; }
    QRadioButton* positionButton(WaterLevelEditor::Position p) const { return m_positions[p]; }

protected:
    void syncOptions() override;

private:
    WaterLevelEditor& m_water;
    QLineEdit* m_level;
    QLineEdit* m_date;
    QComboBox* m_remark;
    QCheckBox* m_levelShown;
    QCheckBox* m_dateShown;
    QRadioButton* m_positions[3];
};

} // namespace qc
