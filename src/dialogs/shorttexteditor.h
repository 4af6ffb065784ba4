#pragma once
// The short-text master editor ("編集 技術者ほかドロップダウンリスト内の短文"):
// one of the six phrase files of the install folder at a time, edited in the
// cells of an 80-row list, with insert, delete (asked once), move, save with a
// duplicate report, and the save question when another file is chosen.

#include "app/masterfiles.h"
#include "dialogs/listeditor.h"

#include <array>
#include <string>
#include <vector>

namespace qc {

struct InstallPaths;

class ShortTextEditor : public ListEditor
{
public:
    static constexpr int kRowLimit = kShortTextLimit;
    // A line is read up to 123 bytes: the text and its second field share them.
    static constexpr size_t kTextBytes = 100;
    static constexpr size_t kExtraBytes = 20;

    // The radio group "編集ファイル", in its order.
    enum class File { Engineers, Clients, Machines, ColourTones, Notes, Strata };
    static constexpr int kFileCount = 6;

    ShortTextEditor(const InstallPaths& paths, Prompter& prompter, KeyOptions keys);

    static Config shortTextConfig();
    // "技術者", "発注機関", "使用機種", "色調", "記事", "地層岩体" (CP932).
    static const std::string& fileLabel(File file);

    // Opening: "技術者" and its file.
    void start();
    File file() const { return m_file; }
    const std::string& path() const { return m_paths[static_cast<size_t>(m_file)]; }
    const std::string& pathOf(File file) const { return m_paths[static_cast<size_t>(file)]; }

    // The radio: asks "保存しますか" when the list was modified and saves on Yes,
    // then loads the chosen file. False when the list stays (a failed save).
    bool chooseFile(File file);

    // "挿入".
    void insert();
    // "削除": the first deletion asks.
    void deleteRow() override;
    // "保存": writes the file; false when it could not be written.
    bool save();
    // The text beside "保存": "保存しました" until the next change.
    std::string status() const;

    bool accept() override;
    bool cancel() override;

    // The file's lines as "保存" writes them, and the duplicate message
    // (empty when there is none).
    struct Output
    {
        std::string bytes;
        std::string duplicates;
    };
    Output compose() const;

protected:
    bool loadTableRow(int tableRow, ListRow& row) override;
    void writeTableRow(int, const ListRow&) override {}
    void clearTableRow(int) override {}
    void writeBack() override {}
    std::string cellCommitText(int col, const std::string& text) override;

private:
    void load(File file);

    std::array<std::string, kFileCount> m_paths;
    File m_file = File::Engineers;
    std::vector<ShortText> m_loaded;
    bool m_deleteConfirmed = false;
    bool m_saved = false;
};

} // namespace qc
