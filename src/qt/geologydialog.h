#pragma once
// The "地質 色調" dialog: the layer list on top, below it the depth with its
// underline and display boxes, the name and the auxiliary name with their
// pattern numbers and the four name lists of the master, the colour tone with
// its list, the share and connector fields, the density / consistency choice
// and the two document options. Every rule is GeologyEditor's.

#include "dialogs/geologyeditor.h"
#include "qt/listdialog.h"

#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace qc {

class GeologyDialog : public ListDialog
{
    Q_OBJECT
public:
    // The model must have been opened and outlive the dialog.
    explicit GeologyDialog(GeologyEditor& model, QWidget* parent = nullptr);

    QLineEdit* edit(GeologyEditor::Field f) const { return fieldEdit(f); }
    QComboBox* prefixCombo() const { return m_prefix; }
    QComboBox* suffixCombo() const { return m_suffix; }
    QComboBox* densityCombo() const { return m_density; }
    QCheckBox* flagBox(int bit) const;
    QCheckBox* topsoilBox() const { return m_topsoil; }
    QCheckBox* alternationBox() const { return m_alternation; }
    QListWidget* nameList(GeologyEditor::NameList list) const;
    QListWidget* colourList() const { return m_colours; }

protected:
    void syncOptions() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCheckBox* addFlag(int bit, const QString& label, const char* objectName);
    QListWidget* addNameList(GeologyEditor::NameList list, const char* objectName);
    void pick(QListWidget* list, int row);

    GeologyEditor& m_geology;
    std::map<int, QCheckBox*> m_flags;
    std::map<GeologyEditor::NameList, QListWidget*> m_lists;
    QComboBox* m_prefix = nullptr;
    QComboBox* m_suffix = nullptr;
    QComboBox* m_density = nullptr;
    QCheckBox* m_topsoil = nullptr;
    QCheckBox* m_alternation = nullptr;
    QListWidget* m_colours = nullptr;
};

} // namespace qc
