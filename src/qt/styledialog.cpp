#include "qt/styledialog.h"

#include "qt/dialogparts.h"
#include "qt/qtext.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qc {

namespace {

QPushButton* plainButton(const QString& text, const QString& name)
{
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QColor fromColourRef(uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

QButtonGroup* radioGroup(QWidget* owner, QRadioButton* (&radios)[3], const QString (&texts)[3],
                         const char* name, QBoxLayout* layout)
{
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < 3; ++i) {
        radios[i] = new QRadioButton(texts[i]);
        radios[i]->setObjectName(QStringLiteral("%1%2").arg(QString::fromLatin1(name)).arg(i));
        group->addButton(radios[i], i);
        layout->addWidget(radios[i]);
    }
    return group;
}

} // namespace

// ---------------------------------------------------------------- first page

CPageYosik1::CPageYosik1(StyleEditor& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    m_alphabet = new QCheckBox(QStringLiteral("ｱﾙﾌｧﾍﾞｯﾄ記号をつける "));
    m_alphabet->setObjectName(QStringLiteral("alphabet"));
    connect(m_alphabet, &QCheckBox::toggled, this, [this](bool on) { m_model.setAlphabetSymbols(on); });
    auto* nameBox = new QGroupBox(QStringLiteral("土質地質名"));
    auto* name = new QVBoxLayout(nameBox);
    name->addWidget(m_alphabet);

    auto* sampleBox = new QGroupBox(QStringLiteral("深度(下)表示位置"));
    auto* sample = new QVBoxLayout(sampleBox);
    const QString sampleTexts[3] = {QStringLiteral("深度線の上"), QStringLiteral("深度線の下"),
                                    QStringLiteral("表示しない ")};
    QButtonGroup* sampleGroup = radioGroup(this, m_sampleBottom, sampleTexts, "sampleBottom", sample);
    connect(sampleGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_model.setSampleBottomPosition(id); });

    auto* legendBox = new QGroupBox(QStringLiteral("シンボルマーク位置"));
    auto* legend = new QVBoxLayout(legendBox);
    const QString legendTexts[3] = {QStringLiteral("凡例の左端　"), QStringLiteral("凡例の右端　"),
                                    QStringLiteral("表示しない　")};
    QButtonGroup* legendGroup = radioGroup(this, m_legendSymbol, legendTexts, "legendSymbol", legend);
    connect(legendGroup, &QButtonGroup::idClicked, this,
            [this](int id) { m_model.setLegendSymbolPosition(id); });

    auto* companyBox = new QGroupBox(QStringLiteral("フッタ"));
    auto* company = new QGridLayout(companyBox);
    m_company = new QLineEdit;
    m_company->setObjectName(QStringLiteral("company"));
    m_telephone = new QLineEdit;
    m_telephone->setObjectName(QStringLiteral("telephone"));
    m_telephone->setMaximumWidth(200);
    company->addWidget(new QLabel(QStringLiteral("調査業者名")), 0, 0);
    company->addWidget(m_company, 0, 1);
    company->addWidget(new QLabel(QStringLiteral("ＴＥＬ")), 1, 0);
    company->addWidget(m_telephone, 1, 1, Qt::AlignLeft);
    company->setColumnStretch(1, 1);
    connect(m_company, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.setCompanyName(toCp932(text)); });
    connect(m_telephone, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.setTelephone(toCp932(text)); });

    auto* defaults = plainButton(QStringLiteral("標準の設定"), QStringLiteral("defaults1"));
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_model.firstPageDefaults();
        showValues();
    });

    auto* positions = new QHBoxLayout;
    positions->addWidget(sampleBox);
    positions->addWidget(legendBox);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(defaults);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameBox);
    layout->addLayout(positions);
    layout->addWidget(companyBox);
    layout->addStretch(1);
    layout->addLayout(bottom);
    showValues();
}

void CPageYosik1::showValues()
{
    QSignalBlocker block(m_alphabet);
    m_alphabet->setChecked(m_model.alphabetSymbols());
    m_sampleBottom[m_model.sampleBottomPosition()]->setChecked(true);
    m_legendSymbol[m_model.legendSymbolPosition()]->setChecked(true);
    m_company->setText(fromCp932(m_model.companyName()));
    m_telephone->setText(fromCp932(m_model.telephone()));
}

// ---------------------------------------------------------------- second page

CPageYosik2::CPageYosik2(StyleEditor& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    auto field = [this](int line, int width = 48) {
        QLineEdit* e = numberField(QStringLiteral("line%1").arg(line), width);
        connect(e, &QLineEdit::textEdited, this, [this, line](const QString& text) {
            m_model.setText(line, toCp932(text));
            for (int g = 0; g < 4; ++g)
                if (StyleEditor::kColourLines[g] == line) showSwatch(g);
        });
        m_edits[line] = e;
        return e;
    };

    // ---- line widths
    auto* widthsBox = new QGroupBox(QStringLiteral("線幅　単位　ピクセル　"));
    auto* widths = new QGridLayout(widthsBox);
    const std::pair<int, QString> widthFields[] = {
        {8, QStringLiteral("外枠")}, {9, QStringLiteral("罫線/下線")}, {11, QStringLiteral("シンボル　")}};
    int col = 0;
    for (const auto& [line, text] : widthFields) {
        widths->addWidget(new QLabel(text), 0, col, Qt::AlignRight);
        widths->addWidget(field(line), 0, col + 1);
        col += 2;
    }
    widths->setColumnStretch(col, 1);

    // ---- graph grids
    auto* gridBox = new QGroupBox(QStringLiteral("グラフのグリッド　単位　ピクセル　"));
    auto* grid = new QGridLayout(gridBox);
    const QString heads[] = {QStringLiteral("線幅"), QStringLiteral("実線部"), QStringLiteral("空白部"),
                             QStringLiteral("色")};
    for (int i = 0; i < 4; ++i) grid->addWidget(new QLabel(heads[i]), 0, 1 + i, Qt::AlignCenter);
    const QString rows[4] = {QStringLiteral("たて線 グリッド1"), QStringLiteral("たて線 グリッド2"),
                             QStringLiteral("よこ線 グリッド1"), QStringLiteral("よこ線 グリッド2")};
    for (int g = 0; g < 4; ++g) {
        grid->addWidget(new QLabel(rows[g]), 1 + g, 0);
        for (int k = 0; k < 3; ++k) grid->addWidget(field(12 + 3 * g + k), 1 + g, 1 + k);
        auto* colour = new QHBoxLayout;
        colour->addWidget(field(StyleEditor::kColourLines[g], 80));
        m_swatches[g] = new QLabel;
        m_swatches[g]->setObjectName(QStringLiteral("swatch%1").arg(g));
        m_swatches[g]->setFixedSize(36, 20);
        m_swatches[g]->setFrameShape(QFrame::Box);
        m_swatches[g]->setAutoFillBackground(true);
        colour->addWidget(m_swatches[g]);
        auto* choose = plainButton(QStringLiteral("色"), QStringLiteral("colour%1").arg(g));
        choose->setFixedWidth(36);
        connect(choose, &QPushButton::clicked, this, [this, g] {
            if (m_model.chooseColour(g)) showValues();
        });
        colour->addWidget(choose);
        grid->addLayout(colour, 1 + g, 4);
        m_edits[StyleEditor::kColourLines[g]]->installEventFilter(this);
    }
    m_colour = new QRadioButton(QStringLiteral("カラー"));
    m_colour->setObjectName(QStringLiteral("colourGrid"));
    m_monochrome = new QRadioButton(QStringLiteral("白黒"));
    m_monochrome->setObjectName(QStringLiteral("monochromeGrid"));
    auto* modeGroup = new QButtonGroup(this);
    modeGroup->addButton(m_colour, 0);
    modeGroup->addButton(m_monochrome, 1);
    connect(modeGroup, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setMonochrome(id == 1);
        showValues();
    });
    m_note = new QLabel;
    m_note->setObjectName(QStringLiteral("gridNote"));
    auto* mode = new QHBoxLayout;
    mode->addWidget(m_colour);
    mode->addWidget(m_monochrome);
    mode->addSpacing(12);
    mode->addWidget(m_note);
    mode->addStretch(1);
    grid->addLayout(mode, 5, 0, 1, 5);

    m_across = new QCheckBox(QStringLiteral("グラフ領域全体によこ線をひく　"));
    m_across->setObjectName(QStringLiteral("across"));
    connect(m_across, &QCheckBox::toggled, this, [this](bool on) { m_model.setAcrossGraphArea(on); });
    m_step = new QComboBox;
    m_step->setObjectName(QStringLiteral("step"));
    for (const std::string& s : StyleEditor::stepItems()) m_step->addItem(fromCp932(s));
    connect(m_step, &QComboBox::activated, this,
            [this](int) { m_model.setStep(toCp932(m_step->currentText())); });
    auto* tick = new QHBoxLayout;
    tick->addWidget(new QLabel(QStringLiteral("きざみ")));
    tick->addWidget(field(3));
    tick->addWidget(new QLabel(QStringLiteral("mm")));
    tick->addWidget(m_step);
    tick->addSpacing(16);
    tick->addWidget(m_across);
    tick->addStretch(1);
    grid->addLayout(tick, 6, 0, 1, 5);

    // ---- margins and the two presets
    auto* marginBox = new QGroupBox(QStringLiteral("マージン　単位　mm"));
    auto* margins = new QHBoxLayout(marginBox);
    margins->addWidget(new QLabel(QStringLiteral("トップ")));
    margins->addWidget(field(52));
    margins->addSpacing(12);
    margins->addWidget(new QLabel(QStringLiteral("レフト")));
    margins->addWidget(field(51));
    margins->addStretch(1);

    auto* defaults = plainButton(QStringLiteral("標準の設定"), QStringLiteral("defaults2"));
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_model.secondPageDefaults();
        showValues();
    });
    auto* blackWhite = plainButton(QStringLiteral("白黒設定"), QStringLiteral("blackAndWhite"));
    connect(blackWhite, &QPushButton::clicked, this, [this] {
        m_model.blackAndWhiteDefaults();
        showValues();
    });
    m_fine = new QCheckBox(QStringLiteral("精細"));
    m_fine->setObjectName(QStringLiteral("fine"));
    connect(m_fine, &QCheckBox::toggled, this, [this](bool on) { m_model.setFine(on); });
    auto* presets = new QHBoxLayout;
    presets->addWidget(marginBox, 1);
    auto* buttons = new QGridLayout;
    buttons->addWidget(defaults, 0, 0, 1, 2);
    buttons->addWidget(blackWhite, 1, 0);
    buttons->addWidget(m_fine, 1, 1);
    presets->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(widthsBox);
    layout->addWidget(gridBox);
    layout->addLayout(presets);
    layout->addStretch(1);
    showValues();
}

void CPageYosik2::showSwatch(int grid)
{
    QPalette p = m_swatches[grid]->palette();
    p.setColor(QPalette::Window, fromColourRef(m_model.colour(grid)));
    m_swatches[grid]->setPalette(p);
}

void CPageYosik2::showValues()
{
    for (auto [line, e] : m_edits) {
        const QString t = fromCp932(m_model.text(line));
        if (e->text() != t) e->setText(t);
        e->setEnabled(m_model.enabled(line));
    }
    for (int g = 0; g < 4; ++g) showSwatch(g);
    (m_model.monochrome() ? m_monochrome : m_colour)->setChecked(true);
    m_note->setText(fromCp932(m_model.gridNote()));
    m_step->setCurrentIndex(m_step->findText(fromCp932(m_model.step())));
    QSignalBlocker block(m_across);
    m_across->setChecked(m_model.acrossGraphArea());
}

bool CPageYosik2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        for (int g = 0; g < 4; ++g)
            if (m_edits[StyleEditor::kColourLines[g]] == watched) showSwatch(g);
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- the sheet

CPSYosik::CPSYosik(StyleEditor& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("柱状図様式"));
    m_tabs = new QTabWidget;
    m_page1 = new CPageYosik1(model);
    m_page2 = new CPageYosik2(model);
    m_tabs->addTab(m_page1, QStringLiteral("表示位置 社名など"));
    m_tabs->addTab(m_page2, QStringLiteral("線種 マージン"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(okCancelButtons(this));
}

void CPSYosik::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Enter is handled by the key options on every control.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

bool CPSYosik::eventFilter(QObject* watched, QEvent* event)
{
    if (isEnterIn(this, event) && takeEnter(m_model.enterKeyAction(), [this] { focusNextChild(); }))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CPSYosik::accept()
{
    int refused = 0;
    if (!m_model.accept(&refused)) {
        // Every number field is on the second page.
        m_tabs->setCurrentWidget(m_page2);
        if (QLineEdit* e = m_page2->edit(refused)) {
            e->setFocus();
            e->selectAll();
        }
        return;
    }
    QDialog::accept();
}

} // namespace qc
