#pragma once
// Turns an animated GIF into a sprite: every image is drawn over the accumulated picture and each cel
// holds the complete picture as it looks at that frame.
#include "Sprite.h"

#include <QByteArray>
#include <QString>
#include <memory>

// Refusal limits, checked before anything is allocated for the picture: a logical screen or an image
// larger than TMxBitmap::MaxLoadSide either way, more than MaxGifImages images, or cels that would
// hold more than MaxGifCelPixels pixels in all.
constexpr int MaxGifImages = 1024;
constexpr long long MaxGifCelPixels = 64LL * 1024 * 1024;

// Throws EFileError when the file is missing, malformed or beyond the limits; no sprite results.
std::unique_ptr<TMxSprite> LoadSpriteFromGIF(const QString &path);
// The same for GIF bytes already in memory.
std::unique_ptr<TMxSprite> LoadSpriteFromGIFData(const QByteArray &data);
