#include "qt/setupdialog.h"

#include "qt/dialogparts.h"
#include "qt/qtext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qc {

SetupDialog::SetupDialog(SetupEditor& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QStringLiteral("セットアップ"));

    auto* box = new QGroupBox(QStringLiteral("本システムのインストール場所"));
    auto* grid = new QGridLayout(box);
    m_drive = new QLineEdit;
    m_drive->setObjectName(QStringLiteral("drive"));
    m_drive->setMaxLength(1);
    m_drive->setFixedWidth(40);
    m_folder = new QLineEdit;
    m_folder->setObjectName(QStringLiteral("folder"));
    // Typing stops at 64 characters on Windows builds; a longer stored folder is never cut.
    const int stored = static_cast<int>(fromNativePath(model.data().folder).size());
    if (model.driveShown()) m_folder->setMaxLength(std::max(SetupEditor::kFolderChars, stored));
    m_folder->setMinimumWidth(model.driveShown() ? 300 : 420);
    int row = 0;
    if (model.driveShown()) {
        grid->addWidget(new QLabel(QStringLiteral("ドライブ")), row, 0);
        grid->addWidget(m_drive, row++, 1, Qt::AlignLeft);
    } else {
        m_drive->hide();
    }
    grid->addWidget(new QLabel(QStringLiteral("フォルダ")), row, 0);
    grid->addWidget(m_folder, row++, 1);
    grid->setColumnStretch(1, 1);

    connect(m_drive, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.setDrive(toNativePath(text)); });
    connect(m_folder, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.setFolder(toNativePath(text)); });
    m_folder->installEventFilter(this);

    auto* bottom = defaultsOkCancelRow(this, [this] {
        m_model.defaults();
        showValues();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(bottom);
    showValues();
}

void SetupDialog::showValues()
{
    m_drive->setText(fromNativePath(m_model.data().drive));
    m_folder->setText(fromNativePath(m_model.data().folder));
}

bool SetupDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_folder && leftField(event)) {
        m_model.folderLeft();
        showValues();
    }
    return QDialog::eventFilter(watched, event);
}

void SetupDialog::accept()
{
    // Where a button takes no focus, OK is the moment the folder field is left.
    if (m_folder->hasFocus()) {
        m_model.folderLeft();
        showValues();
    }
    QDialog::accept();
}

} // namespace qc
