#pragma once

// The editor's command and control numbers. They name the same things in the menus, the
// accelerators, the Window menu's computed entries and the tooltips.
namespace qv::ui::cmd {

enum : int {
    kExportLogoImage = 32778,
    kExportLogoKit = 32808,
    kNewBlankProject = 32780,
    kNewFromTemplate = 32784,
    kLoadProject = 32781,
    kSaveProject = 32782,
    kSaveProjectAs = 32783,
    kSaveProjectAsKey = 32807,  // Ctrl+Alt+P, no menu entry
    kImportImage = 32775,
    kSaveAsTemplate = 32785,
    kLogoImage = 32777,  // ID_WINDOW_LOGOIMAGE
    kExit = 32786,
    kUndo = 57643,
    kRedo = 57644,
    kCopyLogoImage = 32798,
    kSolidColor = 32791,
    kGradientColor1 = 32795,
    kGradientColor2 = 32796,
    kOutlineColor = 32793,
    kShadowColor = 32794,
    kBackgroundColor = 32792,
    kNewText = 32771,
    kNewImage = 32772,
    kRemoveObject = 32776,
    kDuplicateObject = 32801,
    kBringCloser = 32773,
    kSendFarther = 32774,
    kBringToFront = 32799,
    kSendToBack = 32800,
    kHelp = 32802,
    kAbout = 32806,
    kHomePage = 32804,
    kCopyObject = 32810,
    kPaste = 32811,
    kZoomIn = 32812,
    kZoomOut = 32813,
    kZoomFit = 32814,
    kZoomActual = 32815,
    kAlignCentreH = 32820,  // the Object menu's "Align" entries, in menu order
    kAlignCentreV = 32821,
    kAlignCentreBoth = 32822,
    kAlignLeft = 32823,
    kAlignRight = 32824,
    kAlignTop = 32825,
    kAlignBottom = 32826,

    kWindowFirst = 40000,  // 40000 + 10 n + k: bar k of object n
    kWindowLast = 49999,
    kObjectMenuFirst = 50100,  // 50100 + n: object n made current
    kObjectMenuLast = 50199,
};

}  // namespace qv::ui::cmd

namespace qv::ui::ctl {

enum : int {
    kCanvas = 1016,
    kPreview = 1017,
    kLibraryCaption = 1018,
    kStyleCaption = 1019,
    kLibraryGrid = 1021,
    kTextBox = 1034,
    kRule = 1088,
    kStrip = 1089,
    kBar1 = 1106,
    kBar2 = 1107,
    kBar3 = 1090,
    kBar4 = 1091,
    kBar5 = 1092,
    kCurrentObject = 1108,
    kPreviousObject = 1109,  // resource caption "Next"
    kNextObject = 1110,      // resource caption "Prev"
    kLibraryLeft = 1111,
    kLibraryRight = 1112,
    kLibrarySlider = 1113,
    kStyleLeft = 1114,
    kStyleRight = 1115,
    kStyleSlider = 1116,
    kBrand = 1117,
    kStyleButtonFirst = 50000,
};

}  // namespace qv::ui::ctl
