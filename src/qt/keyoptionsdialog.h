#pragma once
// The "キーの動作、データ入力画面のオプション" dialog: the Enter key of the
// data-entry dialogs and the list scroll on opening.

#include "dialogs/keyoptionseditor.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace qc {

class KeyOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit KeyOptionsDialog(KeyOptionsEditor& model, QWidget* parent = nullptr);

    QRadioButton* enterRadio(int mode) const { return m_enter[mode]; }
    QCheckBox* scrollBox() const { return m_scroll; }

private:
    KeyOptionsEditor& m_model;
    QRadioButton* m_enter[3] = {};
    QCheckBox* m_scroll = nullptr;
};

} // namespace qc
