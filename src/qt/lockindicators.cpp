#include "qt/lockindicators.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>

#ifdef QC_HAVE_X11
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

namespace qc {

std::optional<LockStates> queryLockStates()
{
#ifdef QC_HAVE_X11
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return std::nullopt;
    auto named = [display](const char* name) {
        Bool on = False;
        const Atom atom = XInternAtom(display, name, True);
        return atom != None && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
    };
    LockStates s;
    s.kana = named("Kana");
    s.caps = named("Caps Lock");
    s.num = named("Num Lock");
    s.scroll = named("Scroll Lock");
    return s;
#else
    return std::nullopt;
#endif
}

LockIndicators::LockIndicators(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("lockIndicators"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const char* names[] = {"ｶﾅ", "CAP", "NUM", "SCRL"};
    for (size_t i = 0; i < m_labels.size(); ++i) {
        auto* label = new QLabel(this);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setProperty("indicator", QString::fromUtf8(names[i]));
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
        layout->addWidget(label);
        m_labels[i] = label;
    }
    if (!queryLockStates()) {
        hide();
        return;
    }
    m_timer = new QTimer(this);
    m_timer->setInterval(300);
    connect(m_timer, &QTimer::timeout, this, &LockIndicators::poll);
    m_timer->start();
    poll();
}

void LockIndicators::poll()
{
    if (const auto states = queryLockStates()) display(*states);
}

void LockIndicators::display(const LockStates& states)
{
    const bool on[] = {states.kana, states.caps, states.num, states.scroll};
    for (size_t i = 0; i < m_labels.size(); ++i)
        m_labels[i]->setText(on[i] ? m_labels[i]->property("indicator").toString() : QString());
}

} // namespace qc
