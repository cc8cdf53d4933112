#pragma once
// Draws one channel row: the name from x = 0, the user count from x = 150 and the description from
// x = 200 with its IRC formatting codes. Everything stays inside the row; a
// name too long for its column is cut with an ellipsis, and a very wide count pushes the description
// right instead of being cut.
#include <QStyledItemDelegate>

class TChannelRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int RowHeight = 16;
    static constexpr int UsersX = 150;
    static constexpr int DescX = 200;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override;
    QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override;
};
