#include "dialogs/pagenumbereditor.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "platform/prompter.h"

#include <algorithm>

namespace qc {

namespace {

std::string& at(PageDialogData& d, PageNumberEditor::Field f)
{
    return d.entry[static_cast<size_t>(f)];
}

std::string formatInt(int v)
{
    return std::to_string(v);
}

} // namespace

PageNumberEditor::PageNumberEditor(PageDialogData data, Prompter& prompter)
    : m_data(std::move(data)), m_prompter(prompter)
{
    // A stored choice other than 1 is the first radio of its group.
    setTopFrom(m_data.topFrom);
    setLeftFrom(m_data.leftFrom);
    at(m_data, HalfWidth) = formatInt(m_data.paperWidthMm / 2);
    if (text(TopFromPaper).empty() && text(Left).empty()) defaults();
}

const std::vector<std::string>& PageNumberEditor::prefixItems()
{
    static const std::vector<std::string> items = {QC_SJ("   <無し>"), "-", "("};
    return items;
}

const std::vector<std::string>& PageNumberEditor::suffixItems()
{
    static const std::vector<std::string> items = {"", "-", ")"};
    return items;
}

void PageNumberEditor::setText(Field f, std::string value)
{
    if (f == HalfWidth) return;
    at(m_data, f) = std::move(value);
    if (f == Prefix || f == Suffix) prefixOrSuffixChanged();
}

void PageNumberEditor::prefixOrSuffixChanged()
{
    std::string& prefix = at(m_data, Prefix);
    std::string& suffix = at(m_data, Suffix);
    // "<" may be the trail byte of a kanji: look for the marker on character boundaries.
    if (findText(prefix, QC_SJ("<無し>")) != std::string::npos) prefix.clear();
    if (suffix.empty()) {
        if (prefix == "(") suffix = ")";
        if (prefix == "-") suffix = "-";
    }
}

void PageNumberEditor::setTopFrom(int choice)
{
    m_data.topFrom = choice == 1 ? 1 : 0;
}

void PageNumberEditor::setLeftFrom(int choice)
{
    m_data.leftFrom = choice == 1 ? 1 : 0;
}

bool PageNumberEditor::enabled(Field f) const
{
    switch (f) {
    case TopFromPaper:
        return m_data.topFrom == 0;
    case TopFromLine:
        return m_data.topFrom == 1;
    case Left:
        return m_data.leftFrom == 0;
    case HalfWidth:
        return false;
    default:
        return true;
    }
}

std::string PageNumberEditor::preview() const
{
    return text(Prefix) + text(FirstPage) + text(Suffix);
}

void PageNumberEditor::defaults()
{
    at(m_data, TopFromPaper) = formatInt(m_data.paperHeightLess16Mm);
    at(m_data, TopFromLine) = "2.0";
    at(m_data, Left) = formatInt(std::min(m_data.paperWidthMm / 2, 150));
    m_data.topFrom = 1;
    m_data.leftFrom = 1;
}

void PageNumberEditor::sameAsCompany()
{
    at(m_data, TopFromLine) = "2.0";
}

void PageNumberEditor::accept()
{
    const std::string& top = text(TopFromPaper);
    if (m_data.topFrom == 0 && cellDouble(top) > m_data.paperHeightLess16Mm)
        m_prompter.message(
            ReplaceAll(QC_SJ("フッタ表示位置が用紙外の可能性があります \n( %1 mm)"), "%1", top));
}

} // namespace qc
