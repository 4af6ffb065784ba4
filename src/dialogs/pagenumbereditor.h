#pragma once
// The "ページ" dialog: the page label's prefix, first page number and suffix
// with a live preview, and where the label sits (from the paper's top edge or
// from the header underline; from the left edge or centred).

#include <array>
#include <string>
#include <vector>

namespace qc {

class Prompter;

// "ページ": PageSettings (HeaderTable 61 to 69), 64 and 67 as numbers.
struct PageDialogData
{
    std::array<std::string, 10> entry; // [n] is HeaderTable 60 + n, for n = 1 to 9 (4 and 7 unused)
    int topFrom = 0;                   // entry 64: 0 from the paper's top edge, 1 from the underline
    int leftFrom = 0;                  // entry 67: 0 from the paper's left edge, 1 centred
    int paperWidthMm = 0;
    int paperHeightLess16Mm = 0;
};

class PageNumberEditor
{
public:
    // The text fields, by their HeaderTable entry less 60.
    enum Field {
        Prefix = 1,
        FirstPage = 2,
        Suffix = 3,
        TopFromPaper = 5,
        TopFromLine = 6,
        Left = 8,
        HalfWidth = 9, // read-only
    };

    PageNumberEditor(PageDialogData data, Prompter& prompter);

    // The items of the prefix and suffix combos (CP932).
    static const std::vector<std::string>& prefixItems();
    static const std::vector<std::string>& suffixItems();

    const PageDialogData& data() const { return m_data; }
    const std::string& text(Field f) const { return m_data.entry[static_cast<size_t>(f)]; }
    // Typing or choosing: the prefix and suffix rules and the preview follow.
    void setText(Field f, std::string text);
    void setTopFrom(int choice);  // 0 "用紙上端から", 1 "下線から"
    void setLeftFrom(int choice); // 0 "用紙左端から", 1 "用紙左右中央"

    // Only the distance field of the chosen radio takes input.
    bool enabled(Field f) const;
    // Prefix, first page and suffix joined, as the label will read.
    std::string preview() const;

    // "標準の設定" and "←" ("業者名と同じ位置").
    void defaults();
    void sameAsCompany();

    // OK: a top distance beyond the paper says so; the dialog closes anyway.
    void accept();

private:
    void prefixOrSuffixChanged();

    PageDialogData m_data;
    Prompter& m_prompter;
};

} // namespace qc
