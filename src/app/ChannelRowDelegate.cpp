#include "ChannelRowDelegate.h"

#include <QPainter>
#include <optional>

#include "ChannelListModel.h"
#include "IRCTextStyle.h"

namespace {
constexpr int ColumnGap = 4;

// Draws a description run by run along one baseline, following its formatting codes.
class TDescriptionPainter {
public:
    TDescriptionPainter(QPainter &painter, const QRect &row, int x, int baseline, const QColor &text, const QColor &back)
        : FPainter(painter), FRow(row), FX(x), FBaseline(baseline), FFont(painter.font()), FText(text.rgb() & 0xFFFFFF),
          FBack(back.rgb() & 0xFFFFFF)
    {
    }

    void Draw(const QString &desc)
    {
        WalkIrcStyledText(desc, [this](const QString &run, const TIrcTextStyle &style) { DrawRun(run, style); });
    }

private:
    void DrawRun(const QString &run, const TIrcTextStyle &style)
    {
        if (FX > FRow.right())
            return;
        QFont font = FFont;
        font.setBold(style.Bold);
        font.setUnderline(style.Underline);
        font.setItalic(style.Italic);
        font.setStrikeOut(style.Strikethrough);
        if (style.Monospace) {
            font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("monospace")});
            font.setStyleHint(QFont::Monospace);
        }
        FPainter.setFont(font);
        const int width = FPainter.fontMetrics().horizontalAdvance(run);
        const TIrcTextStyle::TShown shown = style.Shown(FText, FBack);
        if (shown.Background)
            FPainter.fillRect(QRect(FX, FRow.top(), width, FRow.height()), QColor::fromRgb(*shown.Background));
        FPainter.setPen(QColor::fromRgb(shown.Text));
        FPainter.drawText(QPoint(FX, FBaseline), run);
        FX += width;
    }

    QPainter &FPainter;
    QRect FRow;
    int FX;
    int FBaseline;
    QFont FFont;
    std::uint32_t FText;
    std::uint32_t FBack;
};
} // namespace

void TChannelRowDelegate::paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const
{
    const QRect row = Option.rect;
    const bool selected = Option.state & QStyle::State_Selected;
    const QColor textColour = Option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor backColour = Option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
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
    TDescriptionPainter(*Painter, row, row.left() + descX, baseline, textColour, backColour)
        .Draw(Index.data(TChannelListModel::DescRole).toString());
    Painter->restore();
}

QSize TChannelRowDelegate::sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const
{
    return {QStyledItemDelegate::sizeHint(Option, Index).width(), RowHeight};
}
