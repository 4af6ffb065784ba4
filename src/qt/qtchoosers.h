#pragma once
// The platform's font chooser (with colour and underline) and editor launcher
// on Qt; the colour chooser is qt/qtcolourchooser.h.

#include "platform/fontchooser.h"
#include "platform/launcher.h"

#include <QColor>
#include <QStringList>

class QWidget;

namespace qc {

QColor qColourOf(uint32_t colourRef);
uint32_t colourRefOf(const QColor& colour);

// The font chooser with a colour button beside it: the platform's own font
// dialog has no colour.
class QtFontChooser : public FontChooser
{
public:
    explicit QtFontChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    std::optional<FontChoice> choose(const FontRequest& request) override;

private:
    QWidget* m_parent;
};

class QtLauncher : public Launcher
{
public:
    // Through the desktop's handler for the file (Windows: "wordpad.exe").
    bool openInTextEditor(const std::string& path) override;
    // The first plain editor found on the PATH (Windows: "notepad.exe").
    bool openInPlainEditor(const std::string& path) override;

    // The plain editors looked for, in order.
    static QStringList plainEditors();
};

} // namespace qc
