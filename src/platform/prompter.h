#pragma once
// Every user-visible message and question of the core goes through a Prompter.
// Texts are code-page-932 bytes, composed in the encoding of their data and
// converted once for display by the implementation.

#include <string>

namespace qc {

enum class Answer { Ok, Yes, No, Cancel };
// SaveDiscardCancel shows "保存", "保存しない" and "キャンセル", answered Yes, No and Cancel.
enum class Buttons { YesNo, YesNoCancel, SaveDiscardCancel };

class Prompter
{
public:
    virtual ~Prompter() = default;
    // A modal message with an OK button.
    virtual void message(const std::string& text) = 0;
    // A modal question; defaultAnswer is the button that has the focus.
    virtual Answer ask(const std::string& text, Buttons buttons, Answer defaultAnswer) = 0;
};

} // namespace qc
