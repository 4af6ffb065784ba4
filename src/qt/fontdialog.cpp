#include "qt/fontdialog.h"

#include "qt/dialogparts.h"
#include "qt/qtext.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qc {

FontDialog::FontDialog(FontEditor& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("フォント"));
    auto* grid = new QGridLayout;
    const QString heads[] = {QStringLiteral("役割"), QStringLiteral("書体"),
                             QStringLiteral("サイズ (ポイント)"), QStringLiteral("色"),
                             QStringLiteral("使われる所")};
    for (int i = 0; i < 5; ++i) grid->addWidget(new QLabel(heads[i]), 0, i, Qt::AlignCenter);
    int row = 1;
    for (int role : FontEditor::kRoles) {
        auto* b = new QPushButton(fromCp932(FontEditor::buttonLabel(role)));
        b->setObjectName(QStringLiteral("role%1").arg(role));
        b->setAutoDefault(false);
        b->setMinimumWidth(120);
        b->setStyleSheet(QStringLiteral("text-align: left; padding-left: 6px"));
        auto* face = readOnlyField(QStringLiteral("face%1").arg(role), 170);
        face->setAlignment(Qt::AlignLeft);
        auto* size = readOnlyField(QStringLiteral("size%1").arg(role), 120);
        size->setAlignment(Qt::AlignLeft);
        auto* swatch = new QLabel(QStringLiteral("Aa亜あア"));
        swatch->setObjectName(QStringLiteral("swatch%1").arg(role));
        swatch->setMinimumWidth(90);
        auto* usage = new QLabel(fromCp932(FontEditor::usage(role)));
        connect(b, &QPushButton::clicked, this, [this, role] {
            if (m_model.choose(role)) showRole(role);
        });
        m_buttons[role] = b;
        m_faces[role] = face;
        m_sizes[role] = size;
        m_swatches[role] = swatch;
        grid->addWidget(b, row, 0);
        grid->addWidget(face, row, 1);
        grid->addWidget(size, row, 2);
        grid->addWidget(swatch, row, 3);
        grid->addWidget(usage, row, 4);
        ++row;
    }
    grid->setColumnStretch(4, 1);

    auto* bottom = defaultsOkCancelRow(this, [this] {
        m_model.defaults();
        for (int role : FontEditor::kRoles) showRole(role);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("ボタンを押して書体、サイズ、色を選んで下さい")));
    layout->addLayout(grid);
    layout->addLayout(bottom);
    for (int role : FontEditor::kRoles) showRole(role);
}

void FontDialog::showRole(int role)
{
    const FontRole& r = m_model.fonts()[role];
    m_faces[role]->setText(fromCp932(m_model.faceText(role)));
    m_sizes[role]->setText(fromCp932(m_model.sizeText(role)));
    // The swatch's text in the role's colour on a transparent background.
    const QColor colour(static_cast<int>(r.colour & 0xFF), static_cast<int>((r.colour >> 8) & 0xFF),
                        static_cast<int>((r.colour >> 16) & 0xFF));
    QLabel* s = m_swatches[role];
    s->setStyleSheet(QStringLiteral("color: %1; background: transparent").arg(colour.name()));
    QFont f = s->font();
    f.setFamily(fromCp932(m_model.faceText(role)));
    f.setUnderline(r.underline());
    s->setFont(f);
}

} // namespace qc
