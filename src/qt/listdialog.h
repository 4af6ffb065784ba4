#pragma once
// The Qt base of the depth-keyed list dialogs: the list with its in-cell editor,
// the edit fields bound to the model's fields, the buttons "データ追加", "上書き",
// "削除", "↑", "↓", "OK" and "ｷｬﾝｾﾙ", the Enter-key modes and the pointer tracking.
// A dialog creates its fields and option controls, binds them, lays them out
// (or calls setDefaultLayout) and shows its option controls in syncOptions.

#include "dialogs/listeditor.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLayout;
class QLineEdit;
class QPushButton;

namespace qc {

class ListEditorView;

class ListDialog : public QDialog
{
    Q_OBJECT
public:
    // The model must have been opened (ListEditor::open) and outlive the dialog.
    ListDialog(ListEditor& model, QWidget* parent = nullptr);
    ~ListDialog() override;

    ListEditor& model() { return m_model; }
    ListEditorView* listView() const { return m_view; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* overwriteButton() const { return m_overwrite; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* upButton() const { return m_up; }
    QPushButton* downButton() const { return m_down; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Binds an edit box or an (editable) combo box to a field of the model.
    void bindField(int field, QLineEdit* edit);
    void bindField(int field, QComboBox* combo);
    QWidget* fieldWidget(int field) const;
    // A new edit box with this object name (and maximum width when not 0), bound to the field.
    QLineEdit* addFieldEdit(int field, const char* objectName, int maxWidth = 0);
    // The edit box bound to the field, or nullptr.
    QLineEdit* fieldEdit(int field) const;

    // List on top, the dialog's fields (a widget or a layout) below it, then the buttons.
    void setDefaultLayout(QWidget* fields);
    void setDefaultLayout(QLayout* fields);
    void setMoveButtonsVisible(bool visible);
    void setAddOverwriteVisible(bool visible);

public slots:
    // An option control changed: the live update writes it into the current row.
    void optionChanged();
    // Shows the model's state in every control.
    void sync();
    void accept() override;
    void reject() override;

protected:
    // Shows the model's option state in the dialog's option controls.
    virtual void syncOptions() {}
    // Runs after the model has written its table on OK, before the dialog closes.
    virtual void afterWriteBack() {}

    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut(QWidget* fieldsWidget, QLayout* fieldsLayout);

    struct Binding
    {
        int field;
        QLineEdit* edit;
        QComboBox* combo;
        QWidget* widget() const;
    };
    void syncControls();
    void applyFocus(const FocusRequest& focus);
    void run(void (ListEditor::*operation)());
    void fieldLeft(int field);
    void watch(QWidget* widget);
    bool enterKey(QObject* watched, QKeyEvent* event);
    const Binding* bindingOf(QObject* object) const;

    ListEditor& m_model;
    ListEditorView* m_view;
    QPushButton* m_add;
    QPushButton* m_overwrite;
    QPushButton* m_delete;
    QPushButton* m_up;
    QPushButton* m_down;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::vector<Binding> m_bindings;
    bool m_busy = false;
    bool m_shown = false;
    bool m_swallowOk = false;
};

} // namespace qc
