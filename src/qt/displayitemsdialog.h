#pragma once
// The "表示項目" dialog: a tick, a width and (for the graphs) a grid width per
// column, the three title combos, and the running totals against the width of
// the log. Every rule is DisplayItemsEditor's.

#include "dialogs/displayitemseditor.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace qc {

class DisplayItemsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DisplayItemsDialog(DisplayItemsEditor& model, QWidget* parent = nullptr);

    QCheckBox* shownBox(int row) const { return m_shown[static_cast<size_t>(row)]; }
    QLineEdit* widthEdit(int row) const { return m_width[static_cast<size_t>(row)]; }
    QLineEdit* gridEdit(int row) const { return m_grid[static_cast<size_t>(row)]; }
    QComboBox* titleCombo(int row) const { return m_title[static_cast<size_t>(row)]; }
    QCheckBox* referenceLinesBox() const { return m_referenceLines; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showValues();
    void showTotals(bool overall);

    DisplayItemsEditor& m_model;
    std::array<QCheckBox*, 17> m_shown{};
    std::array<QLineEdit*, 17> m_width{};
    std::array<QLineEdit*, 17> m_grid{};
    std::array<QComboBox*, 17> m_title{};
    QCheckBox* m_referenceLines = nullptr;
    QLineEdit* m_basicTotal = nullptr;
    QLineEdit* m_graphRoom = nullptr;
    QLineEdit* m_graphTotal = nullptr;
    QLineEdit* m_overallTotal = nullptr;
};

} // namespace qc
