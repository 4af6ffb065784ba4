#include "dialogs/helpviewer.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/textops.h"
#include "platform/files.h"
#include "platform/launcher.h"
#include "platform/prompter.h"

namespace qc {

HelpViewer::HelpViewer(std::string path, Prompter& prompter, Launcher& launcher)
    : m_path(std::move(path)), m_prompter(prompter), m_launcher(launcher)
{
}

std::vector<std::string> HelpViewer::splitLines(std::string_view bytes, size_t maxLines, bool* full)
{
    std::vector<std::string> out;
    bool stopped = false;
    forEachLine(bytes, [&](std::string_view line) {
        if (stopped) return;
        // An empty line is a line of the list too.
        size_t pos = 0;
        do {
            size_t end = pos;
            // Whole characters only: a lead byte and its trail byte stay together.
            while (end < line.size()) {
                const size_t n = charLengthAt(line, end);
                if (end + n - pos > kLineBytes) break;
                end += n;
            }
            if (out.size() >= maxLines) {
                stopped = true;
                return;
            }
            out.emplace_back(line.substr(pos, end - pos));
            pos = end;
        } while (pos < line.size());
    });
    if (full) *full = stopped;
    return out;
}

void HelpViewer::open()
{
    m_lines.clear();
    std::string bytes;
    if (!readFileBytes(m_path, bytes)) {
        m_prompter.message(
            ReplaceAll(QC_SJ("ファイルが見つかりません\n(%1)"), "%1", cp932::fromUtf8(m_path)));
        return;
    }
    bool full = false;
    m_lines = splitLines(bytes, kMaxLines, &full);
    if (full) m_prompter.message(QC_SJ("これ以上データを扱えません"));
}

void HelpViewer::openInEditor()
{
    if (m_launcher.openInTextEditor(m_path)) return;
    if (m_launcher.openInPlainEditor(m_path)) return;
    m_prompter.message(QC_SJ("実行できませんでした"));
}

} // namespace qc
