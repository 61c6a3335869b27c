#pragma once

#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "document/le_file.h"
#include "document/undo_track.h"
#include "persist/style_library.h"
#include "ui/editor_host.h"
#include "ui/editor_layout.h"
#include "ui/file_dialogs.h"
#include "ui/option_bars.h"
#include "ui/unsaved_prompt.h"

class QAction;
class QComboBox;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QMenu;

namespace qv::ui {

class ArrowButton;
class BrandButton;
class CanvasView;
class DecorStrip;
class EditorArea;
class HintBubble;
class HoverControl;
class ObjLib;
class ObjectPreview;
class PageSlider;
class ShapeSearchField;
class SkinButton;
class StyleRow;
class TextBox;

// The editor window: the logo document `lf` and its history `utrack`, the canvas, the object
// preview, the libraries, the option-bar and navigation buttons, the text box and the menus.
// Every command changes the document and then runs one refresh: UpdateOutWnd, UpdateWndMenu,
// UpdateEditMenu, UpdateLibSel.
//
// The window is split by concern: construction and refresh here, the size handler in
// main_window_layout.cpp, the menus and the command table in main_window_menus.cpp, object
// commands and the text box in main_window_objects.cpp, files in main_window_files.cpp.
class MainWindow : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opening: the history starts from `lf`, the sliders get their pages, the window is shown
    // maximised (unless `show` is false), the menus and the title are set and the hover timer
    // starts.
    void Init(bool show = true);
    bool ready() const { return ready_; }

    // Runs command `id` when it is available now; false otherwise.
    bool Command(int id);
    bool CommandAvailable(int id) const;

    // The refresh operations.
    void TrackStep() override;
    int UpdateOutWnd() override { return UpdateOutWndFor(nullptr); }
    int UpdateOutWndFor(LeFile* doc);
    int UpdateEditMenu() override;
    int UpdateLibSel(bool focus_text = true) override;
    int UpdateWndMenu();
    int EnableMenu(bool enable);
    // UpdateOutWnd, UpdateWndMenu, UpdateEditMenu, UpdateLibSel.
    void Refresh();

    // The canvas's keys: the current object moved by (dx, dy), one undo step per burst.
    void Nudge(int dx, int dy);
    // Aligns the current object (the Object menu's "Align" entries), one undo step.
    void AlignCurrent(int id);
    // The status line: the current object's position and size.
    QString statusText() const;
    QComboBox* zoomBox() const { return zoom_box_; }

    // Opens option bar k of the current object (the five buttons, the Window entries).
    int ObjectCmd(int k);

    // The option bars' protocol: the editor locked while a bar is open.
    void PreBarModal(int kind);
    // Adds a new object as the editor's commands do; new text contrasts with the background.
    LogoObj* AddObject(int kind);
    // Records the pending burst of typing as one undo step, if there is one.
    void FlushTyping();
    void PostBarModal(bool ok);
    bool barOpen() const { return bar_open_; }

    void EditText(bool new_obj = false);
    void EditImage(bool new_obj = false);
    void EditShape();
    void EditEffects();
    void EditGradient();
    void EditTransform();
    void EditColor(int slot);
    void EditLogoOptions();

    // The option bars take over the requests once they exist; until then a request is only
    // remembered and signalled (and a new object still added, so the command does something).
    void SetBarOpener(std::function<void(const BarRequest&)> opener) {
        bar_opener_ = std::move(opener);
    }
    const std::optional<BarRequest>& lastBarRequest() const { return last_bar_; }

    // The size handler for a client area of cx x cy.
    void OnSize(int cx, int cy);
    const EditorLayout& layout() const { return layout_; }

    // One tick of the 30 ms hover timer, with the cursor at `global`.
    void HoverTick(const QPoint& global);

    // The document's file, empty for a project never saved or loaded.
    const std::string& docName() const { return doc_name_; }
    void SetDocName(const std::string& path);
    // Opens a logo recovered after a crash: unsaved, with the path it was edited from.
    void RecoverDocument(const LeFile& doc, const std::string& original_path);
    // Dropped files: a project is opened (after the unsaved-changes question), pictures are
    // imported as custom bitmaps, one undo step.
    void DropFiles(const QStringList& paths);
    // Loads a project file as Load Project does after its dialog.
    void LoadProjectFile(const std::string& path);
    class RecentMenu* recentMenu() const { return recent_; }
    QString fileName() const { return file_name_; }
    void UpdateTitle();

    // Whether the document differs from what was last loaded, saved or started.
    bool modified() const;
    void MarkClean();
    // Asks about unsaved changes; true when the document may be set aside.
    bool MaySetDocumentAside();

    void SetPrompt(UnsavedPrompt prompt) { prompt_ = std::move(prompt); }
    void SetFileDialogs(FileDialogs dialogs) { dialogs_ = std::move(dialogs); }
    // Chooses a template for "New From Template..."; null when none was chosen.
    void SetTemplateChooser(std::function<const LeFile*()> chooser) {
        chooser_ = std::move(chooser);
    }

    // Shows the object menu of "Current Object" at `global`, or with `choose` set runs its
    // entry at once (50100 + n) as if it had been picked.
    void ObjectMenu(const QPoint& global, int choose = 0);
    void ObjectMenuChosen(int id);

    // The libraries (ui/library/library_actions.cpp): a click on cell `sel` of the object
    // library, style button `nstl` pressed, style page `page` shown on the buttons.
    void LibraryClicked(int sel);
    int StyleClicked(int nstl, const ObjStyle& lt_style);
    int StylePageChanged(int page);
    int selstl = 0;

    void ShowHint(const QString& text);
    QString hintText() const;

    LeFile lf;
    UndoTrack utrack;
    StyleLibrary styles;

    // Children, for the option bars and the tests.
    EditorArea* area() const { return area_; }
    CanvasView* canvas() const { return canvas_; }
    ObjectPreview* preview() const { return preview_; }
    SkinButton* barButton(int k) const { return nav_[size_t(k)]; }
    SkinButton* currentObjectButton() const { return obj1_; }
    SkinButton* previousObjectButton() const { return obj2_; }
    SkinButton* nextObjectButton() const { return obj3_; }
    SkinButton* libraryCaption() const { return lib_caption_; }
    SkinButton* styleCaption() const { return style_caption_; }
    TextBox* textBox() const { return text_; }
    BrandButton* brand() const { return brand_; }
    ObjLib* libraryGrid() const { return lib_; }
    ShapeSearchField* librarySearch() const { return lib_search_; }
    PageSlider* librarySlider() const { return sl1_; }
    PageSlider* styleSlider() const { return sl2_; }
    StyleRow* styleRow() const { return style_row_; }
    // The style buttons of the row; polled by the hover timer.
    std::vector<HoverControl*>& styleButtons() { return style_buttons_; }

    // The first menu action of a command.
    QAction* action(int id) const;
    QMenu* popup(int position) const { return menus_[size_t(position)]; }

signals:
    // The window ended: by its close box or by Exit.
    void Closed();
    void BarRequested(int bar, int object);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildChildren();
    void BuildMenus();
    void ConnectChildren();
    void RunAccelerator(int id);
    std::vector<HoverControl*> HoverOrder() const;
    void RequestBar(OptionBar bar, int new_kind, int slot);
    void OpenEditColor(int slot);

    // Commands (main_window_files.cpp).
    void ExportLogoImage();
    void ExportLogoKit();
    void NewBlankProject();
    void NewFromTemplate();
    void LoadProjectCmd();
    bool SaveProjectCmd();
    bool SaveProjectAsCmd();
    void ImportImageCmd();
    void SaveAsTemplateCmd();
    void CopyLogoImageCmd();
    void CopyObjectCmd();
    void PasteCmd();
    void ExitCmd();
    void OpenHelp();
    void OpenHomePage();
    void ShowAbout();

    // Commands (main_window_objects.cpp).
    void UndoCmd();
    void RedoCmd();
    void RemoveObject();
    void ReorderObject(int id);
    void DuplicateObject();
    void StepObject(bool previous);
    void WindowMenuCommand(int id);
    void TextGainedFocus();
    void TextChanged();
    void TextLostFocus();
    void CanvasTyped(QKeyEvent* event);
    void UpdateStatus();
    void BuildStatusLine();
    void BuildAlignMenu();

    bool ready_ = false;
    bool bar_open_ = false;
    bool closing_ = false;
    std::string doc_name_;
    QString file_name_;
    LeFile clean_;
    EditorLayout layout_;
    std::optional<BarRequest> last_bar_;

    EditorArea* area_ = nullptr;
    CanvasView* canvas_ = nullptr;
    ObjectPreview* preview_ = nullptr;
    ObjLib* lib_ = nullptr;
    ShapeSearchField* lib_search_ = nullptr;
    int lib_page_before_search_ = 0;
    SkinButton* lib_caption_ = nullptr;
    SkinButton* style_caption_ = nullptr;
    PageSlider* sl1_ = nullptr;
    PageSlider* sl2_ = nullptr;
    ArrowButton* sl1_btn1_ = nullptr;
    ArrowButton* sl1_btn2_ = nullptr;
    ArrowButton* sl2_btn1_ = nullptr;
    ArrowButton* sl2_btn2_ = nullptr;
    std::array<SkinButton*, 5> nav_{};
    SkinButton* obj1_ = nullptr;
    SkinButton* obj2_ = nullptr;
    SkinButton* obj3_ = nullptr;
    TextBox* text_ = nullptr;
    DecorStrip* rule_ = nullptr;
    DecorStrip* strip_ = nullptr;
    BrandButton* brand_ = nullptr;
    StyleRow* style_row_ = nullptr;
    std::vector<HoverControl*> style_buttons_;
    HintBubble* hint_ = nullptr;

    std::array<QMenu*, 5> menus_{};
    class RecentMenu* recent_ = nullptr;
    std::multimap<int, QAction*> actions_;
    QTimer hover_timer_;
    // A burst of typing in the text box becomes one undo step: when the typing pauses, or
    // before anything else changes the document.
    QTimer typing_timer_;
    bool typing_pending_ = false;
    // What the pending burst is: typing and nudging are separate steps.
    enum class Burst { kTyping, kNudge };
    Burst burst_ = Burst::kTyping;
    // Set while the canvas's own keys are handled: the keyboard stays on the canvas.
    bool canvas_keys_ = false;
    QLabel* status_ = nullptr;
    QComboBox* zoom_box_ = nullptr;

    UnsavedPrompt prompt_;
    FileDialogs dialogs_;
    std::function<const LeFile*()> chooser_;
    std::function<void(const BarRequest&)> bar_opener_;
};

}  // namespace qv::ui
