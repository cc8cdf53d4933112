// The channel browser's rows: LIST entries ("name users topic" per line, the first byte picks the sort
// mode) into the list model, kept in order while inserted and after a re-sort, and each row drawn by
// the row delegate with its formatting codes. The model, the delegate and the canvas live for the run.
#include "ChannelListModel.h"
#include "ChannelRowDelegate.h"
#include "FuzzSupport.h"

#include <QImage>
#include <QPainter>
#include <QStyleOptionViewItem>

namespace {
constexpr int DrawnRows = 12;

struct TBrowserRows {
    TChannelListModel Model;
    TChannelRowDelegate Delegate;
    QImage Canvas{640, TChannelRowDelegate::RowHeight, QImage::Format_RGB32};
};

TBrowserRows &Rows()
{
    static TBrowserRows *rows = new TBrowserRows;
    return *rows;
}

bool InOrder(const TChannelInfo &before, const TChannelInfo &after, TChannelSort sort)
{
    switch (sort) {
    case TChannelSort::ByChannel:
        return !(after.ChannelName < before.ChannelName);
    case TChannelSort::ByDescription:
        return !(after.Desc < before.Desc);
    case TChannelSort::ByUsers:
        return !(after.Users > before.Users);
    }
    return false;
}

void CheckOrder(const TChannelListModel &model, TChannelSort sort)
{
    for (int row = 1; row < model.rowCount(); ++row)
        if (!InOrder(model.Entry(row - 1), model.Entry(row), sort))
            __builtin_trap();
}

void DrawRows(TBrowserRows &rows)
{
    QPainter painter(&rows.Canvas);
    QStyleOptionViewItem option;
    option.rect = rows.Canvas.rect();
    for (int row = 0; row < std::min(rows.Model.rowCount(), DrawnRows); ++row) {
        option.state = row % 2 == 0 ? QStyle::State_Enabled : QStyle::State_Selected;
        rows.Delegate.paint(&painter, option, rows.Model.index(row));
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    EnsureApplication();
    Rows();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    DeliverPostedEvents();
    TBrowserRows &rows = Rows();
    rows.Model.Clear();
    const auto sort = static_cast<TChannelSort>(data[0] % 3);
    for (const QString &line : FuzzText(data + 1, size - 1).split(u'\n')) {
        const QString name = line.section(u' ', 0, 0);
        const int users = line.section(u' ', 1, 1).toInt();
        const QString topic = WithoutModePrefix(line.section(u' ', 2));
        rows.Model.Insert(TChannelInfo{name, topic, QString(), users}, sort);
        Touch(rows.Model.FindName(name) != nullptr);
    }
    CheckOrder(rows.Model, sort);
    const auto other = static_cast<TChannelSort>((data[0] + 1) % 3);
    rows.Model.Sort(other);
    CheckOrder(rows.Model, other);
    for (int row = 0; row < rows.Model.rowCount(); ++row)
        Touch(rows.Model.data(rows.Model.index(row)).toString());
    DrawRows(rows);
    return 0;
}
