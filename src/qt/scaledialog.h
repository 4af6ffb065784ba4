#pragma once
// The "縮尺と印刷深度" dialog: the scale denominators, the depth-part option,
// the paper length and largest page depth, the print start, page depth and
// overlap. Every rule is ScaleEditor's.

#include "dialogs/scaleeditor.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace qc {

class ScaleDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ScaleDialog(ScaleEditor& model, QWidget* parent = nullptr);

    QLineEdit* edit(ScaleEditor::Field f) const { return m_edits[f]; }
    QLineEdit* maxDepthEdit() const { return m_maxDepth; }
    QCheckBox* depthPartOnlyBox() const { return m_depthPartOnly; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ScaleEditor& m_model;
    QLineEdit* m_edits[ScaleEditor::FieldCount] = {};
    QLineEdit* m_maxDepth = nullptr;
    QCheckBox* m_depthPartOnly = nullptr;
};

} // namespace qc
