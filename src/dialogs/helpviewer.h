#pragma once
// The "操作＆ヘルプ" dialog: the lines of the help file in a list, and
// "開いて印刷", which opens the file in the desktop's text editor.

#include <string>
#include <string_view>
#include <vector>

namespace qc {

class Launcher;
class Prompter;

class HelpViewer
{
public:
    // Bytes of one list line; a longer file line continues on the next.
    static constexpr size_t kLineBytes = 200;
    // Lines the list takes; beyond them "これ以上データを扱えません".
    static constexpr size_t kMaxLines = 32767;

    HelpViewer(std::string path, Prompter& prompter, Launcher& launcher);

    // Opening: the file's lines, or "ファイルが見つかりません\n(%1)" and an empty list.
    void open();
    const std::vector<std::string>& lines() const { return m_lines; }

    // The file's bytes as list lines: line ends removed, each file line cut
    // into pieces of at most kLineBytes that never split a character.
    static std::vector<std::string> splitLines(std::string_view bytes, size_t maxLines, bool* full = nullptr);

    // "開いて印刷": the desktop's text editor, then a plain editor, else "実行できませんでした".
    void openInEditor();

private:
    std::string m_path;
    Prompter& m_prompter;
    Launcher& m_launcher;
    std::vector<std::string> m_lines;
};

} // namespace qc
