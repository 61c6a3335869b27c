#pragma once

#include <vector>

#include "render/font_search.h"
#include "ui/bars/bar_dialog.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabBar;

namespace qv::ui {

class FontsBox;

// The Text bar: the text line, its font by category tab, size, spacing, aspect ratio and
// solid colour. Above the tabs, a search field and a category filter list fonts of every tab;
// the filter also offers the fonts used last.
class TextBar : public BarDialog {
    Q_OBJECT
public:
    explicit TextBar(MainWindow* mw);

    QLineEdit* textLine() const { return text_; }
    QTabBar* tabs() const { return tabs_; }
    QLineEdit* fontSearch() const { return search_; }
    QComboBox* categoryFilter() const { return filter_; }
    FontsBox* fonts() const { return fonts_; }
    ValueRow fontSize() const { return size_; }
    ValueRow spacing() const { return spacing_; }
    QLineEdit* aspectEdit() const { return aspect_edit_; }
    Slider* aspectSlider() const { return aspect_; }
    ColorBtn* colour() const { return colour_; }
    QLabel* status() const { return status_; }

protected:
    void ReadControls() override;
    void showEvent(QShowEvent* event) override;

public:
    // Ok also puts the chosen font first in the recently used list.
    void accept() override;
    // "Add Font File...": copies the font at `path` into the user's font folder and shows it
    // chosen under the system and user fonts; a file that is no font is said and refused.
    bool AddFontFile(const std::string& path);
    QPushButton* addFontButton() const { return add_font_; }

private:
    void Load();
    void SelectTab(int category);
    // The list for the search text and filter: the tab's fonts while both are empty.
    void RefreshList();
    const std::vector<FontListing>& Listings();

    QLineEdit* text_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QLineEdit* search_ = nullptr;
    QComboBox* filter_ = nullptr;
    QPushButton* add_font_ = nullptr;
    std::vector<FontListing> listings_;
    FontsBox* fonts_ = nullptr;
    ValueRow size_;
    ValueRow spacing_;
    QLineEdit* aspect_edit_ = nullptr;
    Slider* aspect_ = nullptr;
    ColorBtn* colour_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace qv::ui
