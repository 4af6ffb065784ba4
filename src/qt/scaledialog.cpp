#include "qt/scaledialog.h"

#include "qt/dialogparts.h"
#include "qt/qtext.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace qc {

namespace {

using S = ScaleEditor;

QLabel* label(const QString& text, QWidget* buddy = nullptr)
{
    auto* l = new QLabel(text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (buddy) l->setBuddy(buddy);
    return l;
}

} // namespace

ScaleDialog::ScaleDialog(ScaleEditor& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("縮尺と印刷深度"));
    const char* names[S::FieldCount] = {"horizontalScale", "depthScale", "printStart", "depthPerPage",
                                        "overlap"};
    for (int i = 0; i < S::FieldCount; ++i) {
        const auto f = static_cast<S::Field>(i);
        m_edits[f] = numberField(QString::fromLatin1(names[f]));
        m_edits[f]->setText(fromCp932(model.text(f)));
        connect(m_edits[f], &QLineEdit::textEdited, this,
                [this, f](const QString& text) { m_model.setText(f, toCp932(text)); });
    }
    m_edits[S::DepthScale]->installEventFilter(this);

    auto* scaleBox = new QGroupBox(QStringLiteral("縮尺"));
    auto* scale = new QGridLayout(scaleBox);
    scale->addWidget(label(QStringLiteral("横方向のの縮尺(&X)  1/?"), m_edits[S::HorizontalScale]), 0, 0);
    scale->addWidget(m_edits[S::HorizontalScale], 0, 1);
    scale->addWidget(new QLabel(QStringLiteral("50～500")), 0, 2);
    scale->addWidget(label(QStringLiteral("深度の縮尺(&Z)  1/?"), m_edits[S::DepthScale]), 1, 0);
    scale->addWidget(m_edits[S::DepthScale], 1, 1);
    scale->addWidget(new QLabel(QStringLiteral("50～500")), 1, 2);
    m_depthPartOnly = new QCheckBox(QStringLiteral("深度データ部のみ縮尺有効"));
    m_depthPartOnly->setObjectName(QStringLiteral("depthPartOnly"));
    m_depthPartOnly->setChecked(model.depthPartOnly());
    connect(m_depthPartOnly, &QCheckBox::toggled, this, [this](bool on) { m_model.setDepthPartOnly(on); });
    scale->addWidget(m_depthPartOnly, 2, 0, 1, 3);
    scale->setColumnStretch(3, 1);

    auto* depthBox = new QGroupBox(QStringLiteral("印刷深度"));
    auto* depth = new QGridLayout(depthBox);
    auto* paper = readOnlyField(QStringLiteral("paperLength"));
    paper->setText(fromCp932(model.paperLengthText()));
    m_maxDepth = readOnlyField(QStringLiteral("maxDepth"));
    m_maxDepth->setText(fromCp932(model.maxDepthText()));
    int row = 0;
    auto addRow = [&](QLabel* l, QWidget* w, const QString& unit) {
        depth->addWidget(l, row, 0);
        depth->addWidget(w, row, 1);
        depth->addWidget(new QLabel(unit), row++, 2);
    };
    addRow(label(QStringLiteral("用紙長さ")), paper, QStringLiteral("mm"));
    addRow(label(QStringLiteral("１ページの最大深度 約")), m_maxDepth, QStringLiteral("m/頁"));
    addRow(label(QStringLiteral("印刷開始深度(&S)"), m_edits[S::PrintStart]), m_edits[S::PrintStart],
           QStringLiteral("m"));
    addRow(label(QStringLiteral("１ページの深度(&D) "), m_edits[S::DepthPerPage]), m_edits[S::DepthPerPage],
           QStringLiteral("m"));
    addRow(label(QStringLiteral("改ページの重複深度(&O)"), m_edits[S::Overlap]), m_edits[S::Overlap],
           QStringLiteral("m"));
    depth->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scaleBox);
    layout->addWidget(depthBox);
    layout->addWidget(okCancelButtons(this));
}

bool ScaleDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edits[S::DepthScale] && leftField(event)) {
        m_model.depthScaleLeft();
        m_maxDepth->setText(fromCp932(m_model.maxDepthText()));
    }
    return QDialog::eventFilter(watched, event);
}

void ScaleDialog::accept()
{
    S::Field refused = S::FieldCount;
    if (!m_model.accept(&refused)) {
        if (refused < S::FieldCount) {
            m_edits[refused]->setFocus();
            m_edits[refused]->selectAll();
        }
        return;
    }
    QDialog::accept();
}

} // namespace qc
