#include "qt/namemasterdialog.h"

#include "qt/dialogparts.h"
#include "qt/qtcolourchooser.h"
#include "qt/qtext.h"
#include "qt/qtpainterdevice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qc {

namespace {

using M = NameMasterEditor;

constexpr int kScreenDpi = 96;

QTableWidget* makeTable(const char* objectName, const std::vector<std::pair<QString, int>>& columns)
{
    auto* t = new QTableWidget(0, static_cast<int>(columns.size()));
    t->setObjectName(QString::fromLatin1(objectName));
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setShowGrid(true);
    t->verticalHeader()->setVisible(false);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 4);
    t->horizontalHeader()->setStretchLastSection(false);
    t->horizontalHeader()->setHighlightSections(false);
    int width = 2 * t->frameWidth() + 20;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        t->setHorizontalHeaderItem(c, new QTableWidgetItem(columns[static_cast<size_t>(c)].first));
        t->setColumnWidth(c, columns[static_cast<size_t>(c)].second);
        width += columns[static_cast<size_t>(c)].second;
    }
    t->setMinimumWidth(width);
    return t;
}

void setRow(QTableWidget* t, int row, const std::vector<std::string>& cells)
{
    for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
        QTableWidgetItem* item = t->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            t->setItem(row, c, item);
        }
        const QString text = fromCp932(cells[static_cast<size_t>(c)]);
        if (item->text() != text) item->setText(text);
        // Marks and numbers are read best centred / right-aligned.
        if (c > 0) item->setTextAlignment(Qt::AlignCenter);
    }
}

QLineEdit* infoField(const std::string& path)
{
    auto* e = new QLineEdit(fromNativePath(path));
    e->setReadOnly(true);
    e->setCursorPosition(0);
    return e;
}

} // namespace

PatternPreviewWidget::PatternPreviewWidget(const NameMasterEditor& model, bool bitmap, QWidget* parent)
    : QWidget(parent), m_model(model), m_bitmap(bitmap)
{
    setObjectName(bitmap ? QStringLiteral("bitmapPreview") : QStringLiteral("vectorPreview"));
    setMinimumSize(90, 120);
}

void PatternPreviewWidget::paintEvent(QPaintEvent*)
{
    // Drawn into an image first: the tiles' AND needs a raster target of its own.
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtPainterDevice device(painter, kScreenDpi, kScreenDpi);
        if (m_bitmap)
            drawBitmapPreview(device, m_model.previewBitmapFolder(), m_model.previewBitmap(), width(),
                              height());
        else
            drawVectorPreview(device, m_model.previewVector(), width(), height(), m_model.previewStyle());
    }
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

NameMasterDialog::NameMasterDialog(NameMasterEditor& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("土質地質名と柱状図模様"));

    // ---- the name being edited
    auto* nameGrid = new QGridLayout;
    nameGrid->addWidget(fieldLabel(QStringLiteral("地質名")), 0, 0);
    nameGrid->addWidget(addEdit(M::Name, "name", 170), 0, 1, 1, 3);
    nameGrid->addWidget(fieldLabel(QStringLiteral("記号　")), 1, 0);
    nameGrid->addWidget(addEdit(M::Symbol, "symbol", 70), 1, 1);
    auto* classes = new QGroupBox(QStringLiteral("相対密度稠度分類"));
    auto* classRow = new QHBoxLayout(classes);
    m_density = new QCheckBox(QStringLiteral("密度"));
    m_density->setObjectName(QStringLiteral("density"));
    m_consistency = new QCheckBox(QStringLiteral("稠度"));
    m_consistency->setObjectName(QStringLiteral("consistency"));
    classRow->addWidget(m_density);
    classRow->addWidget(m_consistency);
    connect(m_density, &QCheckBox::toggled, this, [this](bool on) { m_model.setDensity(on); });
    connect(m_consistency, &QCheckBox::toggled, this, [this](bool on) { m_model.setConsistency(on); });
    nameGrid->addWidget(classes, 1, 2, 2, 2);
    nameGrid->addWidget(fieldLabel(QStringLiteral("線描")), 2, 0);
    nameGrid->addWidget(addEdit(M::Vector, "vector", 80), 2, 1);
    nameGrid->addWidget(fieldLabel(QStringLiteral("ビットマップ")), 3, 0);
    nameGrid->addWidget(addEdit(M::Bitmap, "bitmap", 80), 3, 1);

    auto* targetBox = new QGroupBox(QStringLiteral("← 編集パターンNo"));
    auto* targetRow = new QHBoxLayout(targetBox);
    m_targetVector = new QRadioButton(QStringLiteral("線描"));
    m_targetVector->setObjectName(QStringLiteral("targetVector"));
    m_targetBitmap = new QRadioButton(QStringLiteral("ビットマップ"));
    m_targetBitmap->setObjectName(QStringLiteral("targetBitmap"));
    targetRow->addWidget(m_targetVector);
    targetRow->addWidget(m_targetBitmap);
    connect(m_targetVector, &QRadioButton::clicked, this, [this] {
        m_model.setTarget(M::Target::Vector);
        sync();
    });
    connect(m_targetBitmap, &QRadioButton::clicked, this, [this] {
        m_model.setTarget(M::Target::Bitmap);
        sync();
    });

    // ---- pattern tools
    auto* tools = new QGroupBox(QStringLiteral("パターン"));
    auto* toolGrid = new QGridLayout(tools);
    toolGrid->addWidget(fieldLabel(QStringLiteral("ﾊﾟﾀｰﾝNo")), 0, 0);
    toolGrid->addWidget(addEdit(M::PatternNo, "patternNo", 80), 0, 1);
    toolGrid->addWidget(addButton(QStringLiteral("←適用"), "apply", &M::apply), 0, 2);
    toolGrid->addWidget(fieldLabel(QStringLiteral("色コード")), 1, 0);
    toolGrid->addWidget(addEdit(M::Colour, "colour", 80), 1, 1);
    QPushButton* chooseColour = addButton(QStringLiteral("色設定"), "chooseColour", &M::chooseColour);
    QPushButton* defaultColour = addButton(QStringLiteral("既定色"), "defaultColour", &M::defaultColour);
    QPushButton* overwritePattern =
        addButton(QStringLiteral("↑上書き"), "overwritePattern", &M::overwritePattern);
    QPushButton* allDefault =
        addButton(QStringLiteral("すべて既定色"), "allDefaultColours", &M::allDefaultColours);
    toolGrid->addWidget(chooseColour, 1, 2);
    toolGrid->addWidget(defaultColour, 2, 1);
    toolGrid->addWidget(overwritePattern, 2, 2);
    toolGrid->addWidget(allDefault, 3, 1, 1, 2);
    m_colourTools = {chooseColour, defaultColour, overwritePattern, allDefault};

    // ---- previews
    m_vectorPreview = new PatternPreviewWidget(m_model, false);
    m_bitmapPreview = new PatternPreviewWidget(m_model, true);
    auto* previews = new QGridLayout;
    previews->addWidget(new QLabel(QStringLiteral("線描")), 0, 0, Qt::AlignHCenter);
    previews->addWidget(new QLabel(QStringLiteral("ビットマップ")), 0, 1, Qt::AlignHCenter);
    previews->addWidget(m_vectorPreview, 1, 0);
    previews->addWidget(m_bitmapPreview, 1, 1);

    auto* leftTop = new QVBoxLayout;
    leftTop->addLayout(nameGrid);
    leftTop->addWidget(targetBox);
    auto* top = new QHBoxLayout;
    top->addLayout(leftTop);
    top->addWidget(tools);
    top->addLayout(previews);
    top->addStretch(1);

    // ---- lists
    m_master = makeTable("masterList", {{QStringLiteral("地質名"), 150},
                                        {QStringLiteral("記号"), 50},
                                        {QStringLiteral("密度"), 38},
                                        {QStringLiteral("稠度"), 38},
                                        {QStringLiteral("線描No"), 64},
                                        {QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟNo"), 80}});
    m_patterns = makeTable("patternList", {{QStringLiteral("ﾊﾟﾀｰﾝNo"), 80},
                                           {QStringLiteral("色コード"), 76},
                                           {QStringLiteral("既定色"), 76},
                                           {QStringLiteral("略表示"), 50},
                                           {QStringLiteral("地質例"), 110}});
    connect(m_master, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (m_syncing || row < 0) return;
        m_model.clickMaster(row + 1);
        sync();
    });
    connect(m_patterns, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (m_syncing || row < 0) return;
        m_model.clickPattern(row + 1);
        sync();
    });
    auto masterButtons = new QHBoxLayout;
    masterButtons->addWidget(addButton(QStringLiteral("↓上書き"), "overwrite", &M::overwrite));
    masterButtons->addWidget(addButton(QStringLiteral("↓挿入"), "insert", &M::insert));
    masterButtons->addWidget(addButton(QStringLiteral("↑編集"), "edit", &M::edit));
    masterButtons->addWidget(addButton(QStringLiteral("削除"), "delete", &M::deleteRow));
    masterButtons->addWidget(addButton(QStringLiteral("↑"), "up", &M::moveUp));
    masterButtons->addWidget(addButton(QStringLiteral("↓"), "down", &M::moveDown));
    masterButtons->addStretch(1);
    auto* masterColumn = new QVBoxLayout;
    masterColumn->addLayout(masterButtons);
    masterColumn->addWidget(m_master, 1);

    auto makeBitmapList = [this](const char* objectName, const std::vector<std::string>& entries) {
        auto* l = new QListWidget;
        l->setObjectName(QString::fromLatin1(objectName));
        for (const auto& e : entries) l->addItem(fromCp932(e));
        l->setMinimumWidth(110);
        connect(l, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            m_model.clickBitmap(toCp932(item->text()));
            sync();
        });
        return l;
    };
    m_colourBitmaps = makeBitmapList("colourBitmaps", m_model.colourBitmaps());
    m_monoBitmaps = makeBitmapList("monochromeBitmaps", m_model.monochromeBitmaps());
    auto* bitmapColumn = new QVBoxLayout;
    bitmapColumn->addWidget(new QLabel(QStringLiteral("カラー ビットマップ")));
    bitmapColumn->addWidget(m_colourBitmaps, 1);
    bitmapColumn->addWidget(new QLabel(QStringLiteral("白黒 ビットマップ")));
    bitmapColumn->addWidget(m_monoBitmaps, 1);

    auto* lists = new QHBoxLayout;
    lists->addLayout(masterColumn);
    lists->addWidget(m_patterns, 1);
    lists->addLayout(bitmapColumn, 1);

    // ---- program settings
    auto* useBox = new QGroupBox(QStringLiteral("使用パターン選択"));
    auto* useRow = new QHBoxLayout(useBox);
    auto* useGroup = new QButtonGroup(this);
    const QString useLabels[] = {QStringLiteral("線描のみ使用"), QStringLiteral("線描優先"),
                                 QStringLiteral("ビットマップ優先"), QStringLiteral("ビットマップのみ")};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(useLabels[i]);
        r->setObjectName(QStringLiteral("patternUse%1").arg(i));
        useGroup->addButton(r, i);
        useRow->addWidget(r);
        m_use[static_cast<size_t>(i)] = r;
    }
    connect(useGroup, &QButtonGroup::idClicked, this, [this](int id) { m_model.settings().patternUse = id; });

    m_lineWidth = new QComboBox;
    m_lineWidth->setObjectName(QStringLiteral("lineWidth"));
    m_lineWidth->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    connect(m_lineWidth, &QComboBox::activated, this, [this](int index) {
        m_model.settings().patternOption = index;
        sync();
    });
    m_mixed = new QCheckBox(QStringLiteral("混じり／質"));
    m_mixed->setObjectName(QStringLiteral("mixedMarks"));
    connect(m_mixed, &QCheckBox::clicked, this, [this](bool on) {
        m_model.settings().mixedMarks = on ? 1 : 0;
        sync();
    });
    m_allBlack = new QCheckBox(QStringLiteral("すべて黒色"));
    m_allBlack->setObjectName(QStringLiteral("allBlack"));
    connect(m_allBlack, &QCheckBox::clicked, this, [this](bool on) {
        m_model.settings().allBlack = on;
        sync();
    });
    auto* bitmapShow = new QGroupBox(QStringLiteral("ビットマップ表示"));
    auto* bitmapRow = new QHBoxLayout(bitmapShow);
    m_colour = new QRadioButton(QStringLiteral("カラー"));
    m_colour->setObjectName(QStringLiteral("colourBitmaps"));
    m_mono = new QRadioButton(QStringLiteral("白黒"));
    m_mono->setObjectName(QStringLiteral("monochrome"));
    bitmapRow->addWidget(m_colour);
    bitmapRow->addWidget(m_mono);
    connect(m_colour, &QRadioButton::clicked, this, [this] {
        m_model.settings().monochromeBitmaps = false;
        sync();
    });
    connect(m_mono, &QRadioButton::clicked, this, [this] {
        m_model.settings().monochromeBitmaps = true;
        sync();
    });

    auto* settingsRow = new QHBoxLayout;
    settingsRow->addWidget(useBox);
    settingsRow->addWidget(new QLabel(QStringLiteral("線太さ")));
    settingsRow->addWidget(m_lineWidth);
    settingsRow->addWidget(m_mixed);
    settingsRow->addWidget(m_allBlack);
    settingsRow->addWidget(bitmapShow);
    settingsRow->addStretch(1);

    auto* info = new QGridLayout;
    info->addWidget(fieldLabel(QStringLiteral("地質名ファイル")), 0, 0);
    info->addWidget(infoField(m_model.data().masterPath), 0, 1);
    info->addWidget(fieldLabel(QStringLiteral("ビットマップ")), 0, 2);
    info->addWidget(infoField(m_model.data().bitmapFolder), 0, 3);
    info->addWidget(fieldLabel(QStringLiteral("白黒")), 0, 4);
    info->addWidget(infoField(m_model.data().monochromeBitmapFolder), 0, 5);

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("ok"));
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(ok, &QPushButton::clicked, this, &NameMasterDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &NameMasterDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(info, 1);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(lists, 1);
    layout->addLayout(settingsRow);
    layout->addLayout(bottom);

    resize(1240, 690);
    sync();
}

QLineEdit* NameMasterDialog::addEdit(M::Field f, const char* objectName, int width)
{
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(objectName));
    e->setMinimumWidth(width);
    connect(e, &QLineEdit::textEdited, this, [this, f](const QString& text) {
        m_model.setField(f, toCp932(text));
        m_vectorPreview->update();
        m_bitmapPreview->update();
    });
    m_edits[f] = e;
    return e;
}

QPushButton* NameMasterDialog::addButton(const QString& text, const char* objectName, void (M::*op)())
{
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, op] {
        (m_model.*op)();
        sync();
    });
    return b;
}

QPushButton* NameMasterDialog::button(const QString& objectName) const
{
    return findChild<QPushButton*>(objectName);
}

void NameMasterDialog::fillTables()
{
    // A section line reads across the whole row and takes no part in the column widths.
    auto fill = [](QTableWidget* t, const std::vector<std::vector<std::string>>& rows,
                   const std::vector<bool>& sections) {
        t->clearSpans();
        t->setRowCount(static_cast<int>(rows.size()));
        std::vector<int> widths(static_cast<size_t>(t->columnCount()), 0);
        const QFontMetrics fm(t->font());
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            setRow(t, r, rows[static_cast<size_t>(r)]);
            if (sections[static_cast<size_t>(r)]) {
                t->setSpan(r, 0, 1, t->columnCount());
                continue;
            }
            for (int c = 0; c < t->columnCount(); ++c)
                widths[static_cast<size_t>(c)] = std::max(
                    widths[static_cast<size_t>(c)],
                    fm.horizontalAdvance(fromCp932(rows[static_cast<size_t>(r)][static_cast<size_t>(c)])) +
                        12);
        }
        // Columns at least as wide as what they hold.
        for (int c = 0; c < t->columnCount(); ++c)
            if (t->columnWidth(c) < widths[static_cast<size_t>(c)])
                t->setColumnWidth(c, widths[static_cast<size_t>(c)]);
        int total = 2 * t->frameWidth() + t->verticalScrollBar()->sizeHint().width();
        for (int c = 0; c < t->columnCount(); ++c) total += t->columnWidth(c);
        t->setMinimumWidth(total);
        t->setMaximumWidth(total);
    };
    std::vector<std::vector<std::string>> cells;
    std::vector<bool> sections;
    for (const NameMasterRow& row : m_model.masterRows()) {
        cells.push_back({row.name, row.symbol, row.density, row.consistency, row.vector, row.bitmap});
        sections.push_back(row.section);
    }
    fill(m_master, cells, sections);
    cells.clear();
    sections.clear();
    for (const PatternIndexRow& p : m_model.patternRows()) {
        cells.push_back({p.number, p.colour, p.defaultColour, p.abbreviation, p.example});
        sections.push_back(p.section);
    }
    fill(m_patterns, cells, sections);
}

void NameMasterDialog::sync()
{
    m_syncing = true;
    fillTables();
    auto select = [](QTableWidget* t, int row) {
        if (row >= 1) {
            t->setCurrentCell(row - 1, 0);
            t->scrollToItem(t->item(row - 1, 0));
        } else {
            t->clearSelection();
            t->setCurrentCell(-1, -1);
        }
    };
    select(m_master, m_model.selectedMaster());
    select(m_patterns, m_model.selectedPattern());

    for (int f = 0; f < M::FieldCount; ++f) {
        const QString text = fromCp932(m_model.field(static_cast<M::Field>(f)));
        if (m_edits[static_cast<size_t>(f)]->text() != text) m_edits[static_cast<size_t>(f)]->setText(text);
    }
    m_density->setChecked(m_model.density());
    m_consistency->setChecked(m_model.consistency());
    (m_model.target() == M::Target::Vector ? m_targetVector : m_targetBitmap)->setChecked(true);
    for (QPushButton* b : m_colourTools) b->setEnabled(m_model.colourToolsEnabled());

    const NameMasterDialogData& d = m_model.data();
    if (d.patternUse >= 0 && d.patternUse < 4) m_use[static_cast<size_t>(d.patternUse)]->setChecked(true);
    m_lineWidth->setCurrentIndex(std::clamp(d.patternOption, 0, 2));
    m_mixed->setChecked(d.mixedMarks == 1);
    m_allBlack->setChecked(d.allBlack);
    (d.monochromeBitmaps ? m_mono : m_colour)->setChecked(true);

    m_vectorPreview->update();
    m_bitmapPreview->update();
    const M::Field focus = m_model.takeFocusRequest();
    if (focus != M::FieldCount) m_edits[focus]->setFocus(Qt::OtherFocusReason);
    m_syncing = false;
}

void NameMasterDialog::accept()
{
    if (m_model.accept()) QDialog::accept();
}

void NameMasterDialog::reject()
{
    if (m_model.cancel()) QDialog::reject();
}

} // namespace qc
