#include "Banner.h"

#include <algorithm>

#include <QDesktopServices>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>

#include "Bitmap.h"
#include "ChattleError.h"
#include "ErrorHook.h"
#include "JpegDecoder.h"
#include "ProductInfo.h"

namespace {
QImage LoadJpeg(const QString &path)
{
    const TDecodedPicture picture = DecodeJpeg(TMxBitmap::ReadPictureFile(path), TMxBitmap::MaxLoadSide);
    QImage image(picture.Width, picture.Height, QImage::Format_RGB32);
    for (int y = 0; y < picture.Height; ++y)
        std::copy_n(picture.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.Width, picture.Width,
                    reinterpret_cast<std::uint32_t *>(image.scanLine(y)));
    return image;
}
} // namespace

TBanner::TBanner(QWidget *Parent)
    : QWidget(Parent), FRotateTimer(new QTimer(this)), FCountTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("AdImage1"));
    setFixedSize(BannerWidth, BannerHeight);
    setCursor(Qt::PointingHandCursor);
    setToolTip(MakerWebAddress);
    FRotateTimer->setInterval(RotateMilliseconds);
    FCountTimer->setInterval(CountedMilliseconds);
    FCountTimer->setSingleShot(true);
    connect(FRotateTimer, &QTimer::timeout, this, [this] { RunGuarded([this] { RotateTick(); }); });
    connect(FCountTimer, &QTimer::timeout, this, [this] { RunGuarded([this] { CountTick(); }); });
}

void TBanner::LoadBanners(const QString &ArtworkDir)
{
    FBanners.clear();
    for (int number = 1;; ++number) {
        const QString path = ArtworkDir + QStringLiteral("/banner%1.jpg").arg(number);
        if (!QFile::exists(path))
            break;
        try {
            FBanners << LoadJpeg(path);
        } catch (const EFileError &) {
            // A broken banner is left out; the others still rotate.
        }
    }
    FCurrent = 0;
    if (isVisible())
        StartDisplay();
    update();
}

void TBanner::StartDisplay()
{
    FCounted = false;
    FRotateTimer->start();
    FCountTimer->start();
}

void TBanner::RotateTick()
{
    if (FBanners.size() > 1)
        FCurrent = (FCurrent + 1) % static_cast<int>(FBanners.size());
    StartDisplay();
    update();
}

void TBanner::CountTick()
{
    if (FCounted || FBanners.isEmpty())
        return;
    FCounted = true;
    if (OnCounted)
        OnCounted(this, ProgramID);
}

void TBanner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (FCurrent < FBanners.size()) {
        painter.drawImage(rect(), FBanners[FCurrent]);
        return;
    }
    // No banner pictures: the maker's address on a quiet strip.
    painter.fillRect(rect(), QColor(0xee, 0xf2, 0xf8));
    painter.setPen(QColor(0x1f, 0x4e, 0x9c));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect(), Qt::AlignCenter, ProductName + QStringLiteral(" - ") + MakerWebAddress);
}

void TBanner::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        QDesktopServices::openUrl(QUrl(MakerWebAddress));
}

void TBanner::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!FRotateTimer->isActive())
        StartDisplay();
}

void TBanner::hideEvent(QHideEvent *event)
{
    // A banner nobody can see is not counted; it starts afresh when shown again.
    FRotateTimer->stop();
    FCountTimer->stop();
    QWidget::hideEvent(event);
}
