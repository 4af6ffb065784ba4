#pragma once
// The log style property sheet "柱状図様式" (CPSYosik) with its two pages
// "表示位置 社名など" (CPageYosik1) and "線種 マージン" (CPageYosik2). Every
// rule is StyleEditor's.

#include "dialogs/styleeditor.h"

#include <QDialog>
#include <QWidget>

#include <map>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace qc {

class CPageYosik1 : public QWidget
{
    Q_OBJECT
public:
    explicit CPageYosik1(StyleEditor& model, QWidget* parent = nullptr);
    void showValues();

    QCheckBox* alphabetBox() const { return m_alphabet; }
    QRadioButton* sampleBottomRadio(int choice) const { return m_sampleBottom[choice]; }
    QRadioButton* legendSymbolRadio(int choice) const { return m_legendSymbol[choice]; }
    QLineEdit* companyEdit() const { return m_company; }
    QLineEdit* telephoneEdit() const { return m_telephone; }

private:
    StyleEditor& m_model;
    QCheckBox* m_alphabet = nullptr;
    QRadioButton* m_sampleBottom[3] = {};
    QRadioButton* m_legendSymbol[3] = {};
    QLineEdit* m_company = nullptr;
    QLineEdit* m_telephone = nullptr;
};

class CPageYosik2 : public QWidget
{
    Q_OBJECT
public:
    explicit CPageYosik2(StyleEditor& model, QWidget* parent = nullptr);
    void showValues();

    // The number and colour fields by settings line.
    QLineEdit* edit(int line) const { return m_edits.at(line); }
    QLabel* swatch(int grid) const { return m_swatches[grid]; }
    QRadioButton* colourRadio() const { return m_colour; }
    QRadioButton* monochromeRadio() const { return m_monochrome; }
    QCheckBox* fineBox() const { return m_fine; }
    QComboBox* stepCombo() const { return m_step; }
    QCheckBox* acrossBox() const { return m_across; }
    QLabel* noteLabel() const { return m_note; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSwatch(int grid);

    StyleEditor& m_model;
    std::map<int, QLineEdit*> m_edits;
    QLabel* m_swatches[4] = {};
    QRadioButton* m_colour = nullptr;
    QRadioButton* m_monochrome = nullptr;
    QCheckBox* m_fine = nullptr;
    QComboBox* m_step = nullptr;
    QCheckBox* m_across = nullptr;
    QLabel* m_note = nullptr;
};

class CPSYosik : public QDialog
{
    Q_OBJECT
public:
    explicit CPSYosik(StyleEditor& model, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    CPageYosik1* page1() const { return m_page1; }
    CPageYosik2* page2() const { return m_page2; }

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    StyleEditor& m_model;
    QTabWidget* m_tabs = nullptr;
    CPageYosik1* m_page1 = nullptr;
    CPageYosik2* m_page2 = nullptr;
};

} // namespace qc
