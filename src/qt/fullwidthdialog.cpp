#include "qt/fullwidthdialog.h"

#include "dialogs/fullwidthcheck.h"
#include "document/fieldtext.h"
#include "qt/qtext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qc {

FullWidthDialog::FullWidthDialog(const Document& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_check(new QPushButton(QStringLiteral("検査"))),
      m_ok(new QPushButton(QStringLiteral("OK"))), m_report(new QPlainTextEdit)
{
    setWindowTitle(QStringLiteral("全角英数字の有無"));
    m_check->setObjectName(QStringLiteral("check"));
    m_ok->setObjectName(QStringLiteral("ok"));
    m_report->setObjectName(QStringLiteral("report"));
    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_ok->setDefault(true);

    auto* scope = new QVBoxLayout;
    for (const char* line : kFullWidthScope) scope->addWidget(new QLabel(QString::fromUtf8(line)));
    auto* top = new QHBoxLayout;
    top->addLayout(scope, 1);
    top->addWidget(m_check, 0, Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_report, 1);
    layout->addLayout(buttons);

    connect(m_check, &QPushButton::clicked, this, &FullWidthDialog::runCheck);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    resize(560, 520);
}

void FullWidthDialog::runCheck()
{
    m_report->setPlainText(fromCp932(ReplaceAll(fullWidthReport(m_doc), "\r\n", "\n")));
}

} // namespace qc
