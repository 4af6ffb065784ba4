#include "qt/notesdialog.h"

#include "qt/dialogparts.h"
#include "qt/listeditorview.h"
#include "qt/qtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qc {

using N = NotesEditor;

namespace {

// The note text is stored with CR LF line breaks; the edit box uses LF.
QString shownText(const std::string& cell)
{
    QString t = fromCp932(cell);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

std::string storedText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return toCp932(text);
}

} // namespace

NotesDialog::NotesDialog(NotesEditor& model, QWidget* parent)
    : ListDialog(model, parent), m_notes(model), m_top(new QLineEdit), m_bottom(new QLineEdit),
      m_text(new QPlainTextEdit), m_underline(new QCheckBox(QStringLiteral("下線"))),
      m_phrases(new QComboBox), m_fullWidth(new QPushButton(QStringLiteral("全角英数字検査")))
{
    setWindowTitle(QStringLiteral("観察記事"));
    setMoveButtonsVisible(false);
    m_top->setObjectName(QStringLiteral("top"));
    m_bottom->setObjectName(QStringLiteral("bottom"));
    m_text->setObjectName(QStringLiteral("text"));
    m_underline->setObjectName(QStringLiteral("underline"));
    m_phrases->setObjectName(QStringLiteral("phrases"));
    m_fullWidth->setObjectName(QStringLiteral("fullWidth"));
    m_top->setMaximumWidth(90);
    m_bottom->setMaximumWidth(90);
    bindField(N::Top, m_top);
    bindField(N::Bottom, m_bottom);

    m_text->setTabChangesFocus(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setMinimumWidth(300);
    m_text->setFixedHeight(m_text->fontMetrics().lineSpacing() * 7 + 12);
    m_text->installEventFilter(this);
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showingText) m_notes.setField(N::Text, storedText(m_text->toPlainText()));
    });

    for (const auto& p : m_notes.phrases()) m_phrases->addItem(fromCp932(p));
    m_phrases->setCurrentIndex(-1);
    m_phrases->setMinimumWidth(160);
    connect(m_phrases, &QComboBox::activated, this, [this](int index) {
        m_notes.pickPhrase(index);
        m_phrases->setCurrentIndex(-1);
        sync();
    });
    connect(m_underline, &QCheckBox::clicked, this, [this](bool on) {
        m_notes.setUnderline(on);
        sync();
    });
    connect(m_fullWidth, &QPushButton::clicked, this, [this] {
        m_notes.checkFullWidth();
        sync();
    });

    auto* depths = new QGridLayout;
    depths->addWidget(new QLabel(QStringLiteral("深度")), 0, 0, 1, 2);
    depths->addWidget(new QLabel(QStringLiteral("上 m")), 1, 0);
    depths->addWidget(m_top, 1, 1);
    depths->addWidget(new QLabel(QStringLiteral("下 m")), 2, 0);
    depths->addWidget(m_bottom, 2, 1);
    depths->addWidget(m_underline, 3, 1);
    depths->setRowStretch(4, 1);

    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(new QLabel(QStringLiteral("記事")));
    textColumn->addWidget(m_text);

    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QStringLiteral("短文")));
    side->addWidget(m_phrases);
    side->addSpacing(12);
    side->addWidget(m_fullWidth);
    side->addStretch(1);
    side->addWidget(new QLabel(QStringLiteral("深度はリスト内ダブルクリックで編集可")));

    auto* fields = new QWidget;
    auto* row = new QHBoxLayout(fields);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(depths);
    row->addSpacing(8);
    row->addLayout(textColumn, 1);
    row->addSpacing(8);
    row->addLayout(side);
    setDefaultLayout(fields);

    QWidget* order[] = {listView(), m_top,         m_bottom,    m_underline,       m_text,
                        m_phrases,  m_fullWidth,   addButton(), overwriteButton(), deleteButton(),
                        okButton(), cancelButton()};
    setTabChain(order);

    resize(760, 640);
    sync();
}

void NotesDialog::syncOptions()
{
    m_underline->setChecked(m_notes.underline());
    const QString text = shownText(m_notes.field(N::Text));
    if (m_text->toPlainText() != text) {
        m_showingText = true;
        m_text->setPlainText(text);
        m_text->moveCursor(QTextCursor::End);
        m_showingText = false;
    }
}

bool NotesDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::FocusOut) {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            m_notes.fieldLeft(N::Text);
            sync();
        }
    }
    return ListDialog::eventFilter(watched, event);
}

} // namespace qc
