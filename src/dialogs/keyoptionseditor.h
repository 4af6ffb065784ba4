#pragma once
// The "キーの動作、データ入力画面のオプション" dialog: what Enter does in the
// data-entry dialogs and whether their lists open at the last used row.

namespace qc {

// "キーの動作、入力画面オプション": settings lines 31 and 32.
struct KeyOptionsDialogData
{
    int enterKeyMode = 0; // 0 "Windows標準", 1 "次に移動", 2 "確定のみ"
    bool scrollToLastRow = false;
};

class KeyOptionsEditor
{
public:
    explicit KeyOptionsEditor(KeyOptionsDialogData data) : m_data(data)
    {
        // A value the settings file should not hold shows as the standard choice.
        if (m_data.enterKeyMode < 0 || m_data.enterKeyMode > 2) m_data.enterKeyMode = 0;
    }
    const KeyOptionsDialogData& data() const { return m_data; }
    void setEnterKeyMode(int mode)
    {
        if (mode >= 0 && mode <= 2) m_data.enterKeyMode = mode;
    }
    void setScrollToLastRow(bool on) { m_data.scrollToLastRow = on; }

private:
    KeyOptionsDialogData m_data;
};

} // namespace qc
