#pragma once

#include <memory>

#include "document/colour_model.h"
#include "document/logo_obj.h"
#include "render/pixel_buffer.h"

namespace qv {

inline constexpr int kMaxObjects = 100;

// The text shown when an operation would take a logo beyond kMaxObjects.
inline constexpr const char* kLogoFullMessage = "A logo can hold at most 100 objects.";

// The composed pictures of a document, rebuilt by every Update. `dw` x `dh` is the logo size
// Update chose and `cdw` x `cdh` the preview size it was last given; `dta` and `cdta` have
// exactly those sizes, or are empty when they could not be allocated (the sizes are kept so
// that placement and the canvas settings still follow the logo).
struct LogoBuffers {
    PixelBuffer dta;
    int dw = 0;
    int dh = 0;
    PixelBuffer cdta;
    int cdw = 0;  // zero until the first Update with a preview size
    int cdh = 0;
    // The last Update refused to draw because the logo needed more memory than allowed; the
    // message is not repeated while that lasts.
    bool over_budget = false;
};

// The logo document: objects back to front, the current one, background and canvas settings.
// obj[n] is set exactly for n < objs; cur is -1 or below objs.
class LeFile {
public:
    LeFile() = default;
    LeFile(const LeFile&) = delete;
    LeFile& operator=(const LeFile&) = delete;

    int GetCount() const { return objs; }
    LogoObj* GetCurObj();
    LogoObj* GetObj(int n);
    int SetCurObj(int n);
    // Makes the frontmost shape current; without shapes the current object stays.
    int SelFstObj();
    int NextObj();
    int PrevObj();

    int BringCloser();
    int SendFarther();
    int Bring2Front();
    int Send2Back();

    // Appends a copy of the current object a quarter of the logo height above the centre and
    // makes it current.
    int DuplicateCur();
    // Removes the current object and makes the back object current.
    int DeleteCur();

    // Appends a new object (0 text, 1 shape, 2 custom bitmap from `path`, named `title`) and
    // makes it current; a bitmap goes to the back. Null when the document is full or the
    // bitmap cannot be opened, and the document is unchanged then.
    LogoObj* AddObj(int type, const char* path = nullptr, const char* title = nullptr);

    // Gives the current object (or a new one) shape n of the shape table. A current object
    // that is not a shape keeps its place; a new shape with its look is added instead. Returns
    // the shape object, or null when nothing could be changed. Menus, the redraw and the undo
    // snapshot are the caller's.
    LogoObj* ApplyLibraryShape(int n);

    // Moves all objects so that their common box is centred and returns the box's size;
    // without objects nothing changes, `w` and `h` included.
    int CenterObjects(int& w, int& h);

    // Removes every object and restores the default background; the canvas size stays.
    int Clear();

    // Makes this document an independent copy of the value of `other`; rendering state and
    // the logo buffers are not copied.
    int CopyFrom(const LeFile& other);

    // The typed canvas size, kept within 5..3000.
    int SetCanvasSize(int width, int height);
    // The "Fixed Canvas Size:" flag; the canvas size becomes the current logo size.
    int SetFixedCanvas(bool flag);

    bool CanAdd() const { return objs < kMaxObjects; }

    // Renders every object and recomposes `ob` for a canvas of w x h and, when positive, a
    // preview of preview_w x preview_h. When the rasters and buffers would need more than
    // `memory_budget` bytes nothing is drawn and kOutOfMemory is shown (once, until an Update
    // succeeds again). The first form takes DefaultMemoryBudget().
    int Update(int w, int h, int preview_w, int preview_h);
    int Update(int w, int h, int preview_w, int preview_h, uint64_t memory_budget);

    int objs = 0;
    int cur = -1;
    std::unique_ptr<LogoObj> obj[kMaxObjects];
    Hls bgc{0, 0, 240};
    int fixed = 0;
    int cw = 1;  // canvas size used with a fixed canvas
    int ch = 1;

    LogoBuffers ob;

private:
    // Lays out every object and loads missing pictures; returns the bytes their rasters and
    // pixels will take while the logo is composed.
    uint64_t LayOutObjects(uint64_t budget);
    // False, after the message, when the document holds kMaxObjects already.
    bool RoomForOneMore() const;
    // A new object at the place of new objects, a quarter of the logo height above the centre.
    std::unique_ptr<LogoObj> NewPlacedObj() const;
    LogoObj* Append(std::unique_ptr<LogoObj> o);
};

}  // namespace qv
