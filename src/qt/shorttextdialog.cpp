#include "qt/shorttextdialog.h"

#include "qt/listeditorview.h"
#include "qt/qtext.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace qc {

ShortTextDialog::ShortTextDialog(ShortTextEditor& model, QWidget* parent)
    : ListDialog(model, parent), m_texts(model), m_insert(new QPushButton(QStringLiteral("挿入"), this)),
      m_save(new QPushButton(QStringLiteral("保存"), this)), m_path(new QLineEdit(this)),
      m_status(new QLabel(this))
{
    setWindowTitle(QStringLiteral("編集 技術者ほかドロップダウンリスト内の短文"));
    setAddOverwriteVisible(false);
    m_insert->setObjectName(QStringLiteral("insert"));
    m_save->setObjectName(QStringLiteral("save"));
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setReadOnly(true);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setMinimumWidth(90);

    auto* group = new QGroupBox(QStringLiteral("編集ファイル"));
    auto* radios = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(this);
    static const char* const names[] = {"engineers", "clients", "machines", "colourTones", "notes", "strata"};
    for (int i = 0; i < ShortTextEditor::kFileCount; ++i) {
        const auto file = static_cast<ShortTextEditor::File>(i);
        auto* radio = new QRadioButton(fromCp932(ShortTextEditor::fileLabel(file)));
        radio->setObjectName(QString::fromLatin1(names[i]));
        buttons->addButton(radio, i);
        radios->addWidget(radio);
        m_files[static_cast<size_t>(i)] = radio;
    }
    radios->addStretch(1);
    connect(buttons, &QButtonGroup::idClicked, this,
            [this](int id) { chooseFile(static_cast<ShortTextEditor::File>(id)); });

    connect(m_insert, &QPushButton::clicked, this, [this] {
        m_texts.insert();
        sync();
    });
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (listView()->isCellEditing()) listView()->commitCellEdit();
        m_texts.save();
        sync();
    });

    // The list shows its columns at least as wide as the text they hold.
    listView()->horizontalHeader()->setStretchLastSection(false);
    int listWidth = 2 * listView()->frameWidth() + listView()->verticalScrollBar()->sizeHint().width();
    for (int c = 1; c <= model.columnCount(); ++c) listWidth += model.column(c).width;
    listView()->setFixedWidth(listWidth);

    auto* side = new QVBoxLayout;
    side->addWidget(group);
    for (QPushButton* b : {m_insert, deleteButton(), upButton(), downButton()}) side->addWidget(b);
    side->addSpacing(12);
    side->addWidget(m_save);
    side->addWidget(m_status);
    side->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addWidget(listView(), 1);
    body->addLayout(side);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(QStringLiteral("ファイル")));
    pathRow->addWidget(m_path, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(okButton());
    bottom->addWidget(cancelButton());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pathRow);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);

    resize(520, 620);
    sync();
}

void ShortTextDialog::chooseFile(ShortTextEditor::File file)
{
    if (file == m_texts.file()) return;
    if (listView()->isCellEditing()) listView()->commitCellEdit();
    m_texts.chooseFile(file);
    sync();
}

void ShortTextDialog::syncOptions()
{
    if (m_files.front() == nullptr) return;
    m_files[static_cast<size_t>(m_texts.file())]->setChecked(true);
    m_path->setText(fromNativePath(m_texts.path()));
    m_status->setText(fromCp932(m_texts.status()));
}

} // namespace qc
