#pragma once
// The "編集 技術者ほかドロップダウンリスト内の短文" dialog: the file radio group on
// the left with the path of the file being edited, the 80-row list edited in
// its cells, "挿入", "削除", "↑", "↓", "保存" with its status, OK and Cancel.
// Every rule is ShortTextEditor's.

#include "dialogs/shorttexteditor.h"
#include "qt/listdialog.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qc {

class ShortTextDialog : public ListDialog
{
    Q_OBJECT
public:
    // The model must have been started (ShortTextEditor::start) and outlive the dialog.
    explicit ShortTextDialog(ShortTextEditor& model, QWidget* parent = nullptr);

    QRadioButton* fileButton(ShortTextEditor::File file) const { return m_files[static_cast<size_t>(file)]; }
    QPushButton* insertButton() const { return m_insert; }
    QPushButton* saveButton() const { return m_save; }
    QLineEdit* pathField() const { return m_path; }
    QLabel* statusLabel() const { return m_status; }

protected:
    void syncOptions() override;

private:
    void chooseFile(ShortTextEditor::File file);

    ShortTextEditor& m_texts;
    std::array<QRadioButton*, ShortTextEditor::kFileCount> m_files{};
    QPushButton* m_insert;
    QPushButton* m_save;
    QLineEdit* m_path;
    QLabel* m_status;
};

} // namespace qc
