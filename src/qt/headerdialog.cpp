#include "qt/headerdialog.h"

#include "qt/dialogparts.h"
#include "qt/qtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qc {

namespace {

using H = HeaderEditor;

QLabel* unit(const QString& text)
{
    return new QLabel(text);
}

QListWidget* pickList(const std::vector<std::string>& items, const char* objectName)
{
    auto* list = new QListWidget;
    list->setObjectName(QString::fromLatin1(objectName));
    for (const auto& i : items) list->addItem(fromCp932(i));
    list->setMinimumWidth(120);
    return list;
}

// Object names for the tests and for accessibility tools.
const char* objectNameOf(H::Field f)
{
    static const char* const names[H::FieldCount] = {
        "surveyName", "projectName", "location",     "client",     "boringName",  "elevation",  "datum",
        "role1",      "role2",       "role3",        "role4",      "engineer1",   "engineer2",  "engineer3",
        "engineer4",  "machine",     "hammer",       "engine",     "pump",        "angle",      "bearing",
        "slope",      "totalLength", "startEra",     "startYear",  "startMonth",  "startDay",   "endEra",
        "endYear",    "endMonth",    "endDay",       "latDegrees", "latMinutes",  "latSeconds", "lonDegrees",
        "lonMinutes", "lonSeconds",  "boringNumber", "title",      "sheetNumber", "memo",       "code1",
        "code2",      "company",     "telephone"};
    return names[f];
}

} // namespace

HeaderDialog::HeaderDialog(HeaderEditor& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("見出し"));

    // ---- left column: survey, elevation, engineers, machines
    auto* survey = new QGridLayout;
    int row = 0;
    auto addRow = [&](QGridLayout* grid, const QString& text, QWidget* w, int span = 1) {
        grid->addWidget(fieldLabel(text), row, 0);
        grid->addWidget(w, row, 1, 1, span);
        ++row;
    };
    addRow(survey, QStringLiteral("調査名"), addEdit(H::SurveyName), 4);
    addRow(survey, QStringLiteral("事業工事名"), addEdit(H::ProjectName), 4);
    addRow(survey, QStringLiteral("調査位置"), addEdit(H::Location), 4);
    addRow(survey, QStringLiteral("発注機関"), addCombo(H::Client, model.lists().clients), 4);
    addRow(survey, QStringLiteral("ボーリング名"), addEdit(H::BoringName), 4);
    survey->addWidget(fieldLabel(QStringLiteral("孔口標高m")), row, 0);
    survey->addWidget(addEdit(H::Elevation, 90), row, 1);
    survey->addWidget(fieldLabel(QStringLiteral("種別")), row, 2);
    survey->addWidget(addCombo(H::Datum, H::fixedItems(H::Datum), 100), row, 3);
    m_elevationShown = new QCheckBox(QStringLiteral("標高表示"));
    m_elevationShown->setObjectName(QStringLiteral("elevationShown"));
    survey->addWidget(m_elevationShown, row, 4);
    survey->setColumnStretch(1, 1);

    auto* engineersBox = new QGroupBox(QStringLiteral("技術者"));
    auto* engineers = new QGridLayout(engineersBox);
    const H::Field roles[] = {H::Role1, H::Role2, H::Role3, H::Role4};
    const H::Field names[] = {H::Engineer1, H::Engineer2, H::Engineer3, H::Engineer4};
    for (int i = 0; i < 4; ++i) {
        engineers->addWidget(addCombo(roles[i], H::fixedItems(roles[i]), 150), i, 0);
        engineers->addWidget(addEdit(names[i]), i, 1);
    }
    m_engineers = pickList(model.lists().engineers, "engineers");
    m_engineers->setMaximumHeight(110);
    engineers->addWidget(m_engineers, 0, 2, 4, 1);
    engineers->setColumnStretch(1, 3);
    engineers->setColumnStretch(2, 2);

    auto* machinesBox = new QGroupBox;
    auto* machines = new QGridLayout(machinesBox);
    row = 0;
    addRow(machines, QStringLiteral("試錐機"), addEdit(H::Machine));
    addRow(machines, QStringLiteral("ハンマー"), addEdit(H::Hammer));
    addRow(machines, QStringLiteral("エンジン"), addEdit(H::Engine));
    addRow(machines, QStringLiteral("ポンプ"), addEdit(H::Pump));
    m_machines = pickList(model.lists().machines, "machines");
    m_machines->setMaximumHeight(130);
    machines->addWidget(m_machines, 0, 2, 4, 1);
    machines->setColumnStretch(1, 3);
    machines->setColumnStretch(2, 2);

    auto* left = new QVBoxLayout;
    left->addLayout(survey);
    left->addWidget(engineersBox);
    left->addWidget(machinesBox);
    left->addStretch(1);

    // ---- right column: hole, period, coordinates, number, title and codes, company
    auto* right = new QGridLayout;
    row = 0;
    auto* hole = new QHBoxLayout;
    hole->addWidget(addEdit(H::Angle, 50));
    hole->addWidget(fieldLabel(QStringLiteral("方位")));
    hole->addWidget(addEdit(H::Bearing, 50));
    hole->addWidget(fieldLabel(QStringLiteral("地盤勾配")));
    hole->addWidget(addEdit(H::Slope, 50));
    hole->addStretch(1);
    right->addWidget(fieldLabel(QStringLiteral("角度")), row, 0);
    right->addLayout(hole, row++, 1);

    auto* depths = new QHBoxLayout;
    depths->addWidget(addEdit(H::TotalLength, 80));
    depths->addWidget(fieldLabel(QStringLiteral("地質深度m")));
    m_geologyDepth = new QLineEdit(fromCp932(model.values().geologyDepth));
    m_geologyDepth->setObjectName(QStringLiteral("geologyDepth"));
    m_geologyDepth->setReadOnly(true);
    m_geologyDepth->setFocusPolicy(Qt::NoFocus);
    m_geologyDepth->setMaximumWidth(80);
    depths->addWidget(m_geologyDepth);
    depths->addStretch(1);
    right->addWidget(fieldLabel(QStringLiteral("総削孔長m")), row, 0);
    right->addLayout(depths, row++, 1);

    auto* periodBox = new QGroupBox(QStringLiteral("調査期間"));
    auto* period = new QGridLayout(periodBox);
    const H::Field dates[2][4] = {{H::StartEra, H::StartYear, H::StartMonth, H::StartDay},
                                  {H::EndEra, H::EndYear, H::EndMonth, H::EndDay}};
    for (int i = 0; i < 2; ++i) {
        period->addWidget(fieldLabel(i == 0 ? QStringLiteral("始") : QStringLiteral("至")), i, 0);
        period->addWidget(addCombo(dates[i][0], H::fixedItems(dates[i][0]), 80), i, 1);
        period->addWidget(addEdit(dates[i][1], 60), i, 2);
        period->addWidget(unit(QStringLiteral("年")), i, 3);
        period->addWidget(addEdit(dates[i][2], 40), i, 4);
        period->addWidget(unit(QStringLiteral("月")), i, 5);
        period->addWidget(addEdit(dates[i][3], 40), i, 6);
        period->addWidget(unit(QStringLiteral("日")), i, 7);
    }
    period->setColumnStretch(8, 1);
    right->addWidget(periodBox, row++, 0, 1, 2);

    auto* coordinatesBox = new QGroupBox;
    auto* coordinates = new QGridLayout(coordinatesBox);
    const H::Field coordinate[2][3] = {{H::LatDegrees, H::LatMinutes, H::LatSeconds},
                                       {H::LonDegrees, H::LonMinutes, H::LonSeconds}};
    for (int i = 0; i < 2; ++i) {
        coordinates->addWidget(fieldLabel(i == 0 ? QStringLiteral("北緯") : QStringLiteral("東経")), i, 0);
        coordinates->addWidget(addEdit(coordinate[i][0], 50), i, 1);
        coordinates->addWidget(unit(QStringLiteral("°")), i, 2);
        coordinates->addWidget(addEdit(coordinate[i][1], 50), i, 3);
        coordinates->addWidget(unit(QStringLiteral("′")), i, 4);
        coordinates->addWidget(addEdit(coordinate[i][2], 80), i, 5);
        coordinates->addWidget(unit(QStringLiteral("″")), i, 6);
    }
    coordinates->addWidget(fieldLabel(QStringLiteral("ボーリングNo.")), 2, 0);
    coordinates->addWidget(addEdit(H::BoringNumber, 120), 2, 1, 1, 3);
    m_suggestion = new QLineEdit;
    m_suggestion->setObjectName(QStringLiteral("suggestion"));
    m_suggestion->setReadOnly(true);
    m_suggestion->setFocusPolicy(Qt::NoFocus);
    m_suggestion->setMaximumWidth(130);
    m_suggestion->setToolTip(QStringLiteral("3次メッシュコード"));
    coordinates->addWidget(m_suggestion, 2, 4, 1, 3);
    coordinates->setColumnStretch(7, 1);
    right->addWidget(coordinatesBox, row++, 0, 1, 2);

    auto* title = new QHBoxLayout;
    title->addWidget(addCombo(H::Title, H::fixedItems(H::Title), 170));
    title->addWidget(fieldLabel(QStringLiteral("シートNo.")));
    title->addWidget(addEdit(H::SheetNumber, 120));
    title->addStretch(1);
    right->addWidget(fieldLabel(QStringLiteral("柱状図ﾀｲﾄﾙ")), row, 0);
    right->addLayout(title, row++, 1);
    right->addWidget(fieldLabel(QStringLiteral("メモ")), row, 0);
    right->addWidget(addEdit(H::Memo), row++, 1);
    auto* codes = new QHBoxLayout;
    codes->addWidget(addEdit(H::Code1, 120));
    codes->addWidget(fieldLabel(QStringLiteral("code2")));
    codes->addWidget(addEdit(H::Code2, 120));
    codes->addStretch(1);
    right->addWidget(fieldLabel(QStringLiteral("code1")), row, 0);
    right->addLayout(codes, row++, 1);
    right->addWidget(fieldLabel(QStringLiteral("調査業者名")), row, 0);
    right->addWidget(addEdit(H::Company), row++, 1);
    right->addWidget(fieldLabel(QStringLiteral("TEL")), row, 0);
    right->addWidget(addEdit(H::Telephone, 180), row++, 1);
    auto* options = new QHBoxLayout;
    m_compact = new QCheckBox(QStringLiteral("簡略見出し表示"));
    m_compact->setObjectName(QStringLiteral("compact"));
    m_underline = new QCheckBox(QStringLiteral("ｱﾝﾀﾞｰﾗｲﾝ"));
    m_underline->setObjectName(QStringLiteral("underline"));
    options->addWidget(m_compact);
    options->addWidget(m_underline);
    options->addStretch(1);
    right->addLayout(options, row++, 1);
    right->setRowStretch(row, 1);

    auto* buttons = okCancelButtons(this);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(12);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    // Options and lists.
    m_elevationShown->setChecked(model.values().elevationShown);
    m_compact->setChecked(model.values().compactHeader);
    m_underline->setChecked(model.values().headerUnderline);
    connect(m_elevationShown, &QCheckBox::toggled, this, [this](bool on) { m_model.setElevationShown(on); });
    connect(m_compact, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setCompactHeader(on);
        showOptions();
    });
    connect(m_underline, &QCheckBox::toggled, this, [this](bool on) { m_model.setUnderline(on); });
    connect(m_engineers, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_model.pickEngineer(m_engineers->row(item));
        showValue(m_model.engineerTarget());
    });
    connect(m_machines, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_model.pickMachine(m_machines->row(item));
        showValue(m_model.machineTarget());
    });

    // Tab order follows the columns: every field of the left one, then the right one.
    std::vector<QWidget*> order;
    auto widgetOf = [this](H::Field f) -> QWidget* {
        if (QComboBox* c = combo(f)) return c;
        return edit(f);
    };
    for (H::Field f :
         {H::SurveyName, H::ProjectName, H::Location, H::Client, H::BoringName, H::Elevation, H::Datum})
        order.push_back(widgetOf(f));
    order.push_back(m_elevationShown);
    for (int i = 0; i < 4; ++i) {
        order.push_back(widgetOf(roles[i]));
        order.push_back(widgetOf(names[i]));
    }
    order.push_back(m_engineers);
    for (H::Field f : {H::Machine, H::Hammer, H::Engine, H::Pump}) order.push_back(widgetOf(f));
    order.push_back(m_machines);
    for (int f = H::Angle; f <= H::Code2; ++f) order.push_back(widgetOf(H::Field(f)));
    order.push_back(widgetOf(H::Company));
    order.push_back(widgetOf(H::Telephone));
    order.push_back(m_compact);
    order.push_back(m_underline);
    for (const char* name : {"ok", "cancel"})
        order.push_back(buttons->findChild<QPushButton*>(QLatin1String(name)));
    setTabChain(order);

    for (int f = 0; f < H::FieldCount; ++f) showValue(H::Field(f));
    showOptions();
    resize(1000, 620);
}

QLineEdit* HeaderDialog::addEdit(H::Field f, int maxWidth)
{
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(objectNameOf(f)));
    if (maxWidth) e->setMaximumWidth(maxWidth);
    m_edits[f] = e;
    bind(f, e);
    return e;
}

QComboBox* HeaderDialog::addCombo(H::Field f, const std::vector<std::string>& items, int maxWidth)
{
    auto* c = new QComboBox;
    c->setObjectName(QString::fromLatin1(objectNameOf(f)));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& i : items) c->addItem(fromCp932(i));
    if (maxWidth) c->setMaximumWidth(maxWidth);
    m_combos[f] = c;
    m_edits[f] = c->lineEdit();
    m_fieldOf[c] = f;
    bind(f, c->lineEdit());
    // Choosing an item is typing it.
    connect(c, &QComboBox::activated, this, [this, f, c](int) { typed(f, c->lineEdit(), c->currentText()); });
    return c;
}

void HeaderDialog::bind(H::Field f, QLineEdit* e)
{
    m_fieldOf[e] = f;
    e->installEventFilter(this);
    connect(e, &QLineEdit::textEdited, this, [this, f, e](const QString& text) { typed(f, e, text); });
}

void HeaderDialog::typed(H::Field f, QLineEdit* e, const QString& text)
{
    if (!m_model.edit(f, toCp932(text))) {
        // Over the field's limit: the text stays as it was.
        int cursor = e->cursorPosition() - static_cast<int>(text.size() - fromCp932(m_model.value(f)).size());
        showValue(f);
        e->setCursorPosition(std::max(0, cursor));
        QApplication::beep();
    }
    if (f == H::LonSeconds) m_suggestion->setText(fromCp932(m_model.suggestion()));
}

void HeaderDialog::showValue(H::Field f)
{
    QString text = fromCp932(m_model.value(f));
    if (QComboBox* c = combo(f)) {
        QSignalBlocker block(c);
        c->setCurrentIndex(c->findText(text));
        c->setEditText(text);
    } else if (QLineEdit* e = edit(f)) {
        if (e->text() != text) e->setText(text);
    }
}

void HeaderDialog::showOptions()
{
    m_underline->setVisible(m_model.underlineVisible());
    m_suggestion->setText(fromCp932(m_model.suggestion()));
}

QLineEdit* HeaderDialog::edit(H::Field f) const
{
    auto it = m_edits.find(f);
    return it == m_edits.end() ? nullptr : it->second;
}

QComboBox* HeaderDialog::combo(H::Field f) const
{
    auto it = m_combos.find(f);
    return it == m_combos.end() ? nullptr : it->second;
}

void HeaderDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Enter is handled by the key options on every control.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

bool HeaderDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        auto it = m_fieldOf.find(watched);
        if (it != m_fieldOf.end()) {
            m_model.fieldEntered(it->second);
            if (it->second == H::BoringNumber) m_suggestion->setText(fromCp932(m_model.suggestion()));
        }
    } else if (isEnterIn(this, event) && takeEnter(m_model.enterKeyAction(), [this] { focusNextChild(); })) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void HeaderDialog::accept()
{
    m_model.accept();
    QDialog::accept();
}

} // namespace qc
