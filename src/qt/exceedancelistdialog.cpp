#include "qt/exceedancelistdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace qc {

namespace {

QString text(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QTableWidget* makeTable(const QString& name, const std::vector<std::string>& headings)
{
    auto* t = new QTableWidget(0, static_cast<int>(headings.size()));
    t->setObjectName(name);
    QStringList labels;
    for (const std::string& h : headings) labels << text(h);
    t->setHorizontalHeaderLabels(labels);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setShowGrid(true);
    t->verticalHeader()->setVisible(false);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    return t;
}

// Numbers read right-aligned; a flagged line in bold red.
void fillRow(QTableWidget* t, int row, const std::vector<std::string>& cells, const std::vector<int>& numbers,
             bool flagged)
{
    for (size_t c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(text(cells[c]));
        const bool number = std::find(numbers.begin(), numbers.end(), static_cast<int>(c)) != numbers.end();
        item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        if (flagged) {
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
            item->setForeground(QColor(200, 0, 0));
        }
        t->setItem(row, static_cast<int>(c), item);
    }
}

} // namespace

ExceedanceListDialog::ExceedanceListDialog(ExceedanceList& model, QWidget* parent)
    : QDialog(parent), m_model(model),
      m_summary(makeTable(QStringLiteral("summary"), exceedanceSummaryHeadings())),
      m_rows(makeTable(QStringLiteral("rows"), exceedanceRowHeadings())),
      m_flaggedOnly(new QCheckBox(QStringLiteral("超過のみ表示"))),
      m_copy(new QPushButton(QStringLiteral("クリップボードにコピー"))), m_counts(new QLabel)
{
    setWindowTitle(QStringLiteral("基準超過一覧"));
    m_flaggedOnly->setObjectName(QStringLiteral("flaggedOnly"));
    m_copy->setObjectName(QStringLiteral("copy"));
    m_counts->setObjectName(QStringLiteral("counts"));
    m_counts->setText(text(m_model.countsLine()));

    const ExceedanceReport& report = m_model.report();
    m_summary->setRowCount(static_cast<int>(report.summary.size()));
    for (size_t i = 0; i < report.summary.size(); ++i) {
        const ExceedanceSummary& s = report.summary[i];
        fillRow(m_summary, static_cast<int>(i), exceedanceSummaryCells(s), {2, 3, 4, 5, 6, 7},
                s.exceeding > 0);
    }
    showRows();
    for (QTableWidget* t : {m_summary, m_rows}) {
        t->resizeColumnsToContents();
        t->horizontalHeader()->setStretchLastSection(true);
    }

    auto* summaryBox = new QWidget;
    auto* summaryLayout = new QVBoxLayout(summaryBox);
    summaryLayout->setContentsMargins(0, 0, 0, 0);
    summaryLayout->addWidget(
        new QLabel(QStringLiteral("試験ごとの集計（最大基準値比の深度は試料の中央深度）")));
    summaryLayout->addWidget(m_summary);
    auto* rowsBox = new QWidget;
    auto* rowsLayout = new QVBoxLayout(rowsBox);
    rowsLayout->setContentsMargins(0, 0, 0, 0);
    auto* rowsHead = new QHBoxLayout;
    rowsHead->addWidget(new QLabel(QStringLiteral("試料・試験ごとの判定（深度順）")));
    rowsHead->addStretch(1);
    rowsHead->addWidget(m_flaggedOnly);
    rowsLayout->addLayout(rowsHead);
    rowsLayout->addWidget(m_rows);
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(summaryBox);
    splitter->addWidget(rowsBox);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

    auto* close = new QPushButton(QStringLiteral("閉じる"));
    close->setObjectName(QStringLiteral("close"));
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_counts);
    buttons->addStretch(1);
    buttons->addWidget(m_copy);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    connect(m_flaggedOnly, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setFlaggedOnly(on);
        showRows();
    });
    connect(m_copy, &QPushButton::clicked, this, &ExceedanceListDialog::copyToClipboard);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(900, 640);
}

void ExceedanceListDialog::showRows()
{
    const ExceedanceReport& report = m_model.report();
    const std::vector<size_t>& shown = m_model.shownRows();
    m_rows->setRowCount(static_cast<int>(shown.size()));
    for (size_t i = 0; i < shown.size(); ++i) {
        const ExceedanceRow& row = report.rows[shown[i]];
        fillRow(m_rows, static_cast<int>(i), exceedanceRowCells(row), {1, 2, 5, 6, 7},
                ExceedanceList::flagged(row));
    }
}

void ExceedanceListDialog::copyToClipboard()
{
    QApplication::clipboard()->setText(text(m_model.clipboardText()));
}

} // namespace qc
