#pragma once
// Small pieces the dialogs share: the OK / Cancel row, read-only fields,
// the tab chain and object names for the tests.

#include "dialogs/listeditor.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <span>

namespace qc {

// "OK" and "ｷｬﾝｾﾙ" wired to the dialog's accept and reject, with object names "ok" and "cancel".
inline QDialogButtonBox* okCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// "標準の設定" (object name "defaults") on the left, running restore, and OK / Cancel on the right.
template <class Restore> QHBoxLayout* defaultsOkCancelRow(QDialog* dialog, Restore restore)
{
    auto* defaults = new QPushButton(QStringLiteral("標準の設定"));
    defaults->setObjectName(QStringLiteral("defaults"));
    defaults->setAutoDefault(false);
    QObject::connect(defaults, &QPushButton::clicked, dialog, restore);
    auto* row = new QHBoxLayout;
    row->addWidget(defaults);
    row->addStretch(1);
    row->addWidget(okCancelButtons(dialog));
    return row;
}

// Enter (or Return) pressed while the focus is inside dialog.
inline bool isEnterIn(const QWidget* dialog, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return (key == Qt::Key_Return || key == Qt::Key_Enter) &&
           dialog->isAncestorOf(QApplication::focusWidget());
}

// Does what Enter does by the key options; true when the key is taken from the OK button.
template <class NextField> bool takeEnter(EnterAction action, NextField nextField)
{
    if (action == EnterAction::NextControl) nextField();
    return action != EnterAction::PressOk;
}

// A field's label, right-aligned next to it.
inline QLabel* fieldLabel(const QString& text)
{
    auto* l = new QLabel(text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

inline QLineEdit* readOnlyField(const QString& name, int width = 70)
{
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(width);
    return e;
}

inline QLineEdit* numberField(const QString& name, int width = 70)
{
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(width);
    return e;
}

// Tab moves through the widgets in this order.
inline void setTabChain(std::span<QWidget* const> order)
{
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

// The user left a field: a focus-out within the window, not one caused by a
// message box or menu taking the window's focus for a moment.
inline bool leftField(QEvent* event)
{
    if (event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace qc
