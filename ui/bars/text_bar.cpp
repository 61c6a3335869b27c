#include "ui/bars/text_bar.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QSignalBlocker>
#include <QTimer>

#include "app/guard.h"
#include "document/bar_mappings.h"
#include "document/logo_obj.h"
#include "app/install_dir.h"
#include "persist/recent_fonts.h"
#include "app/user_message.h"
#include "render/ft_text.h"
#include "render/system_fonts.h"
#include "render/shape_text.h"
#include "render/typeface_category.h"
#include "ui/bars/fonts_box.h"
#include "ui/colour/color_btn.h"
#include "ui/logo_text_edit.h"
#include "ui/main_window.h"
#include "ui/value_slider.h"

namespace qv::ui {

namespace {

const QString kPrefix = QStringLiteral("Basic Text Options: '");
// The filter's first two entries; the categories follow.
constexpr int kAllFonts = 0;
constexpr int kRecentFonts = 1;
constexpr int kSystemFonts = 2;
constexpr int kFirstCategory = 3;

QString AspectText(float aspect) {
    return QString::number(double(aspect), 'f', 1);
}

}  // namespace

TextBar::TextBar(MainWindow* mw) : BarDialog(mw, QStringLiteral("Basic Text Options: New Text")) {
    grid()->addWidget(new QLabel(QStringLiteral("Text Line:"), this), 0, 0);
    text_ = new QLineEdit(this);
    MakeLogoTextEdit(*text_);
    grid()->addWidget(text_, 0, 1, 1, 2);

    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("font_search"));
    search_->setPlaceholderText(QStringLiteral("Search fonts"));
    search_->setClearButtonEnabled(true);
    grid()->addWidget(search_, 1, 0);
    filter_ = new QComboBox(this);
    filter_->setObjectName(QStringLiteral("font_category"));
    filter_->addItem(QStringLiteral("All categories"));
    filter_->addItem(QStringLiteral("Recently used"));
    filter_->addItem(QStringLiteral("System and user fonts"));
    for (const char* category : kTypefaceCategories) filter_->addItem(QString::fromLatin1(category));
    add_font_ = new QPushButton(QStringLiteral("Add Font File..."), this);
    add_font_->setObjectName(QStringLiteral("add_font"));
    add_font_->setAutoDefault(false);
    auto* filters = new QHBoxLayout;
    filters->addWidget(filter_, 1);
    filters->addWidget(add_font_);
    grid()->addLayout(filters, 1, 1, 1, 2);

    tabs_ = new QTabBar(this);
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(true);
    for (const char* name : kFontCategoryNames) tabs_->addTab(QString::fromLatin1(name));
    grid()->addWidget(tabs_, 2, 0, 1, 3);
    fonts_ = new FontsBox(this);
    fonts_->setMinimumHeight(FontNameDelegate::kRowHeight * 8);
    grid()->addWidget(fonts_, 3, 0, 1, 3);

    size_ = AddValue(4, QStringLiteral("Font Size:"), 4, 256, 10, 100);
    spacing_ = AddValue(5, QStringLiteral("Character Spacing:"), -30, 100, -5, 20);

    grid()->addWidget(new QLabel(QStringLiteral("Aspect Ratio:"), this), 6, 0);
    aspect_edit_ = new QLineEdit(this);
    aspect_edit_->setReadOnly(true);
    aspect_edit_->setMaximumWidth(90);
    grid()->addWidget(aspect_edit_, 6, 1);
    aspect_ = new Slider(this);
    aspect_->SetAspectMode(true);
    aspect_->SetLinkedEdit(aspect_edit_);
    grid()->addWidget(aspect_, 6, 2);

    colour_ = AddColour(7, QStringLiteral("Solid Color:"));
    status_ = new QLabel(this);
    grid()->addWidget(status_, 8, 0, 1, 3);

    connect(text_, &QLineEdit::textChanged, this, [this] {
        OnControls();
        if (ready_) SetNamedCaption(kPrefix);
    });
    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        QV_CHECK_T("FillFntList(sel)", tab >= 0 && tab < FontRegistry::kCategories);
        // Choosing a tab leaves the search: its fonts are what the user asked for now.
        if (!search_->text().isEmpty() || filter_->currentIndex() != kAllFonts) {
            const QSignalBlocker quiet_search(search_);
            const QSignalBlocker quiet_filter(filter_);
            search_->clear();
            filter_->setCurrentIndex(kAllFonts);
        }
        fonts_->FillFntList(tab);
        if (obj()) fonts_->SelectName(QString::fromStdString(obj()->lt.font));
        status_->setText(QStringLiteral("%1 fonts in this tab").arg(fonts_->count()));
    });
    connect(search_, &QLineEdit::textChanged, this, [this] { RefreshList(); });
    connect(filter_, &QComboBox::currentIndexChanged, this, [this] { RefreshList(); });
    connect(add_font_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Add Font File"), QString(),
                                                          QStringLiteral("Fonts (*.ttf *.otf *.TTF *.OTF)"));
        if (!path.isEmpty()) AddFontFile(QFile::encodeName(path).toStdString());
    });
    connect(fonts_, &QListWidget::currentRowChanged, this, [this] { OnControls(); });
    connect(aspect_, &Slider::Changed, this, [this] { OnControls(); });
    connect(colour_, &ColorBtn::Clicked, this, [this] {
        EditColourModally([this] { return obj() ? &obj()->lt.color : nullptr; },
                          QStringLiteral("Solid Text Color"), colour_);
    });
    Load();
    FinishOpening(kPrefix);
}

void TextBar::Load() {
    const LogoObj* o = obj();
    if (!o) return;
    const ObjStyle& lt = o->lt;
    text_->setText(ShownLogoText(lt.str));
    SelectTab(FontCategoryForName(lt.font));
    // A font of the system or the user is shown under its own heading.
    if (!FtText::HasFace(lt.font) && FindSystemFont(lt.font)) filter_->setCurrentIndex(kSystemFonts);
    LoadValue(size_, lt.size, float(lt.size));
    LoadValue(spacing_, lt.spacing, float(lt.spacing));
    aspect_->SetAspect(lt.aspect);
    aspect_edit_->setText(AspectText(lt.aspect));
    colour_->SetColour(lt.color);
}

void TextBar::SelectTab(int category) {
    if (tabs_->currentIndex() == category) {
        // The tab is already current, so no change signal fills the list.
        fonts_->FillFntList(category);
        if (obj()) fonts_->SelectName(QString::fromStdString(obj()->lt.font));
        status_->setText(QStringLiteral("%1 fonts in this tab").arg(fonts_->count()));
    } else {
        tabs_->setCurrentIndex(category);
    }
}

const std::vector<FontListing>& TextBar::Listings() {
    if (listings_.empty()) {
        listings_ = ListLibraryFonts(ReadTypefaceCategories(InstallDir() + "/" + kTypefaceCategoriesPath));
    }
    return listings_;
}

void TextBar::RefreshList() {
    const QString query = search_->text().trimmed();
    const int filter = filter_->currentIndex();
    if (query.isEmpty() && filter == kAllFonts) {
        SelectTab(tabs_->currentIndex());
        return;
    }
    std::vector<std::string> names;
    if (filter == kSystemFonts) {
        const std::vector<FontListing> fonts = ListSystemFonts();
        for (const int n : SearchFonts(fonts, query.toStdString())) names.push_back(fonts[size_t(n)].name);
    } else if (filter == kRecentFonts) {
        const std::string wanted = NormalizeSearchText(query.toStdString());
        const RecentFonts recent;
        for (const std::string& face : recent.faces()) {
            if (FtText::HasFace(face) && NormalizeSearchText(face).find(wanted) != std::string::npos) {
                names.push_back(face);
            }
        }
    } else {
        const std::vector<FontListing>& fonts = Listings();
        const std::string category = filter >= kFirstCategory ? filter_->currentText().toStdString() : std::string();
        for (const int n : SearchFonts(fonts, query.toStdString(), category)) {
            names.push_back(fonts[size_t(n)].name);
        }
    }
    fonts_->FillNames(names);
    if (obj()) fonts_->SelectName(QString::fromStdString(obj()->lt.font));
    status_->setText(names.size() == 1 ? QStringLiteral("1 font found")
                                       : QStringLiteral("%1 fonts found").arg(names.size()));
}

bool TextBar::AddFontFile(const std::string& path) {
    std::string name, problem;
    if (!AddUserFontFile(path, name, problem)) {
        ShowMessage(problem);
        return false;
    }
    // The new font is shown, chosen, under its heading.
    search_->clear();
    filter_->setCurrentIndex(kSystemFonts);
    RefreshList();
    fonts_->SelectName(QString::fromStdString(name));
    return true;
}

void TextBar::accept() {
    if (ready_ && obj()) RecentFonts().Add(obj()->lt.font);
    BarDialog::accept();
}

void TextBar::showEvent(QShowEvent* event) {
    BarDialog::showEvent(event);
    // The bar opens for typing: the text line has the focus with its text selected.
    text_->setFocus(Qt::OtherFocusReason);
    text_->selectAll();
}

void TextBar::ReadControls() {
    ObjStyle& lt = obj()->lt;
    lt.str = LogoTextOf(text_->text());
    if (QListWidgetItem* item = fonts_->currentItem()) lt.font = item->text().toStdString();
    lt.size = size_.edit->value();
    lt.spacing = spacing_.edit->value();
    lt.aspect = AspectFromSlider(aspect_->fraction());
}

}  // namespace qv::ui
