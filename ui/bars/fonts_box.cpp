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
    const QString name = index.data().toString();
    // The readable name takes the left part of the row, the sample the rest.
    const int name_width = option.rect.width() * 2 / 5;
    const QRect name_rect(option.rect.left(), option.rect.top(), name_width, option.rect.height());
    const QRect sample_rect(option.rect.left() + name_width, option.rect.top(),
                            option.rect.width() - name_width, option.rect.height());
    const QImage& picture = Picture(name, selected, sample_rect.width(), sample_rect.height());
    painter->fillRect(name_rect, selected ? QColor(200, 200, 200) : QColor(255, 255, 255));
    painter->setPen(QColor(0, 0, 0));
    painter->drawText(name_rect.adjusted(5, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                      option.fontMetrics.elidedText(name, Qt::ElideRight, name_rect.width() - 9));
    if (picture.isNull()) {
        painter->fillRect(sample_rect, selected ? QColor(200, 200, 200) : QColor(255, 255, 255));
        return;
    }
    painter->drawImage(sample_rect.topLeft(), picture);
}

QSize FontNameDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), kRowHeight};
}

FontsBox::FontsBox(QWidget* parent) : QListWidget(parent), delegate_(new FontNameDelegate(this)) {
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMinimumWidth(360);
}

void FontsBox::FillFntList(int category) {
    clear();
    for (const std::string& name : FtText::TextFontNames(category))
        addItem(QString::fromStdString(name));
}

void FontsBox::FillNames(const std::vector<std::string>& names) {
    clear();
    for (const std::string& name : names) addItem(QString::fromStdString(name));
}

bool FontsBox::SelectName(const QString& name) {
    const auto found = findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) return false;
    setCurrentItem(found.first());
    scrollToItem(found.first());
    return true;
}

}  // namespace qv::ui
