#pragma once
// The tool-bar icons, drawn here so that they scale cleanly and need no files.

#include <QIcon>

namespace qc {

enum class ToolIcon { New, Open, Save, Print, About, PreviousPage, NextPage, Application };

QIcon toolIcon(ToolIcon which);

} // namespace qc
