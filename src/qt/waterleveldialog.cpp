#include "qt/waterleveldialog.h"

#include "qt/dialogparts.h"
#include "qt/listeditorview.h"
#include "qt/qtext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qc {

using W = WaterLevelEditor;

WaterLevelDialog::WaterLevelDialog(WaterLevelEditor& model, QWidget* parent)
    : ListDialog(model, parent), m_water(model), m_level(new QLineEdit), m_date(new QLineEdit),
      m_remark(new QComboBox), m_levelShown(new QCheckBox(QStringLiteral("表示"))),
      m_dateShown(new QCheckBox(QStringLiteral("表示")))
{
    setWindowTitle(QStringLiteral("孔内水位"));
    m_level->setObjectName(QStringLiteral("level"));
    m_date->setObjectName(QStringLiteral("date"));
    m_remark->setObjectName(QStringLiteral("remark"));
    m_levelShown->setObjectName(QStringLiteral("levelShown"));
    m_dateShown->setObjectName(QStringLiteral("dateShown"));
    m_level->setMaximumWidth(90);
    m_date->setMaximumWidth(90);
    m_remark->setEditable(true);
    m_remark->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& item : W::remarkItems()) m_remark->addItem(fromCp932(item));
    m_remark->setCurrentIndex(-1);
    m_remark->setEditText(QString());
    m_remark->setMinimumWidth(130);
    bindField(W::Level, m_level);
    bindField(W::Date, m_date);
    bindField(W::Remark, m_remark);

    connect(m_levelShown, &QCheckBox::clicked, this, [this](bool on) {
        m_water.setLevelShown(on);
        sync();
    });
    connect(m_dateShown, &QCheckBox::clicked, this, [this](bool on) {
        m_water.setDateShown(on);
        sync();
    });

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("水位")), 0, 0);
    auto* levelRow = new QHBoxLayout;
    levelRow->addWidget(m_level);
    levelRow->addWidget(new QLabel(QStringLiteral("m")));
    grid->addLayout(levelRow, 0, 1);
    grid->addWidget(m_levelShown, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("月/日")), 0, 2);
    grid->addWidget(m_date, 0, 3);
    grid->addWidget(m_dateShown, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("記事")), 0, 4);
    grid->addWidget(m_remark, 0, 5);
    grid->setColumnStretch(6, 1);

    auto* positionBox = new QGroupBox(QStringLiteral("表示位置"));
    auto* positionRow = new QHBoxLayout(positionBox);
    auto* group = new QButtonGroup(this);
    const QString labels[3] = {QStringLiteral("標準"), QStringLiteral("深度の左上"),
                               QStringLiteral("▽の左下")};
    for (int p = 0; p < 3; ++p) {
        m_positions[p] = new QRadioButton(labels[p]);
        m_positions[p]->setObjectName(QStringLiteral("position%1").arg(p));
        group->addButton(m_positions[p], p);
        positionRow->addWidget(m_positions[p]);
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        m_water.setPosition(static_cast<W::Position>(id));
        sync();
    });

    auto* hints = new QVBoxLayout;
    hints->addWidget(new QLabel(QStringLiteral("水位：地中は -x.xxm")));
    hints->addWidget(new QLabel(QStringLiteral("月日：mm/dd")));

    auto* lower = new QHBoxLayout;
    lower->addWidget(positionBox);
    lower->addSpacing(16);
    lower->addLayout(hints);
    lower->addStretch(1);

    auto* fields = new QWidget;
    auto* fieldsLayout = new QVBoxLayout(fields);
    fieldsLayout->setContentsMargins(0, 0, 0, 0);
    fieldsLayout->addLayout(grid);
    fieldsLayout->addLayout(lower);
    setDefaultLayout(fields);

    QWidget* order[] = {listView(),     m_level,      m_levelShown,      m_date,
                        m_dateShown,    m_remark,     m_positions[0],    m_positions[1],
                        m_positions[2], addButton(),  overwriteButton(), deleteButton(),
                        upButton(),     downButton(), okButton(),        cancelButton()};
    setTabChain(order);

    resize(600, 560);
    sync();
}

void WaterLevelDialog::syncOptions()
{
    m_levelShown->setChecked(m_water.levelShown());
    m_dateShown->setChecked(m_water.dateShown());
    m_positions[m_water.position()]->setChecked(true);
}

} // namespace qc
