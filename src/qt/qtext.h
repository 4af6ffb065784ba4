#pragma once
// The one place where CP932 cell text meets QString.

#include "document/cp932.h"

#include <QString>
#include <string>

namespace qc {

inline QString fromCp932(const std::string& bytes)
{
    return QString::fromStdString(cp932::toUtf8(bytes));
}
inline std::string toCp932(const QString& text)
{
    return cp932::fromUtf8(text.toStdString());
}

// Native paths are UTF-8 bytes.
inline QString fromNativePath(const std::string& path)
{
    return QString::fromStdString(path);
}
inline std::string toNativePath(const QString& path)
{
    return path.toStdString();
}

} // namespace qc
