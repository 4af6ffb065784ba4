#pragma once
// The "見出し" dialog: the survey header fields in two columns, the engineer
// and machine lists beside their fields, the suggested borehole number and the
// header options. Every rule is HeaderEditor's.

#include "dialogs/headereditor.h"

#include <QDialog>

#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace qc {

class HeaderDialog : public QDialog
{
    Q_OBJECT
public:
    explicit HeaderDialog(HeaderEditor& model, QWidget* parent = nullptr);

    // The edit box of a field (the text part of a drop-down field).
    QLineEdit* edit(HeaderEditor::Field f) const;
    QComboBox* combo(HeaderEditor::Field f) const;
    QLineEdit* suggestionEdit() const { return m_suggestion; }
    QLineEdit* geologyDepthEdit() const { return m_geologyDepth; }
    QListWidget* engineerList() const { return m_engineers; }
    QListWidget* machineList() const { return m_machines; }
    QCheckBox* elevationShownBox() const { return m_elevationShown; }
    QCheckBox* compactBox() const { return m_compact; }
    QCheckBox* underlineBox() const { return m_underline; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* addEdit(HeaderEditor::Field f, int maxWidth = 0);
    QComboBox* addCombo(HeaderEditor::Field f, const std::vector<std::string>& items, int maxWidth = 0);
    void bind(HeaderEditor::Field f, QLineEdit* edit);
    void typed(HeaderEditor::Field f, QLineEdit* edit, const QString& text);
    void showValue(HeaderEditor::Field f);
    void showOptions();

    HeaderEditor& m_model;
    std::map<HeaderEditor::Field, QLineEdit*> m_edits;
    std::map<HeaderEditor::Field, QComboBox*> m_combos;
    std::map<QObject*, HeaderEditor::Field> m_fieldOf;
    QLineEdit* m_suggestion = nullptr;
    QLineEdit* m_geologyDepth = nullptr;
    QListWidget* m_engineers = nullptr;
    QListWidget* m_machines = nullptr;
    QCheckBox* m_elevationShown = nullptr;
    QCheckBox* m_compact = nullptr;
    QCheckBox* m_underline = nullptr;
};

} // namespace qc
