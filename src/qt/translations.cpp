#include "qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qc {

bool installToolkitTranslations(QCoreApplication& app, const QLocale& locale)
{
    auto* translator = new QTranslator(&app);
    // qtbase_ja.qm for ja_JP: the dialogs of the base, widget and print modules.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace qc
