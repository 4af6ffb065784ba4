#include "qt/testdatadialog.h"

#include "qt/dialogparts.h"
#include "qt/listeditorview.h"
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

using D = TestDataEditor;

QLineEdit* readOnly(const std::string& text, const char* objectName, int width)
{
    auto* e = new QLineEdit(fromCp932(text));
    e->setObjectName(QString::fromLatin1(objectName));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    if (width) e->setMaximumWidth(width);
    return e;
}

} // namespace

TestDataDialog::TestDataDialog(TestDataEditor& model, QWidget* parent)
    : ListDialog(model, parent), m_data(model)
{
    setWindowTitle(QStringLiteral("試験データ入力"));
    setMoveButtonsVisible(false);

    // The sample.
    auto* sample = new QGroupBox(QStringLiteral("試料"));
    auto* sg = new QGridLayout(sample);
    sg->addWidget(fieldLabel(QStringLiteral("深度 上")), 0, 0);
    sg->addWidget(addFieldEdit(D::Top, "top", 70), 0, 1);
    sg->addWidget(new QLabel(QStringLiteral("m")), 0, 2);
    sg->addWidget(fieldLabel(QStringLiteral("深度 下")), 1, 0);
    sg->addWidget(addFieldEdit(D::Bottom, "bottom", 70), 1, 1);
    sg->addWidget(new QLabel(QStringLiteral("m")), 1, 2);
    sg->addWidget(fieldLabel(QStringLiteral("試料番号")), 2, 0);
    sg->addWidget(addFieldEdit(D::Number, "number", 110), 2, 1, 1, 2);
    sg->addWidget(fieldLabel(QStringLiteral("採取方法")), 3, 0);
    m_method = new QComboBox;
    m_method->setObjectName(QStringLiteral("method"));
    m_method->setEditable(true);
    m_method->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& i : D::methodItems()) m_method->addItem(fromCp932(i));
    m_method->setCurrentIndex(-1);
    m_method->setEditText(QString());
    m_method->setMaximumWidth(70);
    bindField(D::Method, m_method);
    sg->addWidget(m_method, 3, 1);

    // The chosen test.
    auto* test = new QGroupBox(QStringLiteral("試験"));
    auto* tg = new QGridLayout(test);
    tg->addWidget(readOnly(m_data.testLabel(), "testNo", 60), 0, 0);
    tg->addWidget(readOnly(m_data.testName(), "testName", 0), 0, 1, 1, 2);
    tg->addWidget(readOnly(m_data.testUnit(), "testUnit", 80), 0, 3);
    tg->addWidget(fieldLabel(QStringLiteral("値")), 1, 0);
    tg->addWidget(addFieldEdit(D::Value, "value", 110), 1, 1);
    m_noJoin = new QCheckBox(QStringLiteral("前深度と結ばない"));
    m_noJoin->setObjectName(QStringLiteral("noJoin"));
    connect(m_noJoin, &QCheckBox::clicked, this, [this](bool on) {
        m_data.setNoJoin(on);
        sync();
    });
    tg->addWidget(m_noJoin, 1, 2, 1, 2);
    tg->addWidget(fieldLabel(QStringLiteral("データ表示\n位置シフト")), 2, 0);
    auto* shift = new QHBoxLayout;
    shift->addWidget(addFieldEdit(D::Shift, "shift", 70));
    shift->addWidget(new QLabel(QStringLiteral("㎜")));
    shift->addStretch(1);
    tg->addLayout(shift, 2, 1, 1, 3);
    tg->setColumnStretch(1, 1);

    // The grain sizes.
    auto* grain = new QGroupBox(QStringLiteral("粒度組成 %"));
    auto* gg = new QGridLayout(grain);
    const std::pair<D::Field, const char*> sizes[] = {
        {D::Gravel, "礫"}, {D::Sand, "砂"}, {D::Silt, "シルト"}, {D::Clay, "粘土"}};
    const char* names[] = {"gravel", "sand", "silt", "clay"};
    for (int i = 0; i < 4; ++i) {
        gg->addWidget(fieldLabel(QString::fromUtf8(sizes[i].second)), i, 0);
        gg->addWidget(addFieldEdit(sizes[i].first, names[i], 70), i, 1);
    }

    auto* fields = new QHBoxLayout;
    fields->addWidget(sample);
    fields->addWidget(test, 1);
    fields->addWidget(grain);

    setDefaultLayout(fields);

    QWidget* order[] = {listView(),     edit(D::Top),  edit(D::Bottom), edit(D::Number),   m_method,
                        edit(D::Value), m_noJoin,      edit(D::Shift),  edit(D::Gravel),   edit(D::Sand),
                        edit(D::Silt),  edit(D::Clay), addButton(),     overwriteButton(), deleteButton(),
                        okButton(),     cancelButton()};
    setTabChain(order);

    resize(1060, 640);
    sync();
}

void TestDataDialog::syncOptions()
{
    m_noJoin->setChecked(m_data.noJoin());
}

} // namespace qc
