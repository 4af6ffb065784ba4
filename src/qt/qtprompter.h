#pragma once
// Prompter shown as QMessageBox.

#include "platform/prompter.h"

class QWidget;

namespace qc {

class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void message(const std::string& text) override;
    Answer ask(const std::string& text, Buttons buttons, Answer defaultAnswer) override;

private:
    // "保存" / "保存しない" / "キャンセル"; Escape and closing the box cancel.
    Answer askSave(const std::string& text, Answer defaultAnswer);

    QWidget* m_parent;
};

} // namespace qc
