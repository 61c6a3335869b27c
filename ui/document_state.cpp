#include "ui/document_state.h"

namespace qv::ui {

bool SameContent(const LeFile& a, const LeFile& b) {
    if (a.objs != b.objs || !(a.bgc == b.bgc) || a.fixed != b.fixed) return false;
    if (a.fixed && (a.cw != b.cw || a.ch != b.ch)) return false;
    for (int n = 0; n < a.objs; ++n) {
        const LogoObj* p = a.obj[n].get();
        const LogoObj* q = b.obj[n].get();
        if (!p || !q) {
            if (p != q) return false;
            continue;
        }
        if (p->type != q->type || p->x != q->x || p->y != q->y || p->path != q->path ||
            !(p->lt == q->lt)) {
            return false;
        }
    }
    return true;
}

}  // namespace qv::ui
