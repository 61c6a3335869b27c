#pragma once

namespace qv::ui {

// What the canvas and the object preview ask of the editor window, which owns the document's
// history and its menus.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    // Records the present document as one undo step.
    virtual void TrackStep() = 0;
    // Recomposes the logo for the present window sizes and repaints the canvas and preview.
    virtual int UpdateOutWnd() = 0;
    virtual int UpdateEditMenu() = 0;
    // The object library follows the current object and the text box is loaded; with
    // `focus_text` a text object also takes the keyboard to the text box.
    virtual int UpdateLibSel(bool focus_text = true) = 0;
};

}  // namespace qv::ui
