// Writes the projects bench/compare_imagemagick.sh exports: one line of text with outline and
// shadow on a fixed 400 x 140 canvas, drawn with the shipped DejaVu Sans Bold so that the other
// tool can draw the same text with the same font file.
//
//   qorvan-bench-projects OUTPUT.kuz

#include <cstdio>

#include "document/le_file.h"
#include "persist/project_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qorvan-bench-projects OUTPUT.kuz\n");
        return 2;
    }
    qv::LeFile lf;
    qv::LogoObj* o = lf.AddObj(0);
    if (!o) return 1;
    o->lt.str = "Qorvan";
    o->lt.font = "DejaVu Sans Bold";
    o->lt.size = 80;
    o->lt.color = {152, 173, 103};  // #1f3fbf, as the other tool fills it
    o->lt.outline = 1;
    o->lt.shadow = 1;
    o->lt.strength = 4;
    o->lt.shadow_distance = 5;
    lf.SetFixedCanvas(true);
    lf.SetCanvasSize(400, 140);
    if (!qv::SaveProject(argv[1], lf)) {
        std::fprintf(stderr, "qorvan-bench-projects: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
