#include "qt/exchangeexportdialog.h"

#include "qt/dialogparts.h"
#include "qt/qtdialoghost.h"
#include "qt/qtext.h"
#include "qt/qtfilechooser.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qc {

ExchangeExportDialog::ExchangeExportDialog(ExchangeExportEditor& model, FileChooser& chooser, QWidget* parent)
    : QDialog(parent), m_model(model), m_chooser(chooser)
{
    setWindowTitle(QStringLiteral("電子納品XML出力"));

    auto* codes = new QGroupBox(QStringLiteral("柱状図にない項目（次回も使います）"));
    auto* grid = new QGridLayout(codes);
    const auto& fields = ExchangeExportEditor::fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("field%1").arg(i));
        edit->setMinimumWidth(i == 0 ? 260 : 120);
        connect(edit, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { m_model.setValue(i, toCp932(text)); });
        m_fields.push_back(edit);
        const int row = static_cast<int>(i);
        auto* label = new QLabel(QString::fromUtf8(fields[i].label));
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(fields[i].hint)), row, 2);
    }
    auto* defaults = new QPushButton(QStringLiteral("標準に戻す"));
    defaults->setObjectName(QStringLiteral("defaults"));
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_model.defaults();
        showValues();
    });
    grid->addWidget(defaults, static_cast<int>(fields.size()), 1, Qt::AlignLeft);

    auto* out = new QHBoxLayout;
    m_path = new QLineEdit;
    m_path->setObjectName(QStringLiteral("outputPath"));
    m_path->setMinimumWidth(360);
    connect(m_path, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.setOutputPath(toNativePath(text)); });
    auto* browse = new QPushButton(QStringLiteral("参照..."));
    browse->setObjectName(QStringLiteral("browse"));
    connect(browse, &QPushButton::clicked, this, [this] {
        m_model.browse(m_chooser);
        showValues();
    });
    out->addWidget(new QLabel(QStringLiteral("出力ファイル")));
    out->addWidget(m_path, 1);
    out->addWidget(browse);

    auto* check = new QGroupBox(QStringLiteral("JIS X 0208 にない文字（電子納品では使えません）"));
    auto* checkLayout = new QVBoxLayout(check);
    m_report = new QPlainTextEdit;
    m_report->setObjectName(QStringLiteral("outsideJis"));
    m_report->setReadOnly(true);
    m_report->setMaximumHeight(90);
    checkLayout->addWidget(m_report);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(codes);
    layout->addLayout(out);
    layout->addWidget(check);
    layout->addWidget(okCancelButtons(this));
    showValues();
}

void ExchangeExportDialog::showValues()
{
    for (size_t i = 0; i < m_fields.size(); ++i) m_fields[i]->setText(fromCp932(m_model.value(i)));
    m_path->setText(fromNativePath(m_model.data().outputPath));
    QStringList lines;
    for (const auto& line : m_model.data().outsideJis) lines << QString::fromUtf8(line);
    m_report->setPlainText(lines.isEmpty() ? QStringLiteral("　無し") : lines.join(QLatin1Char('\n')));
}

void ExchangeExportDialog::accept()
{
    if (m_model.accept()) QDialog::accept();
}

bool QtDialogHost::exchangeExport(ExchangeExportData& data)
{
    ExchangeExportEditor model(data, m_prompter);
    QtFileChooser chooser(m_parent);
    FileChooser& files = m_fileChooser ? *m_fileChooser : chooser;
    ExchangeExportDialog dialog(model, files, m_parent);
    if (run(dialog) != QDialog::Accepted) return false;
    data = model.data();
    return true;
}

} // namespace qc
