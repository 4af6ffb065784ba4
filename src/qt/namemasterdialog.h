#pragma once
// The "土質地質名と柱状図模様" dialog: the fields of one name with the pattern
// tools and the two previews on top, the name master list with its buttons,
// the pattern list and the two bitmap lists below, the program's pattern
// options at the bottom. Every rule is NameMasterEditor's.

#include "dialogs/namemastereditor.h"

#include <QDialog>
#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace qc {

// A preview box painted through the drawing device: the vector pattern or the
// bitmap tiles of the number the model shows.
class PatternPreviewWidget : public QWidget
{
    Q_OBJECT
public:
    PatternPreviewWidget(const NameMasterEditor& model, bool bitmap, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {110, 150}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const NameMasterEditor& m_model;
    bool m_bitmap;
};

class NameMasterDialog : public QDialog
{
    Q_OBJECT
public:
    // The model must have been opened and outlive the dialog.
    explicit NameMasterDialog(NameMasterEditor& model, QWidget* parent = nullptr);

    QLineEdit* edit(NameMasterEditor::Field f) const { return m_edits[f]; }
    QTableWidget* masterList() const { return m_master; }
    QTableWidget* patternList() const { return m_patterns; }
    QListWidget* bitmapList(bool monochrome) const { return monochrome ? m_monoBitmaps : m_colourBitmaps; }
    QCheckBox* densityBox() const { return m_density; }
    QCheckBox* consistencyBox() const { return m_consistency; }
    QRadioButton* targetButton(NameMasterEditor::Target t) const
    {
        return t == NameMasterEditor::Target::Vector ? m_targetVector : m_targetBitmap;
    }
    QPushButton* button(const QString& objectName) const;
    QRadioButton* patternUseButton(int use) const { return m_use[static_cast<size_t>(use)]; }
    QComboBox* lineWidthCombo() const { return m_lineWidth; }
    QCheckBox* mixedMarksBox() const { return m_mixed; }
    QCheckBox* allBlackBox() const { return m_allBlack; }
    QRadioButton* monochromeButton() const { return m_mono; }
    PatternPreviewWidget* preview(bool bitmap) const { return bitmap ? m_bitmapPreview : m_vectorPreview; }

public slots:
    void accept() override;
    void reject() override;
    // Shows the model's state in every control.
    void sync();

private:
    QLineEdit* addEdit(NameMasterEditor::Field f, const char* objectName, int width);
    QPushButton* addButton(const QString& text, const char* objectName, void (NameMasterEditor::*op)());
    void fillTables();

    NameMasterEditor& m_model;
    std::array<QLineEdit*, NameMasterEditor::FieldCount> m_edits{};
    QTableWidget* m_master = nullptr;
    QTableWidget* m_patterns = nullptr;
    QListWidget* m_colourBitmaps = nullptr;
    QListWidget* m_monoBitmaps = nullptr;
    QCheckBox* m_density = nullptr;
    QCheckBox* m_consistency = nullptr;
    QRadioButton* m_targetVector = nullptr;
    QRadioButton* m_targetBitmap = nullptr;
    std::array<QRadioButton*, 4> m_use{};
    QComboBox* m_lineWidth = nullptr;
    QCheckBox* m_mixed = nullptr;
    QCheckBox* m_allBlack = nullptr;
    QRadioButton* m_colour = nullptr;
    QRadioButton* m_mono = nullptr;
    PatternPreviewWidget* m_vectorPreview = nullptr;
    PatternPreviewWidget* m_bitmapPreview = nullptr;
    std::vector<QPushButton*> m_colourTools;
    bool m_syncing = false;
};

} // namespace qc
