#pragma once
// The "ページ" dialog: prefix, first page and suffix of the page label with
// its preview, and where the label sits. Every rule is PageNumberEditor's.

#include "dialogs/pagenumbereditor.h"

#include <QDialog>

#include <map>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace qc {

class PageNumberDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PageNumberDialog(PageNumberEditor& model, QWidget* parent = nullptr);

    QLineEdit* edit(PageNumberEditor::Field f) const { return m_edits.at(f); }
    QComboBox* prefixCombo() const { return m_prefix; }
    QComboBox* suffixCombo() const { return m_suffix; }
    QLineEdit* previewEdit() const { return m_preview; }
    QRadioButton* topRadio(int choice) const { return m_top[choice]; }
    QRadioButton* leftRadio(int choice) const { return m_left[choice]; }

public slots:
    void accept() override;

private:
    void showValues();

    PageNumberEditor& m_model;
    std::map<PageNumberEditor::Field, QLineEdit*> m_edits;
    QComboBox* m_prefix = nullptr;
    QComboBox* m_suffix = nullptr;
    QLineEdit* m_preview = nullptr;
    QRadioButton* m_top[2] = {};
    QRadioButton* m_left[2] = {};
};

} // namespace qc
