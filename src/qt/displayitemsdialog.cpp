#include "qt/displayitemsdialog.h"

#include "document/positions.h"
#include "qt/dialogparts.h"
#include "qt/qtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qc {

namespace {

using E = DisplayItemsEditor;

size_t at(int row)
{
    return static_cast<size_t>(row);
}

QString itemName(int row)
{
    switch (row) {
    case DisplayRow::Notes:
        return QStringLiteral("記事");
    case DisplayRow::Strata:
        return QStringLiteral("地層岩体");
    case DisplayRow::FreeColumn:
        return QStringLiteral("空欄");
    case DisplayRow::WaterLevel:
        return QStringLiteral("孔内水位");
    case DisplayRow::Sampling:
        return QStringLiteral("試料採取");
    case DisplayRow::GrainSize:
        return QStringLiteral("粒度組成");
    case DisplayRow::Casing:
        return QStringLiteral("保孔管");
    case DisplayRow::DrillDate:
        return QStringLiteral("削孔月日");
    default:
        return QStringLiteral("グラフ%1").arg(row - DisplayRow::Graph1 + 1);
    }
}

QLabel* heading(const QString& text)
{
    auto* l = new QLabel(text);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLabel* rightLabel(const QString& text)
{
    auto* l = new QLabel(text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QPushButton* button(const QString& text, const char* name)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

DisplayItemsDialog::DisplayItemsDialog(DisplayItemsEditor& model, QWidget* parent)
    : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("表示項目"));

    auto makeTitle = [this](int row) {
        auto* c = new QComboBox;
        c->setObjectName(QStringLiteral("title%1").arg(row));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        for (const std::string& item : E::titleItems(row)) c->addItem(fromCp932(item));
        c->setMinimumWidth(150);
        connect(c, &QComboBox::currentTextChanged, this,
                [this, row](const QString& text) { m_model.setTitle(row, toCp932(text)); });
        m_title[at(row)] = c;
        return c;
    };
    auto makeRow = [this](int row) {
        auto* box = new QCheckBox(itemName(row));
        box->setObjectName(QStringLiteral("shown%1").arg(row));
        connect(box, &QCheckBox::toggled, this, [this, row](bool on) {
            m_model.setShown(row, on);
            showTotals(false);
        });
        m_shown[at(row)] = box;
        auto* width = numberField(QStringLiteral("width%1").arg(row), 64);
        if (!E::widthEditable(row)) {
            width->setReadOnly(true);
            width->setFocusPolicy(Qt::NoFocus);
            width->setEnabled(false);
        } else {
            connect(width, &QLineEdit::textEdited, this,
                    [this, row](const QString& text) { m_model.setWidth(row, toCp932(text)); });
            width->installEventFilter(this);
        }
        m_width[at(row)] = width;
    };

    // ---- basic items
    auto* basicBox = new QGroupBox(QStringLiteral("基本事項"));
    auto* basic = new QGridLayout(basicBox);
    basic->addWidget(heading(QStringLiteral("表示")), 0, 0);
    basic->addWidget(heading(QStringLiteral("幅")), 0, 1);
    basic->addWidget(heading(QStringLiteral("タイトル")), 0, 2);
    int line = 1;
    basic->addWidget(new QLabel(QStringLiteral("土質地質名")), line, 0);
    basic->addWidget(new QLabel(QStringLiteral("(固定)")), line, 1);
    basic->addWidget(makeTitle(DisplayRow::Basic), line++, 2);
    for (int row : {DisplayRow::Notes, DisplayRow::Strata, DisplayRow::FreeColumn, DisplayRow::WaterLevel,
                    DisplayRow::Sampling, DisplayRow::GrainSize, DisplayRow::Casing, DisplayRow::DrillDate}) {
        makeRow(row);
        basic->addWidget(m_shown[at(row)], line, 0);
        basic->addWidget(m_width[at(row)], line, 1);
        if (!E::titleItems(row).empty()) basic->addWidget(makeTitle(row), line, 2);
        ++line;
    }
    auto* fixedNote = new QLabel(QStringLiteral("灰色の幅は固定幅です（変更できません）\n"
                                                "深度目盛～土質地質名の部分も固定幅です"));
    fixedNote->setObjectName(QStringLiteral("fixedNote"));
    basic->addWidget(fixedNote, line++, 0, 1, 3);
    basic->setRowStretch(line, 1);

    // ---- graphs
    auto* graphBox = new QGroupBox(QStringLiteral("グラフ"));
    auto* graphs = new QGridLayout(graphBox);
    graphs->addWidget(heading(QStringLiteral("表示")), 0, 0);
    graphs->addWidget(heading(QStringLiteral("グラフ枠幅")), 0, 1);
    graphs->addWidget(heading(QStringLiteral("描画用グリッド幅")), 0, 2);
    for (int g = 1; g <= 5; ++g) {
        const int row = DisplayRow::graph(g);
        makeRow(row);
        auto* grid = numberField(QStringLiteral("grid%1").arg(row), 64);
        connect(grid, &QLineEdit::textEdited, this,
                [this, row](const QString& text) { m_model.setGridWidth(row, toCp932(text)); });
        m_grid[at(row)] = grid;
        graphs->addWidget(m_shown[at(row)], g, 0);
        graphs->addWidget(m_width[at(row)], g, 1, Qt::AlignHCenter);
        graphs->addWidget(grid, g, 2, Qt::AlignHCenter);
    }
    auto* equal = button(QStringLiteral("幅均等"), "equal");
    auto* five = button(QStringLiteral("グラフ5枚"), "five");
    auto* three = button(QStringLiteral("グラフ3枚"), "three");
    auto* examples = new QHBoxLayout;
    examples->addWidget(equal);
    examples->addStretch(1);
    examples->addWidget(new QLabel(QStringLiteral("例：")));
    examples->addWidget(five);
    examples->addWidget(three);
    graphs->addLayout(examples, 6, 0, 1, 3);
    m_referenceLines = new QCheckBox(QStringLiteral("基準値線を表示"));
    m_referenceLines->setObjectName(QStringLiteral("referenceLines"));
    m_referenceLines->setToolTip(QStringLiteral("試験の基準値の位置にグラフの縦破線を引きます"));
    connect(m_referenceLines, &QCheckBox::toggled, this, [this](bool on) { m_model.setReferenceLines(on); });
    graphs->addWidget(m_referenceLines, 7, 0, 1, 3);
    graphs->setRowStretch(8, 1);

    // ---- totals
    auto* totalsBox = new QGroupBox(QStringLiteral("幅：単位 mm"));
    auto* totals = new QGridLayout(totalsBox);
    auto* logWidth = readOnlyField(QStringLiteral("logWidth"));
    logWidth->setText(fromCp932(E::formatMm(E::kLogWidthMm)));
    m_basicTotal = readOnlyField(QStringLiteral("basicTotal"));
    m_graphRoom = readOnlyField(QStringLiteral("graphRoom"));
    m_graphTotal = readOnlyField(QStringLiteral("graphTotal"));
    m_overallTotal = readOnlyField(QStringLiteral("overallTotal"));
    auto* overall = button(QStringLiteral("柱状図部幅"), "overall");
    int t = 0;
    totals->addWidget(rightLabel(QStringLiteral("標題部幅")), t, 0);
    totals->addWidget(logWidth, t++, 1);
    totals->addWidget(rightLabel(QStringLiteral("基本事項 合計")), t, 0);
    totals->addWidget(m_basicTotal, t++, 1);
    totals->addWidget(rightLabel(QStringLiteral("グラフ領域用")), t, 0);
    totals->addWidget(m_graphRoom, t++, 1);
    totals->addWidget(rightLabel(QStringLiteral("グラフ部 合計")), t, 0);
    totals->addWidget(m_graphTotal, t++, 1);
    totals->addWidget(overall, t, 0);
    totals->addWidget(m_overallTotal, t++, 1);
    totals->addWidget(new QLabel(QStringLiteral("= 基本事項 + グラフ部")), t++, 0, 1, 2, Qt::AlignRight);
    totals->setRowStretch(t, 1);

    connect(equal, &QPushButton::clicked, this, [this] {
        m_model.equalWidths();
        showValues();
        showTotals(true);
    });
    connect(five, &QPushButton::clicked, this, [this] {
        m_model.fiveGraphs();
        showValues();
        showTotals(true);
    });
    connect(three, &QPushButton::clicked, this, [this] {
        m_model.threeGraphs();
        showValues();
        showTotals(true);
    });
    connect(overall, &QPushButton::clicked, this, [this] {
        m_model.recomputeOverall();
        showTotals(true);
    });

    auto* right = new QVBoxLayout;
    right->addWidget(graphBox);
    right->addWidget(totalsBox);
    auto* columns = new QHBoxLayout;
    columns->addWidget(basicBox);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(okCancelButtons(this));

    showValues();
    showTotals(true);
}

void DisplayItemsDialog::showValues()
{
    const DisplayItemsData& d = m_model.data();
    {
        QSignalBlocker block(m_referenceLines);
        m_referenceLines->setChecked(d.referenceLines);
    }
    for (int row = 1; row <= 16; ++row) {
        if (QCheckBox* box = m_shown[at(row)]) {
            QSignalBlocker block(box);
            box->setChecked(m_model.shown(row));
        }
        if (QLineEdit* w = m_width[at(row)]) w->setText(fromCp932(d.width[at(row)]));
        if (QLineEdit* g = m_grid[at(row)]) g->setText(fromCp932(d.gridWidth[at(row)]));
        if (QComboBox* c = m_title[at(row)]) {
            QSignalBlocker block(c);
            const QString text = fromCp932(d.title[at(row)]);
            c->setCurrentIndex(c->findText(text));
            c->setEditText(text);
        }
    }
}

void DisplayItemsDialog::showTotals(bool overall)
{
    m_basicTotal->setText(fromCp932(E::formatMm(m_model.basicTotal())));
    m_graphRoom->setText(fromCp932(E::formatMm(m_model.graphRoom())));
    m_graphTotal->setText(fromCp932(E::formatMm(m_model.graphTotal())));
    if (overall) m_overallTotal->setText(fromCp932(E::formatMm(m_model.overallTotal())));
}

bool DisplayItemsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (leftField(event)) {
        for (int row = 1; row <= 16; ++row) {
            if (m_width[at(row)] == watched) {
                m_model.widthLeft(row);
                showTotals(false);
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DisplayItemsDialog::accept()
{
    m_model.accept();
    showTotals(false);
    QDialog::accept();
}

} // namespace qc
