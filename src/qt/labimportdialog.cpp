#include "qt/labimportdialog.h"

#include "dialogs/labimport.h"
#include "qt/qtext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qc {

namespace {

using State = LabImportModel::CellState;

// Light tints that keep black text readable on screen and in print-outs of the screen.
QColor tintOf(State state)
{
    switch (state) {
    case State::Fill:
        return QColor(0xd8, 0xf0, 0xd8);
    case State::Conflict:
        return QColor(0xff, 0xc8, 0xb4);
    case State::Overwrite:
        return QColor(0xff, 0xec, 0xa0);
    case State::TooLong:
        return QColor(0xe8, 0xc8, 0xf0);
    default:
        return QColor();
    }
}

QString cellText(const LabImportModel::Cell& c)
{
    const QString oldValue = fromCp932(c.oldValue), newValue = fromCp932(c.newValue);
    switch (c.state) {
    case State::Fill:
        return newValue;
    case State::Conflict:
    case State::Overwrite:
        return oldValue + QStringLiteral(" → ") + newValue;
    case State::TooLong:
        return QStringLiteral("（長すぎ）");
    case State::Same:
    case State::None:
        break;
    }
    return oldValue.isEmpty() && !newValue.isEmpty() ? newValue : oldValue;
}

} // namespace

LabImportDialog::LabImportDialog(LabImportSession& session, QWidget* parent)
    : QDialog(parent), m_session(session), m_file(new QLabel), m_sheet(new QComboBox), m_summary(new QLabel),
      m_preview(new QTableWidget), m_fill(new QRadioButton(QStringLiteral("空欄にだけ記入する"))),
      m_overwrite(new QRadioButton(QStringLiteral("異なる値は上書きする"))),
      m_addTests(new QCheckBox(QStringLiteral("ログにない試験を試験名に追加する"))),
      m_report(new QPlainTextEdit), m_ok(new QPushButton(QStringLiteral("OK")))
{
    setWindowTitle(QStringLiteral("試験結果の読み込み"));
    m_sheet->setObjectName(QStringLiteral("sheet"));
    m_preview->setObjectName(QStringLiteral("preview"));
    m_fill->setObjectName(QStringLiteral("fill"));
    m_overwrite->setObjectName(QStringLiteral("overwrite"));
    m_addTests->setObjectName(QStringLiteral("addTests"));
    m_report->setObjectName(QStringLiteral("report"));
    m_ok->setObjectName(QStringLiteral("ok"));
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"));
    cancel->setObjectName(QStringLiteral("cancel"));
    m_ok->setDefault(true);

    m_file->setText(QStringLiteral("ファイル： ") + QFileInfo(fromNativePath(session.path())).fileName());
    auto* top = new QHBoxLayout;
    top->addWidget(m_file, 1);
    auto* sheetLabel = new QLabel(QStringLiteral("シート："));
    top->addWidget(sheetLabel);
    top->addWidget(m_sheet);
    for (const std::string& name : session.sheetNames()) m_sheet->addItem(fromCp932(name));
    m_sheet->setCurrentText(fromCp932(session.sheetName()));
    sheetLabel->setVisible(session.sheetNames().size() > 1);
    m_sheet->setVisible(session.sheetNames().size() > 1);

    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setSelectionMode(QAbstractItemView::NoSelection);
    m_preview->horizontalHeader()->setDefaultSectionSize(96);
    m_preview->verticalHeader()->setDefaultSectionSize(22);

    auto* legend = new QLabel(QStringLiteral("緑：空欄に記入　橙：既存の値と異なる（残す）　黄：上書き　"
                                             "灰色の文字：変わらない"));
    auto* choice = new QGroupBox(QStringLiteral("既存の値"));
    auto* choiceLayout = new QHBoxLayout(choice);
    choiceLayout->addWidget(m_fill);
    choiceLayout->addWidget(m_overwrite);
    choiceLayout->addStretch(1);
    choiceLayout->addWidget(m_addTests);
    auto* group = new QButtonGroup(this);
    group->addButton(m_fill);
    group->addButton(m_overwrite);

    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_report->setMaximumHeight(130);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_summary);
    layout->addWidget(m_preview, 1);
    layout->addWidget(legend);
    layout->addWidget(choice);
    layout->addWidget(m_report);
    layout->addLayout(buttons);

    connect(m_fill, &QRadioButton::toggled, this, [this](bool on) {
        m_session.model().setOverwrite(!on);
        refresh();
    });
    connect(m_addTests, &QCheckBox::toggled, this, [this](bool on) {
        m_session.model().setAddMissingTests(on);
        refresh();
    });
    connect(m_sheet, &QComboBox::currentIndexChanged, this, &LabImportDialog::sheetChosen);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    {
        const QSignalBlocker block(m_fill);
        m_fill->setChecked(!session.model().overwrite());
        m_overwrite->setChecked(session.model().overwrite());
    }
    refresh();
    resize(1000, 660);
}

void LabImportDialog::sheetChosen(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_session.sheetNames().size()) return;
    if (!m_session.chooseSheet(m_session.sheetNames()[static_cast<size_t>(index)])) {
        const QSignalBlocker block(m_sheet);
        m_sheet->setCurrentText(fromCp932(m_session.sheetName()));
    }
    refresh();
}

void LabImportDialog::refresh()
{
    const LabImportModel& model = m_session.model();
    const LabImportModel::Summary s = model.summary();
    m_summary->setText(
        QStringLiteral("試料 %1 行 × 試験 %2 列：空欄に記入 %3、上書き %4、同じ値 %5、異なる値を残す %6")
            .arg(model.rowCount())
            .arg(model.columnCount())
            .arg(s.filled)
            .arg(s.overwritten)
            .arg(s.same)
            .arg(s.conflicts));
    {
        const QSignalBlocker block(m_addTests);
        m_addTests->setChecked(model.addMissingTests());
    }
    m_addTests->setEnabled(model.missingTests() > model.missingWithoutRoom());
    m_addTests->setText(QStringLiteral("ログにない試験（%1）を試験名に追加する").arg(model.missingTests()));

    m_preview->clear();
    m_preview->setRowCount(model.rowCount());
    m_preview->setColumnCount(model.columnCount());
    QStringList columns, rows;
    for (int c = 0; c < model.columnCount(); ++c) {
        QString title = fromCp932(model.columnTitle(c));
        const QString unit = fromCp932(model.columnUnit(c));
        if (!unit.isEmpty()) title += QStringLiteral("\n") + unit;
        columns << title;
    }
    for (int r = 0; r < model.rowCount(); ++r) rows << fromCp932(model.rowTitle(r));
    m_preview->setHorizontalHeaderLabels(columns);
    m_preview->setVerticalHeaderLabels(rows);
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c) {
            const LabImportModel::Cell cell = model.cell(r, c);
            auto* item = new QTableWidgetItem(cellText(cell));
            const QColor tint = tintOf(cell.state);
            if (tint.isValid()) item->setBackground(tint);
            if (cell.state == State::Same || cell.state == State::None)
                item->setForeground(QColor(0x80, 0x80, 0x80));
            if (cell.state == State::Conflict || cell.state == State::Overwrite ||
                cell.state == State::TooLong)
                item->setToolTip(QStringLiteral("ログ：%1\n結果：%2")
                                     .arg(fromCp932(cell.oldValue), fromCp932(cell.newValue)));
            m_preview->setItem(r, c, item);
        }
    m_preview->resizeColumnsToContents();
    for (int c = 0; c < model.columnCount(); ++c)
        if (m_preview->columnWidth(c) < 80) m_preview->setColumnWidth(c, 80);

    QString report;
    if (!m_session.notice().empty()) report = fromCp932(m_session.notice()) + QStringLiteral("\n");
    report += fromCp932(model.report());
    m_report->setPlainText(report);
}

} // namespace qc
