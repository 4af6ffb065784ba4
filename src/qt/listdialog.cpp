#include "qt/listdialog.h"

#include "qt/dialogparts.h"

#include "qt/listeditorview.h"
#include "qt/qtext.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace qc {

QWidget* ListDialog::Binding::widget() const
{
    return edit ? static_cast<QWidget*>(edit) : static_cast<QWidget*>(combo);
}

ListDialog::ListDialog(ListEditor& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_view(new ListEditorView(model, this)),
      m_add(new QPushButton(QStringLiteral("データ追加"), this)),
      m_overwrite(new QPushButton(QStringLiteral("上書き"), this)),
      m_delete(new QPushButton(QStringLiteral("削除"), this)),
      m_up(new QPushButton(QStringLiteral("↑"), this)), m_down(new QPushButton(QStringLiteral("↓"), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    m_view->setObjectName(QStringLiteral("list"));
    m_add->setObjectName(QStringLiteral("add"));
    m_overwrite->setObjectName(QStringLiteral("overwrite"));
    m_delete->setObjectName(QStringLiteral("delete"));
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    m_ok->setObjectName(QStringLiteral("ok"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_ok->setDefault(true);
    setMouseTracking(true);

    connect(m_add, &QPushButton::clicked, this, [this] { run(&ListEditor::add); });
    connect(m_overwrite, &QPushButton::clicked, this, [this] { run(&ListEditor::overwrite); });
    connect(m_delete, &QPushButton::clicked, this, [this] { run(&ListEditor::deleteRow); });
    connect(m_up, &QPushButton::clicked, this, [this] { run(&ListEditor::moveUp); });
    connect(m_down, &QPushButton::clicked, this, [this] { run(&ListEditor::moveDown); });
    connect(m_ok, &QPushButton::clicked, this, &ListDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &ListDialog::reject);

    connect(m_view, &ListEditorView::changed, this, &ListDialog::syncControls);
    connect(m_view, &ListEditorView::escapeOut, this, &ListDialog::reject);
    connect(m_view, &ListEditorView::tabOut, this, [this](bool backward) {
        m_view->setFocus(Qt::TabFocusReason);
        focusNextPrevChild(!backward);
    });
    // A press on OK takes the focus from the editor before the click arrives:
    // that click only ends the in-cell editing.
    connect(m_view, &ListEditorView::cellEditEndedByFocus, this, [this](QWidget* to) {
        if (to == m_ok) m_swallowOk = true;
    });
    connect(m_ok, &QPushButton::released, this,
            [this] { QTimer::singleShot(0, this, [this] { m_swallowOk = false; }); });
}

ListDialog::~ListDialog()
{
    // Hiding an open editor on the way out must not call back into this dialog.
    disconnect(m_view, nullptr, this, nullptr);
    for (QWidget* w : findChildren<QWidget*>()) w->removeEventFilter(this);
}

void ListDialog::bindField(int field, QLineEdit* edit)
{
    m_bindings.push_back({field, edit, nullptr});
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        m_model.setField(field, toCp932(text));
        // A dialog may update its current row as the text changes.
        m_view->refresh();
    });
    edit->installEventFilter(this);
}

void ListDialog::bindField(int field, QComboBox* combo)
{
    m_bindings.push_back({field, nullptr, combo});
    if (combo->isEditable()) {
        // Editing a combo box updates the current row at once, as leaving it does.
        connect(combo, &QComboBox::editTextChanged, this, [this, field](const QString& text) {
            m_model.setField(field, toCp932(text));
            optionChanged();
        });
        combo->lineEdit()->installEventFilter(this);
    }
    connect(combo, &QComboBox::activated, this, [this, field, combo](int) {
        m_model.setField(field, toCp932(combo->currentText()));
        optionChanged();
    });
    combo->installEventFilter(this);
}

QWidget* ListDialog::fieldWidget(int field) const
{
    for (const auto& b : m_bindings)
        if (b.field == field) return b.widget();
    return nullptr;
}

QLineEdit* ListDialog::addFieldEdit(int field, const char* objectName, int maxWidth)
{
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(objectName));
    if (maxWidth) e->setMaximumWidth(maxWidth);
    bindField(field, e);
    return e;
}

QLineEdit* ListDialog::fieldEdit(int field) const
{
    for (const auto& b : m_bindings)
        if (b.field == field) return b.edit;
    return nullptr;
}

const ListDialog::Binding* ListDialog::bindingOf(QObject* object) const
{
    for (const auto& b : m_bindings)
        if (object == b.widget() || (b.combo && b.combo->lineEdit() && object == b.combo->lineEdit()))
            return &b;
    return nullptr;
}

void ListDialog::setDefaultLayout(QWidget* fields)
{
    layOut(fields, nullptr);
}

void ListDialog::setDefaultLayout(QLayout* fields)
{
    layOut(nullptr, fields);
}

void ListDialog::layOut(QWidget* fieldsWidget, QLayout* fieldsLayout)
{
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_add, m_overwrite, m_delete, m_up, m_down}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    if (fieldsWidget) layout->addWidget(fieldsWidget);
    if (fieldsLayout) layout->addLayout(fieldsLayout);
    layout->addLayout(buttons);
}

void ListDialog::setMoveButtonsVisible(bool visible)
{
    m_up->setVisible(visible);
    m_down->setVisible(visible);
}

void ListDialog::setAddOverwriteVisible(bool visible)
{
    m_add->setVisible(visible);
    m_overwrite->setVisible(visible);
}

void ListDialog::run(void (ListEditor::*operation)())
{
    if (m_busy) return;
    m_busy = true;
    (m_model.*operation)();
    m_busy = false;
    sync();
}

void ListDialog::optionChanged()
{
    if (m_busy) return;
    m_model.liveUpdate();
    sync();
}

void ListDialog::fieldLeft(int field)
{
    if (m_busy) return;
    m_busy = true;
    m_model.fieldLeft(field);
    m_busy = false;
    sync();
}

void ListDialog::sync()
{
    m_view->refresh();
    syncControls();
}

void ListDialog::syncControls()
{
    for (const auto& b : m_bindings) {
        QString text = fromCp932(m_model.field(b.field));
        if (b.edit && b.edit->text() != text) {
            QSignalBlocker block(b.edit);
            b.edit->setText(text);
        } else if (b.combo && b.combo->currentText() != text) {
            QSignalBlocker block(b.combo);
            if (b.combo->isEditable())
                b.combo->setEditText(text);
            else
                b.combo->setCurrentIndex(b.combo->findText(text));
        }
    }
    m_add->setEnabled(m_model.addEnabled());
    syncOptions();
    applyFocus(m_model.takeFocusRequest());
}

void ListDialog::applyFocus(const FocusRequest& focus)
{
    switch (focus.kind) {
    case FocusRequest::Field:
        if (QWidget* w = fieldWidget(focus.field)) w->setFocus(Qt::OtherFocusReason);
        break;
    case FocusRequest::List:
        m_view->setFocus(Qt::OtherFocusReason);
        break;
    case FocusRequest::Editor:
        m_view->cellEditor()->setFocus(Qt::OtherFocusReason);
        break;
    case FocusRequest::None:
        break;
    }
}

void ListDialog::accept()
{
    if (m_view->isCellEditing()) {
        m_view->commitCellEdit();
        return;
    }
    if (m_swallowOk) {
        m_swallowOk = false;
        return;
    }
    if (!m_model.accept()) {
        sync();
        return;
    }
    afterWriteBack();
    QDialog::accept();
}

void ListDialog::reject()
{
    if (m_view->isCellEditing()) m_view->commitCellEdit();
    if (m_model.cancel())
        QDialog::reject();
    else
        sync();
}

void ListDialog::watch(QWidget* widget)
{
    if (widget == m_view->cellEditor()) return;
    widget->installEventFilter(this);
    // Pointer moves over any control reach the tracking below.
    widget->setMouseTracking(true);
}

void ListDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    for (QWidget* w : findChildren<QWidget*>()) watch(w);
    m_view->updateMetrics();
    m_model.applyOpeningScroll();
    sync();
    if (QWidget* w = fieldWidget(m_model.config().depthField)) w->setFocus(Qt::OtherFocusReason);
}

void ListDialog::mousePressEvent(QMouseEvent* event)
{
    // A click anywhere in the dialog commits the in-cell editor.
    if (m_view->isCellEditing()) m_view->commitCellEdit();
    QDialog::mousePressEvent(event);
}

void ListDialog::mouseMoveEvent(QMouseEvent* event)
{
    m_view->pointerMoved(PointerArea::Dialog);
    QDialog::mouseMoveEvent(event);
}

void ListDialog::leaveEvent(QEvent* event)
{
    // Leave reaches the dialog only when the pointer leaves its window.
    m_view->pointerMoved(PointerArea::Outside);
    QDialog::leaveEvent(event);
}

bool ListDialog::enterKey(QObject* watched, QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    if (qobject_cast<QPlainTextEdit*>(watched) || qobject_cast<QTextEdit*>(watched)) return false;
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus == m_view->cellEditor() || !isAncestorOf(focus)) return false;
    return takeEnter(m_model.enterKeyAction(), [this] { focusNextChild(); });
}

bool ListDialog::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (enterKey(watched, static_cast<QKeyEvent*>(event))) return true;
        break;
    case QEvent::FocusIn:
        if (const Binding* b = bindingOf(watched)) {
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !m_busy)
                m_model.fieldEntered(b->field);
        }
        break;
    case QEvent::FocusOut:
        if (const Binding* b = bindingOf(watched)) {
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) fieldLeft(b->field);
        }
        break;
    case QEvent::MouseMove:
        if (m_view->isCellEditing()) {
            auto* w = qobject_cast<QWidget*>(watched);
            bool overList = w && (w == m_view || m_view->isAncestorOf(w));
            m_view->pointerMoved(overList ? PointerArea::List : PointerArea::Dialog);
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qc
