#pragma once
// The core's colour chooser as QColorDialog.

#include "platform/colourchooser.h"

class QWidget;

namespace qc {

class QtColourChooser : public ColourChooser
{
public:
    explicit QtColourChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    std::optional<uint32_t> choose(uint32_t initial) override;

private:
    QWidget* m_parent;
};

} // namespace qc
