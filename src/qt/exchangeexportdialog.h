#pragma once
// The "電子納品XML出力" dialog: the export codes, the output file and the
// characters outside JIS X 0208. Every rule is ExchangeExportEditor's.

#include "dialogs/exchangeexporteditor.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QPlainTextEdit;

namespace qc {

class FileChooser;

class ExchangeExportDialog : public QDialog
{
    Q_OBJECT
public:
    ExchangeExportDialog(ExchangeExportEditor& model, FileChooser& chooser, QWidget* parent = nullptr);

    QLineEdit* field(size_t i) const { return m_fields.at(i); }
    QLineEdit* pathEdit() const { return m_path; }
    QPlainTextEdit* reportView() const { return m_report; }

public slots:
    void accept() override;

private:
    void showValues();

    ExchangeExportEditor& m_model;
    FileChooser& m_chooser;
    std::vector<QLineEdit*> m_fields;
    QLineEdit* m_path = nullptr;
    QPlainTextEdit* m_report = nullptr;
};

} // namespace qc
