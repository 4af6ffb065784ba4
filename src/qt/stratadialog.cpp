#include "qt/stratadialog.h"

#include "qt/dialogparts.h"
#include "qt/listeditorview.h"
#include "qt/qtext.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qc {

using S = StrataEditor;

StrataDialog::StrataDialog(StrataEditor& model, QWidget* parent)
    : ListDialog(model, parent), m_strata(model), m_top(new QLineEdit), m_bottom(new QLineEdit),
      m_name(new QLineEdit), m_divisions(new QListWidget)
{
    setWindowTitle(QStringLiteral("地層 岩体"));
    setMoveButtonsVisible(false);
    m_top->setObjectName(QStringLiteral("top"));
    m_bottom->setObjectName(QStringLiteral("bottom"));
    m_name->setObjectName(QStringLiteral("name"));
    m_divisions->setObjectName(QStringLiteral("divisions"));
    m_top->setMaximumWidth(90);
    m_bottom->setMaximumWidth(90);
    bindField(S::Top, m_top);
    bindField(S::Bottom, m_bottom);
    bindField(S::Name, m_name);
    for (const auto& d : m_strata.divisions()) m_divisions->addItem(fromCp932(d));
    m_divisions->setMinimumHeight(110);
    connect(m_divisions, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_strata.pickDivision(m_divisions->row(item));
        sync();
    });

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("深度")), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("上 m")), 1, 0);
    grid->addWidget(m_top, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("下 m")), 2, 0);
    grid->addWidget(m_bottom, 2, 1);
    grid->setRowStretch(3, 1);
    auto* division = new QVBoxLayout;
    division->addWidget(new QLabel(QStringLiteral("地層岩体区分")));
    division->addWidget(m_name);
    division->addWidget(m_divisions, 1);

    auto* fields = new QWidget;
    auto* row = new QHBoxLayout(fields);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(grid);
    row->addSpacing(12);
    row->addLayout(division, 1);
    setDefaultLayout(fields);

    QWidget* order[] = {listView(),  m_top,         m_bottom,          m_name,
                        m_divisions, addButton(),   overwriteButton(), deleteButton(),
                        okButton(),  cancelButton()};
    setTabChain(order);

    resize(480, 520);
    sync();
}

} // namespace qc
