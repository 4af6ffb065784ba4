#include "qt/testnamesdialog.h"

#include "qt/dialogparts.h"
#include "qt/listeditorview.h"
#include "qt/qtcolourchooser.h"
#include "qt/qtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qc {

namespace {

using T = TestNamesEditor;

QPushButton* button(const QString& text, const char* objectName)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TestNamesDialog::TestNamesDialog(TestNamesEditor& model, FileChooser& files, ColourChooser& colours,
                                 QWidget* parent)
    : ListDialog(model, parent), m_names(model), m_files(files), m_colours(colours)
{
    setWindowTitle(QStringLiteral("試験名 グラフシンボル等の設定"));
    setMoveButtonsVisible(false);
    setAddOverwriteVisible(false);
    deleteButton()->setVisible(false);
    overwriteButton()->setText(QStringLiteral("上書き →"));

    m_beside = new QCheckBox(QStringLiteral("シンボル横にデータを表示"));
    m_beside->setObjectName(QStringLiteral("beside"));
    m_beside->setChecked(m_names.data.valuesBesideSymbols);
    connect(m_beside, &QCheckBox::toggled, this, [this](bool on) { m_names.data.valuesBesideSymbols = on; });
    m_import = button(QStringLiteral("既存ファイルを開く"), "import");
    m_reset = button(QStringLiteral("初期設定に戻す"), "reset");
    connect(m_import, &QPushButton::clicked, this, [this] {
        m_names.importFromDocument(m_files);
        sync();
    });
    connect(m_reset, &QPushButton::clicked, this, [this] {
        m_names.resetToDefault();
        sync();
    });
    auto* top = new QHBoxLayout;
    top->addWidget(m_beside);
    top->addStretch(1);
    top->addWidget(m_import);
    top->addWidget(m_reset);

    // The test: number, name, unit and remark on the first line, the values
    // under the remark (so that "↑コピー" points at it), then the graph symbol.
    auto* grid = new QGridLayout;
    grid->addWidget(fieldLabel(QStringLiteral("No．")), 0, 0);
    QLineEdit* no = addFieldEdit(T::No, "no", 40);
    grid->addWidget(no, 0, 1);
    grid->addWidget(fieldLabel(QStringLiteral("試験名")), 0, 2);
    grid->addWidget(addFieldEdit(T::Name, "name"), 0, 3, 1, 3);
    grid->addWidget(fieldLabel(QStringLiteral("単位")), 0, 6);
    grid->addWidget(addFieldEdit(T::Unit, "unit", 80), 0, 7);
    grid->addWidget(fieldLabel(QStringLiteral("記事\n（基準値など）")), 0, 8);
    grid->addWidget(addFieldEdit(T::Remark, "remark"), 0, 9, 1, 3);

    auto* memo = new QGroupBox(QStringLiteral("メモ"));
    auto* memoRow = new QHBoxLayout(memo);
    memoRow->addWidget(fieldLabel(QStringLiteral("基準値")));
    memoRow->addWidget(addFieldEdit(T::Reference, "reference", 80));
    m_copy = button(QStringLiteral("↑コピー"), "copy");
    connect(m_copy, &QPushButton::clicked, this, [this] {
        m_names.copyReferenceToRemark();
        sync();
    });
    memoRow->addWidget(m_copy);
    memoRow->addSpacing(12);
    memoRow->addWidget(fieldLabel(QStringLiteral("下限値")));
    memoRow->addWidget(addFieldEdit(T::LowerLimit, "lowerLimit", 80));
    memoRow->addStretch(1);
    grid->addWidget(memo, 1, 6, 1, 6);

    auto* symbolGroup = new QGroupBox(QStringLiteral("グラフ"));
    auto* symbolRow = new QHBoxLayout(symbolGroup);
    m_symbol = new QComboBox;
    m_symbol->setObjectName(QStringLiteral("symbol"));
    m_symbol->setEditable(true);
    m_symbol->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& s : T::symbolItems()) m_symbol->addItem(fromCp932(s));
    m_symbol->setCurrentIndex(-1);
    m_symbol->setEditText(QString());
    m_symbol->setMinimumWidth(60);
    bindField(T::Symbol, m_symbol);
    symbolRow->addWidget(fieldLabel(QStringLiteral("シンボル")));
    symbolRow->addWidget(m_symbol);
    symbolRow->addSpacing(8);
    symbolRow->addWidget(fieldLabel(QStringLiteral("サイズ")));
    symbolRow->addWidget(addFieldEdit(T::Size, "size", 50));
    symbolRow->addWidget(new QLabel(QStringLiteral("mm")));
    symbolRow->addSpacing(8);
    symbolRow->addWidget(fieldLabel(QStringLiteral("折れ線太さ")));
    symbolRow->addWidget(addFieldEdit(T::LineWidth, "lineWidth", 50));
    symbolRow->addWidget(new QLabel(QStringLiteral("ﾋﾟｸｾﾙ")));
    symbolRow->addSpacing(8);
    m_colourButton = button(QStringLiteral("色"), "colourButton");
    connect(m_colourButton, &QPushButton::clicked, this, [this] {
        m_names.chooseColour(m_colours);
        sync();
    });
    m_colourButton->setMaximumWidth(48);
    symbolRow->addWidget(m_colourButton);
    QLineEdit* colour = addFieldEdit(T::Colour, "colour", 96);
    colour->setMinimumWidth(88);
    symbolRow->addWidget(colour);
    symbolRow->addStretch(1);
    grid->addWidget(symbolGroup, 1, 0, 1, 6);
    grid->setColumnStretch(3, 2);
    grid->setColumnStretch(9, 2);

    m_dataLeft = button(QStringLiteral("データ入力"), "dataInput");
    m_dataRight = button(QStringLiteral("データ入力"), "dataInputRight");
    for (QPushButton* b : {m_dataLeft, m_dataRight})
        connect(b, &QPushButton::clicked, this, &TestNamesDialog::openDataInput);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_dataLeft);
    buttons->addWidget(new QLabel(QStringLiteral("← 一覧から試験を選んで、試料ごとの値を入力")));
    buttons->addStretch(1);
    buttons->addWidget(overwriteButton());
    buttons->addWidget(m_dataRight);
    buttons->addSpacing(16);
    buttons->addWidget(okButton());
    buttons->addWidget(cancelButton());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(listView(), 1);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    QWidget* order[] = {listView(),
                        no,
                        edit(T::Name),
                        edit(T::Unit),
                        edit(T::Remark),
                        m_symbol,
                        edit(T::Size),
                        edit(T::LineWidth),
                        m_colourButton,
                        edit(T::Colour),
                        edit(T::Reference),
                        m_copy,
                        edit(T::LowerLimit),
                        m_dataLeft,
                        m_dataRight,
                        okButton(),
                        cancelButton(),
                        m_beside,
                        m_import,
                        m_reset};
    setTabChain(order);

    resize(1010, 640);
    sync();
}

void TestNamesDialog::openDataInput()
{
    std::optional<TestDataRequest> req = m_names.dataInputRequest();
    if (req && m_dataInput) {
        if (std::optional<std::string> shifts = m_dataInput(*req)) m_names.dataInputDone(*shifts);
    }
    sync();
    update();
}

void TestNamesDialog::syncOptions()
{
    // The colour field's text is shown in its colour.
    if (QLineEdit* c = edit(T::Colour)) {
        QPalette p = c->palette();
        p.setColor(QPalette::Text, m_names.field(T::Colour).empty() ? palette().color(QPalette::Text)
                                                                    : qtColour(m_names.colour()));
        c->setPalette(p);
    }
}

} // namespace qc
