#include "ui/library/shape_search_field.h"

#include "ui/library/shape_names.h"

namespace qv::ui {

ShapeSearchField::ShapeSearchField(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("shape_search"));
    setPlaceholderText(QStringLiteral("Search shapes"));
    setClearButtonEnabled(true);
    setToolTip(QStringLiteral("Find shapes by name or keyword, such as coffee, house or star"));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.trimmed().isEmpty()) {
            emit Cleared();
        } else {
            emit Found(FindShapes(text));
        }
    });
}

}  // namespace qv::ui
