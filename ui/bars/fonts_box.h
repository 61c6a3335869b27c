#pragma once

#include <QHash>
#include <QImage>
#include <QListWidget>
#include <QStyledItemDelegate>

namespace qv::ui {

// Draws each font name in its own face, rendered by the engine. Only the rows being painted
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
    // Selects `name` when the list holds it; false otherwise.
    bool SelectName(const QString& name);
    FontNameDelegate* delegate() const { return delegate_; }

private:
    FontNameDelegate* delegate_;
};

}  // namespace qv::ui
