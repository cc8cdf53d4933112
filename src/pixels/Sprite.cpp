#include "Sprite.h"

std::unique_ptr<TMxCel> TMxCelPool::Take(int width, int height)
{
    for (auto it = FCels.rbegin(); it != FCels.rend(); ++it) {
        const TMxBitmap &bitmap = (*it)->Bitmap;
        if (bitmap.Width() != width || bitmap.Height() != height)
            continue;
        std::unique_ptr<TMxCel> cel = std::move(*it);
        FCels.erase(std::next(it).base());
        cel->Bitmap.SetTransparent(false);
        cel->Bitmap.SetTransparentColor(0);
        return cel;
    }
    return std::make_unique<TMxCel>(width, height, TMxUnfilled{});
}

void TMxCelPool::Give(std::vector<std::unique_ptr<TMxCel>> &cels)
{
    for (std::unique_ptr<TMxCel> &cel : cels)
        if (FCels.size() < FCapacity && cel->Bitmap.Unrealized())
            FCels.push_back(std::move(cel));
}

TMxSprite::TMxSprite(int width, int height, TPixel backgroundColor)
    : FBackgroundColor(backgroundColor), FWidth(width), FHeight(height)
{
}

TMxSprite::TMxSprite(int width, int height, TPixel backgroundColor, std::weak_ptr<TMxCelPool> pool)
    : FBackgroundColor(backgroundColor), FWidth(width), FHeight(height), FPool(std::move(pool))
{
}

TMxSprite::~TMxSprite()
{
    if (const std::shared_ptr<TMxCelPool> pool = FPool.lock())
        pool->Give(FCels);
}

TMxCel &TMxSprite::AddCel()
{
    TMxCel &cel = AddUnfilledCel();
    cel.Bitmap.Fill(FBackgroundColor);
    return cel;
}

TMxCel &TMxSprite::AddUnfilledCel()
{
    const std::shared_ptr<TMxCelPool> pool = FPool.lock();
    std::unique_ptr<TMxCel> cel = pool ? pool->Take(FWidth, FHeight) : std::make_unique<TMxCel>(FWidth, FHeight, TMxUnfilled{});
    cel->Disposal = 2;
    cel->Delay = DefaultDelay;
    FCels.push_back(std::move(cel));
    return *FCels.back();
}

std::unique_ptr<TMxSprite> TMxSprite::CreateCopy(const TMxSprite &source)
{
    auto copy = std::make_unique<TMxSprite>(source.FWidth, source.FHeight, source.FBackgroundColor);
    copy->DefaultDelay = source.DefaultDelay;
    copy->CurrentIndex = 0;
    copy->FCels.reserve(source.FCels.size());
    for (const auto &sourceCel : source.FCels) {
        const TMxBitmap &from = sourceCel->Bitmap;
        // A source cel of the sprite's size covers every pixel of the copy.
        TMxCel &cel = from.Width() == copy->FWidth && from.Height() == copy->FHeight ? copy->AddUnfilledCel() : copy->AddCel();
        cel.Disposal = sourceCel->Disposal;
        cel.Delay = sourceCel->Delay;
        from.DrawOpaqueTo(cel.Bitmap, 0, 0);
        cel.Bitmap.MakeTransparent();
    }
    return copy;
}
