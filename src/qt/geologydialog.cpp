#include "qt/geologydialog.h"

#include "qt/dialogparts.h"
#include "qt/listeditorview.h"
#include "qt/qtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qc {

namespace {

using G = GeologyEditor;

QComboBox* characterCombo(const std::vector<std::string>& items, const char* objectName)
{
    auto* c = new QComboBox;
    c->setObjectName(QString::fromLatin1(objectName));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& i : items) c->addItem(fromCp932(i));
    c->setCurrentIndex(-1);
    c->setEditText(QString());
    c->setMaximumWidth(90);
    return c;
}

} // namespace

GeologyDialog::GeologyDialog(GeologyEditor& model, QWidget* parent)
    : ListDialog(model, parent), m_geology(model)
{
    setWindowTitle(QStringLiteral("地質 色調"));
    deleteButton()->setText(QStringLiteral("行削除"));
    setMoveButtonsVisible(false);

    // Depth, share, connectors and the document options.
    auto* depthGrid = new QGridLayout;
    depthGrid->addWidget(fieldLabel(QStringLiteral("深度 m")), 0, 0);
    depthGrid->addWidget(addFieldEdit(G::Depth, "depth", 80), 0, 1);
    auto* depthBoxes = new QHBoxLayout;
    depthBoxes->addWidget(addFlag(GeologyBits::DepthLine, QStringLiteral("下線"), "depthUnderline"));
    depthBoxes->addWidget(addFlag(GeologyBits::Figures, QStringLiteral("表示"), "depthShown"));
    depthBoxes->addStretch(1);
    depthGrid->addLayout(depthBoxes, 1, 1);
    depthGrid->addWidget(fieldLabel(QStringLiteral("表示%")), 2, 0);
    depthGrid->addWidget(addFieldEdit(G::Percent, "percent", 50), 2, 1);
    m_prefix = characterCombo(G::prefixItems(), "prefix");
    m_suffix = characterCombo(G::suffixItems(), "suffix");
    depthGrid->addWidget(fieldLabel(QStringLiteral("前文字")), 3, 0);
    depthGrid->addWidget(m_prefix, 3, 1);
    depthGrid->addWidget(fieldLabel(QStringLiteral("後文字")), 4, 0);
    depthGrid->addWidget(m_suffix, 4, 1);
    bindField(G::Prefix, m_prefix);
    bindField(G::Suffix, m_suffix);
    depthGrid->addWidget(new QLabel(QStringLiteral("密度稠度例外計算")), 5, 0, 1, 2);
    m_density = new QComboBox;
    m_density->setObjectName(QStringLiteral("density"));
    for (const auto& i : G::densityItems()) m_density->addItem(fromCp932(i));
    depthGrid->addWidget(m_density, 6, 0, 1, 2);
    connect(m_density, &QComboBox::activated, this, [this](int index) {
        m_geology.chooseDensity(static_cast<G::DensityChoice>(index));
        sync();
    });
    m_topsoil = new QCheckBox(QStringLiteral("常に表土分割"));
    m_topsoil->setObjectName(QStringLiteral("topsoil"));
    m_alternation = new QCheckBox(QStringLiteral("互層 縦線表示"));
    m_alternation->setObjectName(QStringLiteral("alternation"));
    m_topsoil->setChecked(m_geology.alwaysSplitTopsoil);
    m_alternation->setChecked(m_geology.alternationLines);
    connect(m_topsoil, &QCheckBox::toggled, this, [this](bool on) { m_geology.alwaysSplitTopsoil = on; });
    connect(m_alternation, &QCheckBox::toggled, this, [this](bool on) { m_geology.alternationLines = on; });
    depthGrid->addWidget(m_topsoil, 7, 0, 1, 2);
    depthGrid->addWidget(m_alternation, 8, 0, 1, 2);
    depthGrid->setRowStretch(9, 1);

    // The name: its symbol, pattern number and list 1041 under it.
    auto* nameGrid = new QGridLayout;
    nameGrid->addWidget(fieldLabel(QStringLiteral("地質名")), 0, 0);
    nameGrid->addWidget(addFieldEdit(G::Name, "name"), 0, 1, 1, 3);
    nameGrid->addWidget(addFlag(GeologyBits::ShowName, QStringLiteral("表示"), "nameShown"), 0, 4);
    nameGrid->addWidget(addFlag(GeologyBits::NameUnderline, QStringLiteral("下線"), "nameUnderline"), 1, 1);
    nameGrid->addWidget(fieldLabel(QStringLiteral("記号")), 1, 2);
    nameGrid->addWidget(addFieldEdit(G::Symbol, "symbol", 60), 1, 3);
    nameGrid->addWidget(fieldLabel(QStringLiteral("ﾊﾟﾀｰﾝNo.")), 2, 0);
    nameGrid->addWidget(addFieldEdit(G::Pattern1, "pattern1", 80), 2, 1, 1, 2);
    nameGrid->addWidget(addFlag(GeologyBits::PatternLine, QStringLiteral("下線"), "pattern1Underline"), 2, 3);
    nameGrid->addWidget(addNameList(G::NameList::Names, "names"), 3, 1, 1, 4);
    nameGrid->setRowStretch(3, 1);

    // The auxiliary name: its pattern number, then lists 1044 and 1046.
    auto* auxGrid = new QGridLayout;
    auxGrid->addWidget(fieldLabel(QStringLiteral("補助名")), 0, 0);
    auxGrid->addWidget(addFieldEdit(G::Aux, "aux"), 0, 1, 1, 2);
    auxGrid->addWidget(addFlag(GeologyBits::ShowAuxiliary, QStringLiteral("表示"), "auxShown"), 0, 3);
    auxGrid->addWidget(fieldLabel(QStringLiteral("ﾊﾟﾀｰﾝNo.")), 1, 0);
    auxGrid->addWidget(addFieldEdit(G::Pattern2, "pattern2", 80), 1, 1);
    auxGrid->addWidget(addFlag(GeologyBits::AuxiliaryMark, QStringLiteral("下線"), "pattern2Underline"), 1,
                       2);
    auto* modifierLists = new QHBoxLayout;
    modifierLists->addWidget(addNameList(G::NameList::Mixtures, "mixtures"));
    modifierLists->addWidget(addNameList(G::NameList::Adjectives, "adjectives"));
    auxGrid->addLayout(modifierLists, 2, 1, 1, 3);
    auxGrid->setRowStretch(2, 1);

    // List 1023 right of the pattern numbers.
    auto* basesColumn = new QVBoxLayout;
    basesColumn->addSpacing(2);
    basesColumn->addWidget(addNameList(G::NameList::Bases, "bases"), 1);

    // The colour tone and its list.
    auto* colourGrid = new QGridLayout;
    colourGrid->addWidget(fieldLabel(QStringLiteral("色調")), 0, 0);
    colourGrid->addWidget(addFieldEdit(G::Colour, "colour"), 0, 1);
    colourGrid->addWidget(addFlag(GeologyBits::ToneUnderline, QStringLiteral("下線"), "colourUnderline"), 1,
                          1);
    m_colours = new QListWidget;
    m_colours->setObjectName(QStringLiteral("colours"));
    for (const auto& t : m_geology.colourTones()) m_colours->addItem(fromCp932(t));
    m_colours->setMinimumWidth(120);
    m_colours->installEventFilter(this);
    connect(m_colours, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { pick(m_colours, m_colours->row(item)); });
    colourGrid->addWidget(m_colours, 2, 0, 1, 2);
    colourGrid->setRowStretch(2, 1);
    colourGrid->setColumnStretch(1, 1);

    auto* fields = new QHBoxLayout;
    fields->addLayout(depthGrid);
    fields->addSpacing(8);
    fields->addLayout(nameGrid, 3);
    fields->addSpacing(8);
    fields->addLayout(auxGrid, 3);
    fields->addLayout(basesColumn, 2);
    fields->addSpacing(8);
    fields->addLayout(colourGrid, 2);

    setDefaultLayout(fields);

    // Tab order as the fields are read: the list, depth, name, auxiliary name,
    // the lists, colour tone, then the share and connector fields and the buttons.
    QWidget* order[] = {listView(),
                        edit(G::Depth),
                        flagBox(GeologyBits::DepthLine),
                        flagBox(GeologyBits::Figures),
                        edit(G::Name),
                        flagBox(GeologyBits::ShowName),
                        flagBox(GeologyBits::NameUnderline),
                        edit(G::Symbol),
                        edit(G::Pattern1),
                        flagBox(GeologyBits::PatternLine),
                        nameList(G::NameList::Names),
                        edit(G::Aux),
                        flagBox(GeologyBits::ShowAuxiliary),
                        edit(G::Pattern2),
                        flagBox(GeologyBits::AuxiliaryMark),
                        nameList(G::NameList::Mixtures),
                        nameList(G::NameList::Adjectives),
                        nameList(G::NameList::Bases),
                        edit(G::Colour),
                        flagBox(GeologyBits::ToneUnderline),
                        m_colours,
                        edit(G::Percent),
                        m_prefix,
                        m_suffix,
                        m_density,
                        m_topsoil,
                        m_alternation,
                        addButton(),
                        overwriteButton(),
                        deleteButton(),
                        okButton(),
                        cancelButton()};
    setTabChain(order);

    resize(1080, 690);
    sync();
}

QCheckBox* GeologyDialog::addFlag(int bit, const QString& text, const char* objectName)
{
    auto* box = new QCheckBox(text);
    box->setObjectName(QString::fromLatin1(objectName));
    connect(box, &QCheckBox::clicked, this, [this, bit](bool on) {
        m_geology.setFlag(bit, on);
        sync();
    });
    m_flags[bit] = box;
    return box;
}

QListWidget* GeologyDialog::addNameList(G::NameList which, const char* objectName)
{
    auto* list = new QListWidget;
    list->setObjectName(QString::fromLatin1(objectName));
    for (const MasterPick& p : m_geology.names(which)) {
        auto* item = new QListWidgetItem(fromCp932(p.name), list);
        item->setToolTip(fromCp932(p.symbol + "  " + p.pattern));
    }
    list->setMinimumWidth(110);
    list->setMinimumHeight(120);
    list->installEventFilter(this);
    connect(list, &QListWidget::itemClicked, this,
            [this, list](QListWidgetItem* item) { pick(list, list->row(item)); });
    m_lists[which] = list;
    return list;
}

void GeologyDialog::pick(QListWidget* list, int row)
{
    if (row < 0) return;
    if (list == m_colours) {
        m_geology.pickColourTone(row);
    } else {
        for (const auto& [which, l] : m_lists)
            if (l == list) m_geology.pickName(which, row);
    }
    sync();
}

bool GeologyDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Space picks the current item of a name or colour list, as a click does.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        if (auto* list = qobject_cast<QListWidget*>(watched)) {
            pick(list, list->currentRow());
            return true;
        }
    }
    return ListDialog::eventFilter(watched, event);
}

QCheckBox* GeologyDialog::flagBox(int bit) const
{
    auto it = m_flags.find(bit);
    return it == m_flags.end() ? nullptr : it->second;
}

QListWidget* GeologyDialog::nameList(G::NameList list) const
{
    auto it = m_lists.find(list);
    return it == m_lists.end() ? nullptr : it->second;
}

void GeologyDialog::syncOptions()
{
    for (const auto& [bit, box] : m_flags) box->setChecked(m_geology.flag(bit));
    if (m_density) m_density->setCurrentIndex(0);
}

} // namespace qc
