#pragma once

#include <QString>
#include <vector>

#include "render/shape_text.h"

namespace qv::ui {

// The names and keywords of the loaded shape table, in table order, read from the
// installation's catalogue the first time they are asked for (not at start-up).
const std::vector<ShapeText>& LibraryShapeNames();

// The tooltip of shape n: its name, and its keywords when it has any.
QString ShapeToolTip(int n);

// The shapes that answer `query`, best first.
std::vector<int> FindShapes(const QString& query);

}  // namespace qv::ui
