#pragma once
// The file open and save dialogs of the core's flows, as QFileDialog.

#include "platform/filechooser.h"

#include <QStringList>

#include <functional>

class QWidget;
class QFileDialog;

namespace qc {

// "name|pattern|name|pattern||" (CP932) as Qt name filters "name (p1 p2)".
QStringList qtNameFilters(const std::string& filter);

class QtFileChooser : public FileChooser
{
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    std::optional<std::string> choose(const FileDialogRequest& request) override;

    // Tests replace the modal run of the dialog: given the prepared dialog, the chosen path or nothing.
    using Runner = std::function<std::optional<QString>(QFileDialog&)>;
    void setRunner(Runner runner) { m_runner = std::move(runner); }

private:
    QWidget* m_parent;
    Runner m_runner;
};

} // namespace qc
