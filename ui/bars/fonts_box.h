#pragma once

#include <QHash>
#include <QImage>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <string>
#include <vector>

namespace qv::ui {

// Draws each font name twice: in the list's own readable face, and beside it in its own face,
// rendered by the engine (some faces are pictures rather than letters). Only the rows being painted
// are rendered, once each for plain and selected, so a tab of a hundred fonts opens at once.
class FontNameDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 22;

    explicit FontNameDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The picture of `name` in a w x h row; rendered on the first request only.
    const QImage& Picture(const QString& name, bool selected, int w, int h) const;
    int rendered() const { return rendered_; }
    void Clear() { cache_.clear(); }

private:
    mutable QHash<QString, QImage> cache_;
    mutable int rendered_ = 0;
};

// The Text bar's font list: the text fonts of one category tab.
class FontsBox : public QListWidget {
    Q_OBJECT
public:
    explicit FontsBox(QWidget* parent = nullptr);

    // Refills the list with the fonts of tab `category`.
    void FillFntList(int category);
    // Refills the list with `names`, in their order (search results, the recent fonts).
    void FillNames(const std::vector<std::string>& names);
    // Selects `name` when the list holds it; false otherwise.
    bool SelectName(const QString& name);
    FontNameDelegate* delegate() const { return delegate_; }

private:
    FontNameDelegate* delegate_;
};

}  // namespace qv::ui
