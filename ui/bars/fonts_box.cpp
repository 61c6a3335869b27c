#include "ui/bars/fonts_box.h"

#include <QPainter>

#include "document/obj_style.h"
#include "render/ft_text.h"
#include "ui/pixels.h"

namespace qv::ui {

const QImage& FontNameDelegate::Picture(const QString& name, bool selected, int w, int h) const {
    const QString key = name + (selected ? QStringLiteral("\x01s") : QStringLiteral("\x01n")) +
                        QString::number(w) + QLatin1Char('x') + QString::number(h);
    auto it = cache_.find(key);
    if (it != cache_.end()) return *it;
    ObjStyle lt;
    lt.str = name.toStdString();
    lt.font = lt.str;
    lt.size = 14;
    lt.spacing = 2;
    lt.color = selected ? Hls{0, 0, 50} : Hls{0, 0, 0};
    const Hls back = selected ? RgbToHls(200, 200, 200) : RgbToHls(255, 255, 255);
    FtText text;
    QImage picture;
    if (w > 0 && h > 0 && text.Render(lt, 1, 0) == 0) {
        // The name starts five pixels in, centred on the row's height.
        picture = BufferImage(text.BltToDC(lt, w, h, 5, back));
    }
    ++rendered_;
    return *cache_.insert(key, picture);
}

void FontNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QImage& picture =
        Picture(index.data().toString(), selected, option.rect.width(), option.rect.height());
    if (picture.isNull()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->drawImage(option.rect.topLeft(), picture);
}

QSize FontNameDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), kRowHeight};
}

FontsBox::FontsBox(QWidget* parent) : QListWidget(parent), delegate_(new FontNameDelegate(this)) {
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMinimumWidth(220);
}

void FontsBox::FillFntList(int category) {
    clear();
    for (const std::string& name : FtText::TextFontNames(category))
        addItem(QString::fromStdString(name));
}

bool FontsBox::SelectName(const QString& name) {
    const auto found = findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    setCurrentItem(found.first());
    scrollToItem(found.first());
    return true;
}

}  // namespace qv::ui
