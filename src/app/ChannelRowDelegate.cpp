#include "ChannelRowDelegate.h"

#include <QPainter>
#include <optional>

#include "ChannelListModel.h"
#include "IRCFormatting.h"
#include "Utils.h"

namespace {
constexpr int ColumnGap = 4;

QColor IrcTextColour(int number) { return QColor::fromRgb(SwapRedBlue(IrcColour(number))); }

// Draws a description run by run along one baseline, following its formatting codes.
class TDescriptionPainter {
public:
    TDescriptionPainter(QPainter &painter, const QRect &row, int x, int baseline, const QColor &colour)
        : FPainter(painter), FRow(row), FX(x), FBaseline(baseline), FFont(painter.font()), FColour(colour)
    {
    }

    void Draw(const QString &desc)
    {
        TIrcFormatHandlers handlers;
        handlers.Run = [this](const QString &run) { DrawRun(run); };
        handlers.Bold = [this] { FFont.setBold(!FFont.bold()); };
        handlers.Underline = [this] { FFont.setUnderline(!FFont.underline()); };
        handlers.Reverse = [this] {
            if (!FReverse)
                FColourBeforeReverse = FColour;
            else
                FColour = FColourBeforeReverse;
            FReverse = !FReverse;
        };
        handlers.Colour = [this](const TIrcColourCode &code) {
            // A missing number, before or after the ",", means black without a background.
            if (!code.Foreground || (code.HasBackground && !code.Background)) {
                FColour = Qt::black;
                FBackground.reset();
                return;
            }
            FColour = IrcTextColour(*code.Foreground);
            FBackground = code.Background ? std::optional(IrcTextColour(*code.Background)) : std::nullopt;
        };
        WalkIrcFormatting(desc, handlers);
    }

private:
    void DrawRun(const QString &run)
    {
        if (FX > FRow.right())
            return;
        FPainter.setFont(FFont);
        const int width = FPainter.fontMetrics().horizontalAdvance(run);
        const QRect box(FX, FRow.top(), width, FRow.height());
        if (FReverse)
            FPainter.fillRect(box, Qt::black);
        else if (FBackground)
            FPainter.fillRect(box, *FBackground);
        FPainter.setPen(FReverse ? QColor(Qt::white) : FColour);
        FPainter.drawText(QPoint(FX, FBaseline), run);
        FX += width;
    }

    QPainter &FPainter;
    QRect FRow;
    int FX;
    int FBaseline;
    QFont FFont;
    QColor FColour;
    QColor FColourBeforeReverse;
    std::optional<QColor> FBackground;
    bool FReverse = false;
};
} // namespace

void TChannelRowDelegate::paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const
{
    const QRect row = Option.rect;
    const bool selected = Option.state & QStyle::State_Selected;
    const QColor textColour = Option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    Painter->save();
    Painter->setClipRect(row);
    Painter->fillRect(row, Option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    Painter->setFont(Option.font);
    Painter->setPen(textColour);
    const QFontMetrics metrics(Option.font);
    const int baseline = row.top() + (row.height() + metrics.ascent() - metrics.descent()) / 2;

    const QString name = metrics.elidedText(Index.data(TChannelListModel::NameRole).toString(), Qt::ElideRight,
                                            UsersX - ColumnGap);
    Painter->drawText(QPoint(row.left(), baseline), name);
    const QString users = QString::number(Index.data(TChannelListModel::UsersRole).toInt());
    Painter->drawText(QPoint(row.left() + UsersX, baseline), users);

    const int descX = std::max(DescX, UsersX + metrics.horizontalAdvance(users) + ColumnGap);
    TDescriptionPainter(*Painter, row, row.left() + descX, baseline, textColour)
        .Draw(Index.data(TChannelListModel::DescRole).toString());
    Painter->restore();
}

QSize TChannelRowDelegate::sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const
{
    return {QStyledItemDelegate::sizeHint(Option, Index).width(), RowHeight};
}
