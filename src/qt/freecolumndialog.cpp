#include "qt/freecolumndialog.h"

#include "qt/listeditorview.h"

#include <QLabel>
#include <QPushButton>

namespace qc {

FreeColumnDialog::FreeColumnDialog(FreeColumnEditor& model, QWidget* parent)
    : ListDialog(model, parent), m_hint(new QLabel(QStringLiteral("※ 下線を記入=1")))
{
    const bool free = model.mode() == FreeColumnEditor::Mode::FreeColumn;
    setWindowTitle(QString::fromUtf8(model.title()));
    m_hint->setObjectName(QStringLiteral("hint"));
    m_hint->setVisible(free);
    setAddOverwriteVisible(false);
    setDefaultLayout(m_hint);
    resize(free ? 440 : 320, 560);
    sync();
}

} // namespace qc
