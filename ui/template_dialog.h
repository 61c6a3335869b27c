#pragma once

#include <QDialog>
#include <QTimer>
#include <array>

#include "document/le_file.h"
#include "persist/template_library.h"
#include "render/pixel_buffer.h"
#include "ui/caption_art.h"
#include "ui/clock.h"

namespace qv::ui {

class SkinButton;
class TemplatePreview;

// The Template Library window. At start-up it is first the loading screen: it loads the font
// library and the templates, stays at least 5001 ms, and then turns into the template browser
// in the same window. Later the editor opens it as the browser only. Choosing a template ends it
// with that template's document; Esc or the close box ends it without one.
class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 751;
    static constexpr int kClientHeight = 501;
    static constexpr int64_t kLoadingMs = 5001;

    explicit TemplateDialog(Clock clock, QWidget* parent = nullptr);
    ~TemplateDialog() override;

    // Set before Open.
    bool loading = false;   // the loading screen, which loads fonts and templates
    bool stay_open = true;  // off: close as soon as loading is done
    // The document the editor starts with: the chosen template, or one given to start-up.
    const LeFile* chosen = nullptr;

    // The opening steps: size and place, caption, loading, and the 30 ms timer. False when the
    // window closed at once (stay_open off).
    bool Open();
    // Open, then the modal loop unless the window closed at once.
    int Run();

    // One tick of the 30 ms timer: the loading screen turns into the browser once its time is
    // up; the preview under the cursor lights up.
    void Tick();

    bool browsing() const { return browsing_; }
    int firstOnPage() const { return pager_.ctm; }
    void PreviousPage();
    void NextPage();
    void Choose(int index);

    TemplatePreview* preview(int k) const { return previews_[size_t(k)]; }
    SkinButton* previousButton() const { return previous_; }
    SkinButton* nextButton() const { return next_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Turns the window into the browser at the first page.
    void InitTmpDlg();
    void ShowPage();
    void Place();
    PixelBuffer LoadingPicture();

    Clock clock_;
    int64_t start_ = 0;
    bool browsing_ = false;
    TemplatePager pager_;
    QTimer timer_;
    std::array<TemplatePreview*, kTemplatesPerPage> previews_{};
    SkinButton* status_ = nullptr;
    SkinButton* previous_ = nullptr;
    SkinButton* next_ = nullptr;
    SkinButton* page_label_ = nullptr;
    CaptionArt brand_;
    CaptionArt loading_line_;
    PixelBuffer loading_picture_;
};

}  // namespace qv::ui
