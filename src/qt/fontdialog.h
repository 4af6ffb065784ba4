#pragma once
// The "フォント" dialog: one line per text role with its button, typeface,
// size and a swatch in its colour. Every rule is FontEditor's.

#include "dialogs/fonteditor.h"

#include <QDialog>

#include <map>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qc {

class FontDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FontDialog(FontEditor& model, QWidget* parent = nullptr);

    QPushButton* roleButton(int role) const { return m_buttons.at(role); }
    QLineEdit* faceEdit(int role) const { return m_faces.at(role); }
    QLineEdit* sizeEdit(int role) const { return m_sizes.at(role); }
    QLabel* swatch(int role) const { return m_swatches.at(role); }

private:
    void showRole(int role);

    FontEditor& m_model;
    std::map<int, QPushButton*> m_buttons;
    std::map<int, QLineEdit*> m_faces;
    std::map<int, QLineEdit*> m_sizes;
    std::map<int, QLabel*> m_swatches;
};

} // namespace qc
