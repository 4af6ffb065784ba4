#pragma once
// The dialogs of the view's commands on the Qt side. Each entry dialog joins
// here as it is built; until then its command stays disabled.

#include "app/commands/dialoghost.h"

class QWidget;

namespace qc {

class QtDialogHost : public NoDialogs
{
public:
    explicit QtDialogHost(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    bool provides(CommandId id) const override;
    void about() override;

private:
    QWidget* m_parent;
};

} // namespace qc
