#pragma once
// The core's colour chooser as QColorDialog.

#include "platform/colourchooser.h"

#include <QColor>

#include <functional>

class QWidget;

namespace qc {

// 0x00BBGGRR and QColor.
QColor qtColour(uint32_t bgr);
uint32_t bgrColour(const QColor& colour);

class QtColourChooser : public ColourChooser
{
public:
    explicit QtColourChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    std::optional<uint32_t> choose(uint32_t initial) override;

    // Tests replace the modal dialog: given the initial colour, the chosen one or nothing.
    using Runner = std::function<std::optional<QColor>(const QColor& initial)>;
    void setRunner(Runner runner) { m_runner = std::move(runner); }

private:
    QWidget* m_parent;
    Runner m_runner;
};

} // namespace qc
