#pragma once

#include <QString>

#include "ui/bars/bar_dialog.h"

class QLabel;
class QPushButton;
class QTabBar;

namespace qv::ui {

class ObjLib;
class ShapeSearchField;

// The Shape library bar: the whole shape table, a page at a time, for the current shape object.
// Opened modeless from the Edit menu, or run modally from the Image object bar.
class ImageBar : public BarDialog {
    Q_OBJECT
public:
    // Ten columns of eight 50-pixel cells: 80 shapes a page.
    static constexpr int kCell = 50;
    static constexpr int kColumns = 10;
    static constexpr int kRows = 8;

    ImageBar(MainWindow* mw, bool modal_run = false);

    ObjLib* shapes() const { return list_; }
    QTabBar* tabs() const { return tabs_; }
    QLabel* pageLabel() const { return label_; }
    ShapeSearchField* search() const { return search_; }
    // The grid keeps the paging; the bar shows it in its tabs and label.
    int page() const;
    int pages() const;
    int itemsPerPage() const;

    // Tab i covers shapes i * itmpp + 1 to (i + 1) * itmpp, counted from 1.
    static QString TabText(int tab, int itmpp);
    // "Shapes 81-160 of 3734 (Page 2 of 46)".
    static QString PageText(int page, int itmpp, int pages, int total);
    // "12 shapes found (Page 1 of 1)".
    static QString FoundText(int page, int pages, int found);

protected:
    // A picked shape is written at once; there is nothing else to read.
    void ReadControls() override {}

private:
    void ShowPage(int page);
    void StepPage(int step);
    void ShapeClicked(int sel);
    void SyncTabAndLabel();
    void RebuildTabs();

    ObjLib* list_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QPushButton* prev_ = nullptr;
    QPushButton* next_ = nullptr;
    QLabel* label_ = nullptr;
    ShapeSearchField* search_ = nullptr;
};

}  // namespace qv::ui
