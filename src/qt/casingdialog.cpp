#include "qt/casingdialog.h"

#include "qt/dialogparts.h"
#include "qt/listeditorview.h"
#include "qt/qtext.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qc {

using C = CasingEditor;

CasingDialog::CasingDialog(CasingEditor& model, QWidget* parent)
    : ListDialog(model, parent), m_depth(new QLineEdit), m_pipeKind(new QComboBox)
{
    setWindowTitle(QStringLiteral("保孔管"));
    setMoveButtonsVisible(false);
    m_depth->setObjectName(QStringLiteral("depth"));
    m_pipeKind->setObjectName(QStringLiteral("pipeKind"));
    m_depth->setMaximumWidth(90);
    m_pipeKind->setEditable(true);
    m_pipeKind->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& item : C::pipeKindItems()) m_pipeKind->addItem(fromCp932(item));
    m_pipeKind->setCurrentIndex(-1);
    m_pipeKind->setEditText(QString());
    m_pipeKind->setMinimumWidth(170);
    bindField(C::Depth, m_depth);
    bindField(C::PipeKind, m_pipeKind);

    auto* fields = new QWidget;
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("深度 m")), 0, 0);
    grid->addWidget(m_depth, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("仕様")), 1, 0);
    grid->addWidget(m_pipeKind, 1, 1);
    grid->setColumnStretch(2, 1);
    setDefaultLayout(fields);

    QWidget* order[] = {listView(),        m_depth,        m_pipeKind, addButton(),
                        overwriteButton(), deleteButton(), okButton(), cancelButton()};
    setTabChain(order);

    resize(420, 520);
    sync();
}

} // namespace qc
