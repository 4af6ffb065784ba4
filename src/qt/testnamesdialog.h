#pragma once
// The "試験名 グラフシンボル等の設定" dialog: the 48 tests on top, below them the
// fields of one test with its symbol, size, line width and colour, the
// option "シンボル横にデータを表示", and the buttons that open the test data
// input, import another document's tests or reset them. Every rule is
// TestNamesEditor's.

#include "dialogs/testnameseditor.h"
#include "qt/listdialog.h"

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace qc {

class ColourChooser;
class FileChooser;

class TestNamesDialog : public ListDialog
{
    Q_OBJECT
public:
    // Runs the test data input of a test; its display attributes after OK, nothing after Cancel.
    using DataInput = std::function<std::optional<std::string>(const TestDataRequest&)>;

    // The model must have been opened and outlive the dialog.
    TestNamesDialog(TestNamesEditor& model, FileChooser& files, ColourChooser& colours,
                    QWidget* parent = nullptr);

    void setDataInput(DataInput input) { m_dataInput = std::move(input); }

    QLineEdit* edit(TestNamesEditor::Field f) const { return fieldEdit(f); }
    QComboBox* symbolCombo() const { return m_symbol; }
    QCheckBox* besideBox() const { return m_beside; }
    QPushButton* colourButton() const { return m_colourButton; }
    QPushButton* copyButton() const { return m_copy; }
    QPushButton* dataInputButton() const { return m_dataLeft; }
    QPushButton* importButton() const { return m_import; }
    QPushButton* resetButton() const { return m_reset; }

protected:
    void syncOptions() override;

private:
    void openDataInput();

    TestNamesEditor& m_names;
    FileChooser& m_files;
    ColourChooser& m_colours;
    DataInput m_dataInput;
    QComboBox* m_symbol = nullptr;
    QCheckBox* m_beside = nullptr;
    QPushButton* m_colourButton = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_dataLeft = nullptr;
    QPushButton* m_dataRight = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_reset = nullptr;
};

} // namespace qc
