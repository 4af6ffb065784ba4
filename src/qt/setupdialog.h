#pragma once
// The "セットアップ" dialog: the install folder ("本システムのインストール場所"),
// with its drive letter on Windows builds. The command checks and stores it.

#include "dialogs/setupeditor.h"

#include <QDialog>

class QLineEdit;

namespace qc {

class SetupDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SetupDialog(SetupEditor& model, QWidget* parent = nullptr);

    QLineEdit* driveEdit() const { return m_drive; }
    QLineEdit* folderEdit() const { return m_folder; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showValues();

    SetupEditor& m_model;
    QLineEdit* m_drive = nullptr;
    QLineEdit* m_folder = nullptr;
};

} // namespace qc
