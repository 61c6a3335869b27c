#include "document/le_file.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>

#include "app/fault_report.h"
#include "app/guard.h"
#include "app/user_message.h"
#include "document/role_faces.h"
#include "render/ft_text.h"
#include "render/style_bounds.h"

namespace qv {
namespace {

std::unique_ptr<LogoObj> NewObj() {
    std::unique_ptr<LogoObj> o(new (std::nothrow) LogoObj);
    if (!o) ReportFault(0, kOutOfMemory);
    return o;
}

}  // namespace

// The object list was left unbounded by every adding path, so a full logo would have written
// past the last slot; each of them now refuses the 101st object with a message instead.
bool LeFile::RoomForOneMore() const {
    if (CanAdd()) return true;
    ShowMessage(kLogoFullMessage);
    return false;
}

std::unique_ptr<LogoObj> LeFile::NewPlacedObj() const {
    std::unique_ptr<LogoObj> o = NewObj();
    if (o) {
        o->x = 0;
        o->y = -(ob.dh / 4);
    }
    return o;
}

LogoObj* LeFile::Append(std::unique_ptr<LogoObj> o) {
    LogoObj* added = o.get();  // the object stays where it is; only its owner changes
    obj[objs] = std::move(o);
    cur = objs;
    ++objs;
    return added;
}

LogoObj* LeFile::GetCurObj() {
    // The range is checked whole so that a broken index can never reach the array.
    if (!QV_CHECK_T("cur!=-1", cur >= 0 && cur < objs)) return nullptr;
    return obj[cur].get();
}

LogoObj* LeFile::GetObj(int n) {
    if (!QV_CHECK_T("n<objs", n >= 0 && n < objs)) return nullptr;
    return obj[n].get();
}

int LeFile::SetCurObj(int n) {
    if (!QV_CHECK_T("n>=0&&n<objs", n >= 0 && n < objs)) return 0;
    cur = n;
    return 0;
}

int LeFile::SelFstObj() {
    for (int n = objs - 1; n >= 0; --n) {
        if (obj[n] && obj[n]->type == LogoObj::kShape) {
            QV_CHECK_T("SetCurObj(n)", SetCurObj(n) == 0);
            break;
        }
    }
    return 0;
}

int LeFile::NextObj() {
    if (objs <= 0) return 0;
    if (cur < 0) {
        cur = 0;
    } else if (++cur >= objs) {
        cur = 0;
    }
    return 0;
}

int LeFile::PrevObj() {
    if (objs <= 0) return 0;
    if (--cur < 0) cur = objs - 1;
    return 0;
}

int LeFile::BringCloser() {
    if (!QV_CHECK_T("objs>1", objs > 1)) return 0;
    if (!QV_CHECK_T("cur>=0", cur >= 0)) return 0;
    if (!QV_CHECK_T("cur<objs", cur < objs)) return 0;
    if (cur + 1 < objs) {
        std::swap(obj[cur], obj[cur + 1]);
        ++cur;
    }
    return 0;
}

int LeFile::SendFarther() {
    if (!QV_CHECK_T("objs>1", objs > 1)) return 0;
    if (!QV_CHECK_T("cur>=0", cur >= 0)) return 0;
    if (!QV_CHECK_T("cur<objs", cur < objs)) return 0;
    if (cur - 1 >= 0) {
        std::swap(obj[cur], obj[cur - 1]);
        --cur;
    }
    return 0;
}

int LeFile::Bring2Front() {
    if (!QV_CHECK_T("objs>1", objs > 1)) return 0;
    if (!QV_CHECK_T("cur>=0", cur >= 0)) return 0;
    if (!QV_CHECK_T("cur<objs", cur < objs)) return 0;
    while (cur + 1 < objs) {
        const int before = cur;
        QV_CHECK_T("BringCloser()", BringCloser() == 0);
        if (cur == before) break;  // a step that refused would loop for ever
    }
    return 0;
}

int LeFile::Send2Back() {
    if (!QV_CHECK_T("objs>1", objs > 1)) return 0;
    if (!QV_CHECK_T("cur>=0", cur >= 0)) return 0;
    if (!QV_CHECK_T("cur<objs", cur < objs)) return 0;
    while (cur > 0) {
        const int before = cur;
        QV_CHECK_T("SendFarther()", SendFarther() == 0);
        if (cur == before) break;
    }
    return 0;
}

int LeFile::DuplicateCur() {
    if (!QV_CHECK_T("cur>=0", cur >= 0)) return 0;
    if (!QV_CHECK_T("cur<objs", cur < objs)) return 0;
    if (!RoomForOneMore()) return 0;
    std::unique_ptr<LogoObj> copy = NewObj();
    if (!copy) return 0;
    copy->CopyValueFrom(*obj[cur]);
    copy->x = 0;
    copy->y = -(ob.dh / 4);
    Append(std::move(copy));
    return 0;
}

int LeFile::DeleteCur() {
    if (!QV_CHECK_T("cur>=0", cur >= 0)) return 0;
    if (!QV_CHECK_T("cur<objs", cur < objs)) return 0;
    obj[cur].reset();
    for (int n = cur; n + 1 < objs; ++n) obj[n] = std::move(obj[n + 1]);
    --objs;
    obj[objs].reset();
    cur = objs > 0 ? 0 : -1;
    return 0;
}

LogoObj* LeFile::AddObj(int type, const char* path, const char* title) {
    if (type == LogoObj::kCustom &&
        !QV_CHECK_T("cust!=NULL&&cust2!=NULL", path != nullptr && title != nullptr)) {
        return nullptr;
    }
    // Checked before the file is decoded, so a full logo costs no decoding.
    if (!RoomForOneMore()) return nullptr;
    std::unique_ptr<LogoObj> o = NewPlacedObj();
    if (!o) return nullptr;
    o->type = type;
    if (type == LogoObj::kShape) {
        o->lt.font = role::kDefaultShapeFace;
        o->lt.glyph = role::kDefaultShapeGlyph;
        o->MakeShapeName();
    } else if (type == LogoObj::kCustom) {
        o->path = path;
        o->lt.str = title;
        if (!o->LoadPixels()) {
            ShowMessage(std::string("File could not be opened: ") + path);
            return nullptr;
        }
    }
    LogoObj* added = Append(std::move(o));
    if (type == LogoObj::kCustom && objs > 1) QV_CHECK_T("Send2Back()", Send2Back() == 0);
    return added;
}

LogoObj* LeFile::ApplyLibraryShape(int n) {
    if (!QV_CHECK_T("n<syms", n >= 0 && n < FtText::ShapeCount())) return nullptr;
    std::string face, label;
    int glyph = 0;
    FtText::GetSym(n, face, label, glyph);

    LogoObj* target = objs == 0 ? AddObj(LogoObj::kShape) : GetCurObj();
    if (!target) return nullptr;
    if (target->type != LogoObj::kShape) {
        LogoObj* shape = AddObj(LogoObj::kShape);
        if (!shape) return nullptr;
        shape->lt.CopyLook(target->lt);
        shape->lt.outline = 0;
        shape->lt.shadow = 0;
        target = shape;
    }
    target->lt.font = face;
    target->lt.glyph = glyph;
    target->hint = n;
    target->MakeShapeName();
    target->lt.size = target->lt.width = std::max(target->lt.size, target->lt.width);
    return target;
}

int LeFile::CenterObjects(int& w, int& h) {
    if (objs <= 0) return 0;
    int right = -10000, bottom = -10000, left = 10000, top = 10000;
    for (int n = 0; n < objs; ++n) {
        if (!QV_CHECK_T("obj[n]!=NULL", obj[n] != nullptr)) return 0;
        const LogoObj& o = *obj[n];
        // Values from a damaged file are held to what drawing uses, so nothing overflows.
        const int ow = BoundedExtent(o.w);
        const int oh = BoundedExtent(o.h);
        const int l = BoundedPosition(o.x) - ow / 2;
        const int t = BoundedPosition(o.y) - oh / 2;
        left = std::min(left, l);
        right = std::max(right, l + ow);
        top = std::min(top, t);
        bottom = std::max(bottom, t + oh);
    }
    const int dx = (right + left) / 2;
    const int dy = (top + bottom) / 2;
    for (int n = 0; n < objs; ++n) {
        obj[n]->x = BoundedPosition(obj[n]->x) - dx;
        obj[n]->y = BoundedPosition(obj[n]->y) - dy;
    }
    w = right - left;
    h = bottom - top;
    return 0;
}

int LeFile::Clear() {
    for (auto& o : obj) o.reset();
    objs = 0;
    cur = -1;
    bgc = Hls{0, 240, 240};
    fixed = 0;
    return 0;
}

int LeFile::CopyFrom(const LeFile& lf) {
    if (&lf == this) return 0;
    Clear();
    bgc = lf.bgc;
    cur = lf.cur;
    fixed = lf.fixed;
    cw = lf.cw;
    ch = lf.ch;
    const int count = std::clamp(lf.objs, 0, kMaxObjects);
    for (int n = 0; n < count; ++n) {
        // The copy ends at the first object it cannot make, so that it stays a valid document.
        if (!QV_CHECK_T("obj[n]!=NULL", lf.obj[n] != nullptr)) break;
        QV_CHECK_T("lf.obj[n]==NULL", obj[n] == nullptr);
        std::unique_ptr<LogoObj> o = NewObj();
        if (!o) break;
        o->CopyValueFrom(*lf.obj[n]);
        obj[n] = std::move(o);
        objs = n + 1;
    }
    if (cur >= objs) cur = objs > 0 ? 0 : -1;
    return 0;
}

int LeFile::SetCanvasSize(int width, int height) {
    cw = std::clamp(width, 5, 3000);
    ch = std::clamp(height, 5, 3000);
    return 0;
}

int LeFile::SetFixedCanvas(bool flag) {
    fixed = flag ? 1 : 0;
    cw = ob.dw;
    ch = ob.dh;
    return 0;
}

}  // namespace qv
