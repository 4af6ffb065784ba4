#include "qt/pagenumberdialog.h"

#include "qt/dialogparts.h"
#include "qt/qtext.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qc {

namespace {

using P = PageNumberEditor;

QComboBox* textCombo(const QString& name, const std::vector<std::string>& items)
{
    auto* c = new QComboBox;
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& item : items) c->addItem(fromCp932(item));
    c->setMinimumWidth(110);
    return c;
}

void showComboText(QComboBox* c, const std::string& text)
{
    QSignalBlocker block(c);
    const QString t = fromCp932(text);
    c->setCurrentIndex(c->findText(t));
    c->setEditText(t);
}

} // namespace

PageNumberDialog::PageNumberDialog(PageNumberEditor& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("ページ"));

    const std::pair<P::Field, const char*> fields[] = {{P::FirstPage, "firstPage"},
                                                       {P::TopFromPaper, "topFromPaper"},
                                                       {P::TopFromLine, "topFromLine"},
                                                       {P::Left, "left"}};
    for (auto [f, name] : fields) {
        QLineEdit* e = numberField(QString::fromLatin1(name));
        connect(e, &QLineEdit::textEdited, this, [this, f = f](const QString& text) {
            m_model.setText(f, toCp932(text));
            m_preview->setText(fromCp932(m_model.preview()));
        });
        m_edits[f] = e;
    }
    m_edits[P::HalfWidth] = readOnlyField(QStringLiteral("halfWidth"));
    m_preview = readOnlyField(QStringLiteral("preview"), 110);
    m_preview->setAlignment(Qt::AlignCenter);

    m_prefix = textCombo(QStringLiteral("prefix"), P::prefixItems());
    m_suffix = textCombo(QStringLiteral("suffix"), P::suffixItems());
    for (auto [combo, field] : {std::pair{m_prefix, P::Prefix}, std::pair{m_suffix, P::Suffix}}) {
        connect(combo, &QComboBox::currentTextChanged, this, [this, field = field](const QString& text) {
            m_model.setText(field, toCp932(text));
            showValues();
        });
    }

    // ---- the label's text
    auto* formatBox = new QGroupBox(QStringLiteral("ページ番号の書式"));
    auto* format = new QGridLayout(formatBox);
    format->addWidget(new QLabel(QStringLiteral("前文字")), 0, 0, Qt::AlignCenter);
    format->addWidget(new QLabel(QStringLiteral("頁(開始頁)")), 0, 1, Qt::AlignCenter);
    format->addWidget(new QLabel(QStringLiteral("後文字")), 0, 2, Qt::AlignCenter);
    format->addWidget(m_prefix, 1, 0);
    format->addWidget(m_edits[P::FirstPage], 1, 1, Qt::AlignCenter);
    format->addWidget(m_suffix, 1, 2);
    format->addWidget(new QLabel(QStringLiteral("表示例")), 2, 0, Qt::AlignRight);
    format->addWidget(m_preview, 2, 1, Qt::AlignCenter);

    // ---- where it sits
    auto* topBox = new QGroupBox(QStringLiteral("トップマージン mm"));
    auto* top = new QGridLayout(topBox);
    m_top[0] = new QRadioButton(QStringLiteral("用紙上端から"));
    m_top[1] = new QRadioButton(QStringLiteral("下線から"));
    auto* sameAsCompany = new QPushButton(QStringLiteral("←"));
    sameAsCompany->setObjectName(QStringLiteral("sameAsCompany"));
    sameAsCompany->setAutoDefault(false);
    sameAsCompany->setFixedWidth(36);
    top->addWidget(m_top[0], 0, 0);
    top->addWidget(m_edits[P::TopFromPaper], 0, 1);
    top->addWidget(m_top[1], 1, 0);
    top->addWidget(m_edits[P::TopFromLine], 1, 1);
    top->addWidget(sameAsCompany, 1, 2);
    top->addWidget(new QLabel(QStringLiteral("業者名と同じ位置")), 1, 3);
    top->setColumnStretch(4, 1);

    auto* leftBox = new QGroupBox(QStringLiteral("レフトマージン mm"));
    auto* left = new QGridLayout(leftBox);
    m_left[0] = new QRadioButton(QStringLiteral("用紙左端から"));
    m_left[1] = new QRadioButton(QStringLiteral("用紙左右中央"));
    left->addWidget(m_left[0], 0, 0);
    left->addWidget(m_edits[P::Left], 0, 1);
    left->addWidget(m_left[1], 1, 0);
    left->addWidget(m_edits[P::HalfWidth], 1, 1);
    left->addWidget(new QLabel(QStringLiteral("(用紙幅の1/2)")), 1, 2);
    left->setColumnStretch(3, 1);

    const char* radioNames[2][2] = {{"fromTopEdge", "fromUnderline"}, {"fromLeftEdge", "centred"}};
    for (int i = 0; i < 2; ++i) {
        m_top[i]->setObjectName(QString::fromLatin1(radioNames[0][i]));
        m_left[i]->setObjectName(QString::fromLatin1(radioNames[1][i]));
    }
    auto* topGroup = new QButtonGroup(this);
    auto* leftGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        topGroup->addButton(m_top[i], i);
        leftGroup->addButton(m_left[i], i);
    }
    connect(topGroup, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setTopFrom(id);
        showValues();
    });
    connect(leftGroup, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setLeftFrom(id);
        showValues();
    });
    connect(sameAsCompany, &QPushButton::clicked, this, [this] {
        m_model.sameAsCompany();
        showValues();
    });

    auto* bottom = defaultsOkCancelRow(this, [this] {
        m_model.defaults();
        showValues();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formatBox);
    layout->addWidget(topBox);
    layout->addWidget(leftBox);
    layout->addLayout(bottom);
    showValues();
}

void PageNumberDialog::showValues()
{
    showComboText(m_prefix, m_model.text(P::Prefix));
    showComboText(m_suffix, m_model.text(P::Suffix));
    for (auto [f, e] : m_edits) {
        const QString t = fromCp932(m_model.text(f));
        if (e->text() != t) e->setText(t);
        if (f != P::HalfWidth && f != P::FirstPage) e->setEnabled(m_model.enabled(f));
    }
    m_top[m_model.data().topFrom]->setChecked(true);
    m_left[m_model.data().leftFrom]->setChecked(true);
    m_preview->setText(fromCp932(m_model.preview()));
}

void PageNumberDialog::accept()
{
    m_model.accept();
    QDialog::accept();
}

} // namespace qc
