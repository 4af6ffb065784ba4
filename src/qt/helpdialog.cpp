#include "qt/helpdialog.h"

#include "qt/qtext.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qc {

HelpDialog::HelpDialog(HelpViewer& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("操作＆ヘルプ"));
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("lines"));
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setUniformItemSizes(true);
    // The help text lines its columns up with blanks: a face whose full-width
    // characters are two half-width ones wide keeps them in line.
    QFont face(QString::fromUtf8("ＭＳ ゴシック"));
    face.setStyleHint(QFont::Monospace);
    m_list->setFont(face);
    for (const std::string& line : model.lines()) m_list->addItem(fromCp932(line));

    auto* print = new QPushButton(QStringLiteral("開いて印刷"));
    print->setObjectName(QStringLiteral("openAndPrint"));
    print->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, [this] { m_model.openInEditor(); });
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(print);
    bottom->addStretch(1);
    bottom->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
    resize(760, 560);
}

} // namespace qc
