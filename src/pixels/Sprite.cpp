#include "Sprite.h"

TMxSprite::TMxSprite(int width, int height, TPixel backgroundColor)
    : FBackgroundColor(backgroundColor), FWidth(width), FHeight(height)
{
}

TMxCel &TMxSprite::AddCel()
{
    auto cel = std::make_unique<TMxCel>(FWidth, FHeight);
    cel->Bitmap.Fill(FBackgroundColor);
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
        auto cel = std::make_unique<TMxCel>(copy->FWidth, copy->FHeight);
        cel->Disposal = sourceCel->Disposal;
        cel->Delay = sourceCel->Delay;
        cel->Bitmap.Fill(copy->FBackgroundColor);
        sourceCel->Bitmap.DrawOpaqueTo(cel->Bitmap, 0, 0);
        cel->Bitmap.MakeTransparent();
        copy->FCels.push_back(std::move(cel));
    }
    return copy;
}
