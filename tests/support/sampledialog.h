#pragma once
// A small list dialog over SampleEditor for the widget tests and screenshots:
// depth and text fields and an underline check box below the list.

#include "qt/listdialog.h"
#include "support/sampleeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace qc::test {

class SampleDialog : public ListDialog
{
public:
    SampleDialog(SampleEditor& editor, QWidget* parent = nullptr)
        : ListDialog(editor, parent), m_editor(editor), depth(new QLineEdit), text(new QComboBox),
          underline(new QCheckBox(QStringLiteral("下線")))
    {
        setWindowTitle(QStringLiteral("保孔管"));
        depth->setObjectName(QStringLiteral("depth"));
        text->setObjectName(QStringLiteral("text"));
        underline->setObjectName(QStringLiteral("underline"));
        text->setEditable(true);
        text->addItems({QStringLiteral("保孔管なし"), QStringLiteral("有孔区間　oo"),
                        QStringLiteral("無孔区間　| |"), QStringLiteral("遮水区間　■"),
                        QStringLiteral("その他")});
        text->setCurrentIndex(-1);
        auto* fields = new QWidget;
        auto* grid = new QGridLayout(fields);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->addWidget(new QLabel(QStringLiteral("深度 m")), 0, 0);
        grid->addWidget(depth, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("仕様")), 0, 2);
        grid->addWidget(text, 0, 3);
        grid->addWidget(underline, 0, 4);
        grid->setColumnStretch(3, 1);
        bindField(SampleEditor::Depth, depth);
        bindField(SampleEditor::Text, text);
        connect(underline, &QCheckBox::clicked, this, [this](bool on) {
            m_editor.underline = on;
            optionChanged();
        });
        setDefaultLayout(fields);
        resize(460, 330);
    }

protected:
    void syncOptions() override { underline->setChecked(m_editor.underline); }

private:
    SampleEditor& m_editor;

public:
    QLineEdit* depth;
    QComboBox* text;
    QCheckBox* underline;
};

} // namespace qc::test
