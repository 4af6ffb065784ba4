#pragma once
// The toolkit's own texts (file, print and message dialogs, standard buttons) in
// the user's language.

class QCoreApplication;
class QLocale;

namespace qc {

// Installs the toolkit's translations for the locale into the application;
// false, and nothing installed, when none is installed for it (or it is English).
bool installToolkitTranslations(QCoreApplication& app, const QLocale& locale);

} // namespace qc
