#include "qt/qtcolourchooser.h"

#include <QColorDialog>

namespace qc {

QColor qtColour(uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xff), static_cast<int>((bgr >> 8) & 0xff),
                  static_cast<int>((bgr >> 16) & 0xff));
}

uint32_t bgrColour(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

std::optional<uint32_t> QtColourChooser::choose(uint32_t initial)
{
    const QColor start = qtColour(initial);
    std::optional<QColor> chosen;
    if (m_runner) {
        chosen = m_runner(start);
    } else {
        const QColor c = QColorDialog::getColor(start, m_parent);
        if (c.isValid()) chosen = c;
    }
    if (!chosen || !chosen->isValid()) return std::nullopt;
    return bgrColour(*chosen);
}

} // namespace qc
