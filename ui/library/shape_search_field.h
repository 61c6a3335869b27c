#pragma once

#include <QLineEdit>
#include <vector>

namespace qv::ui {

// The search field above a shape grid: every change of its text searches the shape names and
// keywords and hands the shapes found, best first, to `Found`; an emptied field asks for the
// whole library back with `Cleared`.
class ShapeSearchField : public QLineEdit {
    Q_OBJECT
public:
    explicit ShapeSearchField(QWidget* parent = nullptr);

signals:
    void Found(const std::vector<int>& shapes);
    void Cleared();
};

}  // namespace qv::ui
