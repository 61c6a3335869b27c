#include "ui/library/shape_names.h"

#include <QStringList>

#include "app/install_dir.h"
#include "render/ft_text.h"
#include "render/shape_catalogue.h"
#include "render/shape_search.h"

namespace qv::ui {

const std::vector<ShapeText>& LibraryShapeNames() {
    static std::vector<ShapeText> texts;
    // The library is loaded once per process, but tests load others: follow its size.
    if (texts.size() != size_t(FtText::ShapeCount())) texts = LibraryShapeTexts(InstallDir());
    return texts;
}

QString ShapeToolTip(int n) {
    const std::vector<ShapeText>& texts = LibraryShapeNames();
    if (n < 0 || size_t(n) >= texts.size()) return QString();
    const ShapeText& text = texts[size_t(n)];
    QString tip = QString::fromStdString(text.name);
    if (!text.keywords.empty()) {
        QStringList words;
        for (const std::string& keyword : text.keywords) words << QString::fromStdString(keyword);
        tip += QStringLiteral("\n(") + words.join(QStringLiteral(", ")) + QStringLiteral(")");
    }
    return tip;
}

std::vector<int> FindShapes(const QString& query) {
    return SearchShapes(LibraryShapeNames(), NormalizeSearchText(query.toStdString()));
}

}  // namespace qv::ui
