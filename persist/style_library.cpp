#include "persist/style_library.h"

#include <unistd.h>

#include "app/file_io.h"
#include "app/guard.h"
#include "app/user_message.h"
#include "persist/project_file.h"

namespace qv {

void StyleLibrary::Load(const std::string& install_dir) {
    stfile.clear();
    for (int k = 1; k <= kMaxStyles; ++k) {
        const std::string path = install_dir + "/styles/" + std::to_string(k) + ".kuz";
        std::vector<uint8_t> bytes;
        if (!ReadFileBytes(path, bytes)) {
            if (k == 1) ShowMessage(kStyleLibraryMessage);
            return;
        }
        LeFile doc;
        if (ReadProjectBytes(bytes.data(), bytes.size(), doc) != ProjectReadResult::kOk) {
            ShowMessage(kStyleLibraryMessage);
            continue;
        }
        const int n = 0;
        if (!QV_CHECK_T("n<objs", n < doc.objs)) continue;
        stfile.push_back(doc.obj[n]->lt);
    }
}

float StyleButtonHueOffset(int n, int buttons) {
    if (buttons <= 0) return 0.0f;
    return static_cast<float>(n) * 239.0f / static_cast<float>(buttons);
}

ObjStyle ShiftStyleHues(const ObjStyle& style, float offset) {
    ObjStyle out = style;
    for (Hls* c : {&out.color, &out.outline_color, &out.shadow_color, &out.grad_color1, &out.grad_color2}) {
        c->h += offset;
        if (c->h > 239.0f) c->h -= 239.0f;
    }
    return out;
}

bool ApplyStyle(LeFile& lf, const ObjStyle& lt_style) {
    if (lf.objs == 0 || lf.cur < 0 || lf.cur >= lf.objs) return false;
    lf.GetCurObj()->lt.CopyLook(lt_style);
    return true;
}

}  // namespace qv
