#pragma once

#include <QIcon>
#include <QImage>

namespace qv::ui {

// The program's icon, painted at any size: a white star over a teal tile, with a warm dot of
// colour. The same painter makes the PNG icons installed for the desktop.
QImage PaintAppIcon(int size);

// The icon of a project file: a page with a folded corner carrying the star.
QImage PaintDocumentIcon(int size);

QIcon AppIcon();

}  // namespace qv::ui
