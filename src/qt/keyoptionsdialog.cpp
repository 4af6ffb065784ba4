#include "qt/keyoptionsdialog.h"

#include "qt/dialogparts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qc {

KeyOptionsDialog::KeyOptionsDialog(KeyOptionsEditor& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("キーの動作、データ入力画面のオプション"));

    auto* enterBox = new QGroupBox(QStringLiteral("Enterキー (Returnキー)"));
    auto* enter = new QGridLayout(enterBox);
    const QString choices[3][2] = {{QStringLiteral("Windows標準"), QStringLiteral("OKボタンクリックと同じ")},
                                   {QStringLiteral("次に移動"), QStringLiteral("次の入力欄に移動")},
                                   {QStringLiteral("確定のみ"), QStringLiteral("OKボタンや次に移動しない")}};
    const char* names[3] = {"enterStandard", "enterNext", "enterConfirm"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_enter[i] = new QRadioButton(choices[i][0]);
        m_enter[i]->setObjectName(QString::fromLatin1(names[i]));
        group->addButton(m_enter[i], i);
        enter->addWidget(m_enter[i], i, 0);
        enter->addWidget(new QLabel(QStringLiteral("（%1）").arg(choices[i][1])), i, 1);
    }
    enter->setColumnStretch(2, 1);
    m_enter[model.data().enterKeyMode]->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { m_model.setEnterKeyMode(id); });

    auto* note =
        new QLabel(QStringLiteral("漢字変換やドロップダウン選択等では常にWindowsの\n標準動作になります"));
    note->setObjectName(QStringLiteral("note"));

    auto* openBox = new QGroupBox(QStringLiteral("データ入力画面オープン時の表示"));
    auto* open = new QVBoxLayout(openBox);
    m_scroll = new QCheckBox(QStringLiteral("デ－タ一覧表を入力済み最下行までスクロール"));
    m_scroll->setObjectName(QStringLiteral("scrollToLastRow"));
    m_scroll->setChecked(model.data().scrollToLastRow);
    connect(m_scroll, &QCheckBox::toggled, this, [this](bool on) { m_model.setScrollToLastRow(on); });
    open->addWidget(m_scroll);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(enterBox);
    layout->addWidget(note);
    layout->addWidget(openBox);
    layout->addWidget(okCancelButtons(this));
}

} // namespace qc
