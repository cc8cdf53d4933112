#pragma once
// The 468 x 60 banner strip of the main window: shows Chattle's own banners (banner1.jpg,
// banner2.jpg, ... from the artwork folder) in turn, counts every banner that stayed up long enough,
// and opens the maker's web site when clicked.
#include <QImage>
#include <QList>
#include <QWidget>
#include <functional>

class QTimer;

class TBanner : public QWidget {
    Q_OBJECT
public:
    static constexpr int BannerWidth = 468;
    static constexpr int BannerHeight = 60;
    static constexpr int RotateMilliseconds = 30000;
    // A banner counts once it has been shown this long.
    static constexpr int CountedMilliseconds = 5000;

    explicit TBanner(QWidget *Parent = nullptr);

    // Loads banner1.jpg, banner2.jpg, ... until one is missing; unreadable ones are skipped.
    void LoadBanners(const QString &ArtworkDir);
    int BannerCount() const { return static_cast<int>(FBanners.size()); }
    int CurrentBanner() const { return FCurrent; }

    // Reported with every counted display.
    int ProgramID = 0;
    std::function<void(QObject *Sender, int ProgramID)> OnCounted;

    // Timer ticks: the next banner, and the current one having stayed up long enough.
    void RotateTick();
    void CountTick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void StartDisplay();

    QList<QImage> FBanners;
    int FCurrent = 0;
    bool FCounted = false;
    QTimer *FRotateTimer;
    QTimer *FCountTimer;
};
