#include "qt/qtcolourchooser.h"

#include <QColorDialog>

namespace qc {

std::optional<uint32_t> QtColourChooser::choose(uint32_t initial)
{
    // Colours are 0x00BBGGRR.
    const QColor start(initial & 0xff, (initial >> 8) & 0xff, (initial >> 16) & 0xff);
    const QColor c = QColorDialog::getColor(start, m_parent);
    if (!c.isValid()) return std::nullopt;
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

} // namespace qc
