#pragma once
// The "操作＆ヘルプ" dialog: the help file's lines filling the dialog, and
// "開いて印刷". Every rule is HelpViewer's.

#include "dialogs/helpviewer.h"

#include <QDialog>

class QListWidget;

namespace qc {

class HelpDialog : public QDialog
{
    Q_OBJECT
public:
    explicit HelpDialog(HelpViewer& model, QWidget* parent = nullptr);
    QListWidget* list() const { return m_list; }

private:
    HelpViewer& m_model;
    QListWidget* m_list = nullptr;
};

} // namespace qc
