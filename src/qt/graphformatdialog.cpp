#include "qt/graphformatdialog.h"

#include "document/positions.h"
#include "qt/qtext.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace qc {

namespace {

QLabel* label(const QString& text, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter)
{
    auto* l = new QLabel(text);
    l->setAlignment(align);
    return l;
}

QString cellName(int row, int field)
{
    return QStringLiteral("r%1f%2").arg(row).arg(field);
}

} // namespace

GraphFormatDialog::GraphFormatDialog(GraphFormatEditor& model, FileChooser& files, QWidget* parent)
    : QDialog(parent), m_model(model), m_files(files)
{
    setWindowTitle(QStringLiteral("グラフ書式"));

    // Graph number and drawing width.
    auto* head = new QHBoxLayout;
    head->addWidget(new QLabel(QStringLiteral("グラフ番号")));
    auto* number = new QLineEdit(QString::number(m_model.graph()));
    number->setObjectName(QStringLiteral("graphNumber"));
    number->setReadOnly(true);
    number->setFocusPolicy(Qt::NoFocus);
    number->setMaximumWidth(36);
    head->addWidget(number);
    head->addSpacing(12);
    head->addWidget(new QLabel(fromCp932(m_model.widthText())));
    head->addStretch(1);

    // Titles 1 and 2.
    auto* titles = new QGroupBox(QStringLiteral("タイトル（位置は枠の%）"));
    auto* tg = new QGridLayout(titles);
    const QStringList align = {QStringLiteral("左"), QStringLiteral("均等")};
    for (int r : {GraphRow::Title1, GraphRow::Title2}) {
        const int line = r - 1;
        tg->addWidget(label(r == 1 ? QStringLiteral("ﾀｲﾄﾙ1") : QStringLiteral("ﾀｲﾄﾙ2")), line, 0);
        tg->addWidget(
            addTitle(r, r == 1 ? GraphFormatEditor::title1Items() : GraphFormatEditor::title2Items()), line,
            1);
        tg->addWidget(addRadios(r, TitleField::Align, align), line, 2);
        tg->addWidget(label(QStringLiteral("左端")), line, 3);
        tg->addWidget(addEdit(r, TitleField::Left, 44), line, 4);
        tg->addWidget(label(QStringLiteral("右端")), line, 5);
        tg->addWidget(addEdit(r, TitleField::Right, 44), line, 6);
        tg->addWidget(label(QStringLiteral("上端")), line, 7);
        tg->addWidget(addEdit(r, TitleField::Top, 44), line, 8);
    }
    tg->setColumnStretch(1, 1);

    // Legend texts.
    auto* legend = new QGroupBox(QStringLiteral("凡例（位置は枠の%）"));
    auto* lg = new QGridLayout(legend);
    const int L = GraphRow::Legend;
    lg->addWidget(label(QStringLiteral("試験名")), 0, 0);
    lg->addWidget(addRadios(L, LegendField::NameAlign, align), 0, 1);
    lg->addWidget(label(QStringLiteral("左端")), 0, 2);
    lg->addWidget(addEdit(L, LegendField::NameLeft, 44), 0, 3);
    lg->addWidget(label(QStringLiteral("右端")), 0, 4);
    lg->addWidget(addEdit(L, LegendField::NameRight, 44), 0, 5);
    lg->addWidget(label(QStringLiteral("単位 左端")), 0, 6);
    lg->addWidget(addEdit(L, LegendField::UnitLeft, 44), 0, 7);
    lg->addWidget(label(QStringLiteral("記事")), 1, 0);
    lg->addWidget(addRadios(L, LegendField::RemarkAlign, align), 1, 1);
    lg->addWidget(label(QStringLiteral("左端")), 1, 2);
    lg->addWidget(addEdit(L, LegendField::RemarkLeft, 44), 1, 3);
    lg->addWidget(label(QStringLiteral("右端")), 1, 4);
    lg->addWidget(addEdit(L, LegendField::RemarkRight, 44), 1, 5);
    lg->setColumnStretch(8, 1);

    // Grid.
    auto* grid = new QGroupBox(QStringLiteral("グリッド"));
    auto* gg = new QGridLayout(grid);
    const int G = GraphRow::Grid;
    gg->addWidget(addRadios(G, GridField::Kind, {QStringLiteral("線形"), QStringLiteral("対数")}), 0, 0, 1,
                  2);
    gg->addWidget(label(QStringLiteral("線形 ｸﾞﾘｯﾄﾞ1")), 0, 2);
    gg->addWidget(addEdit(G, GridField::LinearStep1, 44), 0, 3);
    gg->addWidget(label(QStringLiteral("ｸﾞﾘｯﾄﾞ2")), 0, 4);
    gg->addWidget(addEdit(G, GridField::LinearStep2, 44), 0, 5);
    gg->addWidget(label(QStringLiteral("きざみ mm"), Qt::AlignLeft | Qt::AlignVCenter), 0, 6);
    gg->addWidget(label(QStringLiteral("対数 ｸﾞﾘｯﾄﾞ1")), 1, 2);
    gg->addWidget(addEdit(G, GridField::LogFrom, 44), 1, 3);
    gg->addWidget(label(QStringLiteral("から")), 1, 4);
    gg->addWidget(addEdit(G, GridField::LogTo, 60), 1, 5);
    gg->addWidget(label(QStringLiteral("まで"), Qt::AlignLeft | Qt::AlignVCenter), 1, 6);
    gg->addWidget(label(QStringLiteral("ｸﾞﾘｯﾄﾞ2")), 1, 7);
    gg->addWidget(addEdit(G, GridField::LogGrid2To, 44), 1, 8);
    gg->addWidget(label(QStringLiteral("まで"), Qt::AlignLeft | Qt::AlignVCenter), 1, 9);
    auto* marks = new QHBoxLayout;
    marks->addWidget(new QLabel(QStringLiteral("対数の目盛数字")));
    marks->addWidget(addRadios(G, GridField::LogLabels,
                               {QStringLiteral("1のみ"), QStringLiteral("1,2,5"), QStringLiteral("1から9")}));
    marks->addSpacing(24);
    marks->addWidget(new QLabel(QStringLiteral("軸の色")));
    marks->addWidget(addRadios(G, GridField::AxisColour, {QStringLiteral("黒色"), QStringLiteral("カラー")}));
    marks->addStretch(1);
    gg->addLayout(marks, 2, 0, 1, 11);
    gg->setColumnStretch(10, 1);

    // The ten slots.
    auto* slotBox = new QGroupBox(
        QStringLiteral("プロットする試験（右の一覧をクリックすると、選んだ行の No. に入ります）"));
    auto* sg = new QGridLayout(slotBox);
    sg->setVerticalSpacing(2);
    const QStringList heads = {QStringLiteral("→  No."),   QStringLiteral("試験名"), QStringLiteral("上端%"),
                               QStringLiteral("から"),     QStringLiteral("まで"),   QStringLiteral("きざみ"),
                               QStringLiteral("対数倍率"), QStringLiteral("から"),   QStringLiteral("まで"),
                               QStringLiteral("上端%"),    QStringLiteral("表示")};
    m_autoNames = new QPushButton(QStringLiteral("自動"));
    m_autoNames->setObjectName(QStringLiteral("autoNames"));
    m_autoNumbers = new QPushButton(QStringLiteral("自動"));
    m_autoNumbers->setObjectName(QStringLiteral("autoNumbers"));
    sg->addWidget(label(QStringLiteral("線形目盛"), Qt::AlignCenter), 0, 4, 1, 3);
    sg->addWidget(label(QStringLiteral("対数目盛"), Qt::AlignCenter), 0, 7, 1, 3);
    sg->addWidget(m_autoNames, 0, 3);
    sg->addWidget(m_autoNumbers, 0, 10);
    for (int f = 1; f <= 11; ++f) sg->addWidget(label(heads[f - 1], Qt::AlignCenter), 1, f);
    const int widths[] = {0, 40, 130, 44, 52, 52, 44, 56, 56, 56, 44, 0};
    for (int s = 1; s <= GraphRow::Slots; ++s) {
        const int r = GraphRow::slot(s);
        sg->addWidget(label(QString::number(s)), s + 1, 0);
        for (int f = SlotField::Test; f <= SlotField::NumbersTop; ++f) {
            const bool ro = f == SlotField::Name || f == SlotField::LogFrom || f == SlotField::LogTo;
            sg->addWidget(addEdit(r, f, widths[f], ro), s + 1, f);
        }
        auto* box = new QCheckBox;
        box->setObjectName(QStringLiteral("show%1").arg(s));
        connect(box, &QCheckBox::toggled, this, [this, s](bool on) {
            if (!m_syncing) m_model.setShowNumbers(s, on);
        });
        m_show[static_cast<size_t>(s)] = box;
        sg->addWidget(box, s + 1, SlotField::ShowNumbers, Qt::AlignCenter);
    }
    sg->setColumnStretch(2, 1);
    connect(m_autoNames, &QPushButton::clicked, this, [this] {
        m_model.autoNameTops();
        sync();
    });
    connect(m_autoNumbers, &QPushButton::clicked, this, [this] {
        m_model.autoNumberTops();
        sync();
    });

    // The tests to pick from.
    m_tests = new QTableWidget(48, 2);
    m_tests->setObjectName(QStringLiteral("tests"));
    m_tests->setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("試験名")});
    m_tests->verticalHeader()->hide();
    m_tests->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tests->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tests->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tests->setShowGrid(true);
    m_tests->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    for (int n = 1; n <= 48; ++n) {
        m_tests->setItem(n - 1, 0, new QTableWidgetItem(QString::number(n)));
        m_tests->setItem(n - 1, 1, new QTableWidgetItem(fromCp932(m_model.testName(n))));
    }
    m_tests->setColumnWidth(0, 34);
    m_tests->resizeColumnToContents(1);
    m_tests->setColumnWidth(1, std::max(m_tests->columnWidth(1) + 8, 106));
    m_tests->setMinimumWidth(34 + m_tests->columnWidth(1) + 24);
    m_tests->setFocusPolicy(Qt::NoFocus); // the current slot keeps the focus
    connect(m_tests, &QTableWidget::cellClicked, this, [this](int row, int) {
        m_model.pickTest(row + 1);
        sync();
    });

    m_read = new QPushButton(QStringLiteral("書式読み込み"));
    m_read->setObjectName(QStringLiteral("read"));
    m_read->setAutoDefault(false);
    connect(m_read, &QPushButton::clicked, this, [this] {
        m_model.readFormat(m_files);
        sync();
    });
    m_ok = new QPushButton(QStringLiteral("OK"));
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &GraphFormatDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addLayout(head);
    left->addWidget(titles);
    left->addWidget(legend);
    left->addWidget(grid);
    left->addWidget(slotBox);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("試験一覧")));
    right->addWidget(m_tests, 1);
    right->addWidget(m_read);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    sync();
}

QLineEdit* GraphFormatDialog::addEdit(int row, int field, int width, bool readOnly)
{
    auto* e = new QLineEdit;
    e->setObjectName(cellName(row, field));
    if (width) e->setMinimumWidth(width);
    if (width) e->setMaximumWidth(width + 20);
    if (readOnly) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    connect(e, &QLineEdit::textEdited, this,
            [this, row, field](const QString& text) { m_model.setCell(row, field, toCp932(text)); });
    e->installEventFilter(this);
    m_edits[{row, field}] = e;
    m_cellOf[e] = {row, field};
    return e;
}

QComboBox* GraphFormatDialog::addTitle(int row, const std::vector<std::string>& items)
{
    auto* c = new QComboBox;
    c->setObjectName(cellName(row, TitleField::Text));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& i : items) c->addItem(fromCp932(i));
    c->setMinimumWidth(200);
    connect(c, &QComboBox::editTextChanged, this, [this, row](const QString& text) {
        if (!m_syncing) m_model.setCell(row, TitleField::Text, toCp932(text));
    });
    (row == 1 ? m_title1 : m_title2) = c;
    m_edits[{row, TitleField::Text}] = c->lineEdit();
    return c;
}

QWidget* GraphFormatDialog::addRadios(int row, int field, const QStringList& labels)
{
    auto* box = new QWidget;
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < labels.size(); ++i) {
        auto* b = new QRadioButton(labels[i]);
        b->setObjectName(cellName(row, field) + QStringLiteral("v%1").arg(i));
        group->addButton(b, i);
        h->addWidget(b);
    }
    connect(group, &QButtonGroup::idClicked, this, [this, row, field](int id) {
        m_model.setRadio(row, field, id);
        sync();
    });
    m_radios[{row, field}] = group;
    return box;
}

QLineEdit* GraphFormatDialog::edit(int row, int field) const
{
    auto it = m_edits.find({row, field});
    return it == m_edits.end() ? nullptr : it->second;
}

QButtonGroup* GraphFormatDialog::radios(int row, int field) const
{
    auto it = m_radios.find({row, field});
    return it == m_radios.end() ? nullptr : it->second;
}

void GraphFormatDialog::fieldLeft(int row, int field)
{
    if (row == GraphRow::Grid &&
        (field == GridField::LogFrom || field == GridField::LogTo || field == GridField::LogGrid2To))
        m_model.logGridLeft(field);
    if (row >= GraphRow::FirstSlot && field == SlotField::Multiplier)
        m_model.multiplierLeft(row - GraphRow::FirstSlot + 1);
    if (row >= GraphRow::FirstSlot && field == SlotField::Test)
        m_model.slotNumberLeft(row - GraphRow::FirstSlot + 1);
    sync();
}

bool GraphFormatDialog::eventFilter(QObject* watched, QEvent* event)
{
    auto it = m_cellOf.find(watched);
    if (it != m_cellOf.end()) {
        const auto [row, field] = it->second;
        if (event->type() == QEvent::FocusIn && row >= GraphRow::FirstSlot && field == SlotField::Test)
            m_model.slotNumberFocused(row - GraphRow::FirstSlot + 1);
        if (event->type() == QEvent::FocusOut) {
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                fieldLeft(row, field);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void GraphFormatDialog::sync()
{
    m_syncing = true;
    for (const auto& [cell, e] : m_edits) {
        const QString text = fromCp932(m_model.cell(cell.first, cell.second));
        if (e->text() != text) {
            QSignalBlocker block(e);
            e->setText(text);
        }
    }
    for (const auto& [cell, group] : m_radios)
        if (QAbstractButton* b = group->button(m_model.radio(cell.first, cell.second))) b->setChecked(true);
    for (int s = 1; s <= GraphRow::Slots; ++s) {
        m_show[static_cast<size_t>(s)]->setChecked(m_model.showNumbers(s));
        const int r = GraphRow::slot(s);
        for (int f : {SlotField::LinearFrom, SlotField::LinearTo, SlotField::LinearStep})
            edit(r, f)->setEnabled(m_model.linearEnabled());
        edit(r, SlotField::Multiplier)->setEnabled(m_model.multiplierEnabled());
    }
    m_syncing = false;
}

void GraphFormatDialog::accept()
{
    m_model.accept();
    QDialog::accept();
}

} // namespace qc
