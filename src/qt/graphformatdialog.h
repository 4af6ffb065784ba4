#pragma once
// The "グラフ書式" dialog: the graph number and drawing width, the two titles
// with their placement, the legend placement, the grid, the ten test slots
// with their scales and the list of tests to pick from. Every rule is
// GraphFormatEditor's; this dialog shows its cells and forwards the edits.

#include "dialogs/graphformateditor.h"

#include <QDialog>

#include <array>
#include <map>
#include <utility>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QPushButton;

namespace qc {

class FileChooser;

class GraphFormatDialog : public QDialog
{
    Q_OBJECT
public:
    // The model must have been opened and outlive the dialog.
    GraphFormatDialog(GraphFormatEditor& model, FileChooser& files, QWidget* parent = nullptr);

    // The edit or combo-box line edit of a cell (row 1 to 14, field 1 to 11).
    QLineEdit* edit(int row, int field) const;
    QComboBox* titleCombo(int row) const { return row == 1 ? m_title1 : m_title2; }
    QButtonGroup* radios(int row, int field) const;
    QCheckBox* showBox(int slot) const { return m_show[static_cast<size_t>(slot)]; }
    QTableWidget* testList() const { return m_tests; }
    QPushButton* autoNamesButton() const { return m_autoNames; }
    QPushButton* autoNumbersButton() const { return m_autoNumbers; }
    QPushButton* readButton() const { return m_read; }
    QPushButton* okButton() const { return m_ok; }

    // Shows the model's cells in every control.
    void sync();

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* addEdit(int row, int field, int width, bool readOnly = false);
    QComboBox* addTitle(int row, const std::vector<std::string>& items);
    QWidget* addRadios(int row, int field, const QStringList& labels);
    void fieldLeft(int row, int field);

    GraphFormatEditor& m_model;
    FileChooser& m_files;
    std::map<std::pair<int, int>, QLineEdit*> m_edits;
    std::map<QObject*, std::pair<int, int>> m_cellOf;
    std::map<std::pair<int, int>, QButtonGroup*> m_radios;
    std::array<QCheckBox*, 11> m_show{};
    QComboBox* m_title1 = nullptr;
    QComboBox* m_title2 = nullptr;
    QTableWidget* m_tests = nullptr;
    QPushButton* m_autoNames = nullptr;
    QPushButton* m_autoNumbers = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_ok = nullptr;
    bool m_syncing = false;
};

} // namespace qc
