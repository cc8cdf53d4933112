#include "Banners.h"

#include "PixelFont.h"
#include "Raster.h"
#include "Scenes.h"

namespace {

QImage BannerBase(QRgb left, QRgb right)
{
    QImage banner(468, 60, QImage::Format_RGB32);
    for (int x = 0; x < 468; ++x) {
        const double t = x / 467.0;
        const QRgb c = qRgb(qRound(qRed(left) + (qRed(right) - qRed(left)) * t),
                            qRound(qGreen(left) + (qGreen(right) - qGreen(left)) * t),
                            qRound(qBlue(left) + (qBlue(right) - qBlue(left)) * t));
        Raster::FillRect(banner, x, 0, x, 59, c);
    }
    Raster::FillRect(banner, 0, 0, 467, 1, 0x2A1C1C);
    Raster::FillRect(banner, 0, 58, 467, 59, 0x2A1C1C);
    Raster::FillRect(banner, 0, 0, 1, 59, 0x2A1C1C);
    Raster::FillRect(banner, 466, 0, 467, 59, 0x2A1C1C);
    return banner;
}

void Headline(QImage &banner, int x, const QString &title, const QString &subtitle)
{
    DrawPixelText(banner, x + 2, 10, title, 0x2A1C1C, 2);
    DrawPixelText(banner, x, 8, title, 0xFFFFFF, 2);
    DrawPixelText(banner, x + 1, 37, subtitle, 0x2A1C1C, 1);
    DrawPixelText(banner, x, 36, subtitle, 0xFFF4B0, 1);
}

TLook Look(int body, QRgb skin, QRgb hair, QRgb shirt, QRgb pants, QRgb dress, QRgb shoes)
{
    TLook look;
    if (body > 0)
        for (int kind = 0; kind < PartKinds; ++kind)
            look.Variant[kind] = GroupStartOf(EPartKind(kind));
    look.Variant[PartBody] = body;
    look.Skin = skin;
    look.Hair = hair;
    look.Shirt = shirt;
    look.Pants = pants;
    look.Dress = dress;
    look.Shoes = shoes;
    return look;
}

// A character's cel with its feet on the banner's floor line (y 52).
void Character(QImage &banner, const TPartSet &parts, const TLook &look, int cel, int x)
{
    Raster::Over(banner, ComposeCharacter(parts, look, cel), x, 52 - 54);
}

} // namespace

std::vector<QImage> DrawBanners(const TPartSet &parts)
{
    std::vector<QImage> banners;
    const TLook man = Look(0, 0xFFCC99, 0x663300, 0x3A7AD0, 0x4A4A5A, 0, 0x553311);
    TLook woman = Look(1, 0xE8B890, 0xAA4411, 0, 0, 0xD05080, 0x882244);
    woman.Variant[PartHair] = 7;

    QImage walk = BannerBase(0xF08A3C, 0xE0507A);
    Character(walk, parts, man, 57, 8);
    Character(walk, parts, woman, 54, 8 + 36);
    Headline(walk, 124, "WALK, WAVE AND SHAKE HANDS!", "CHATTLE - MEET EVERYONE IN THE ROOM FACE TO FACE");
    banners.push_back(walk);

    QImage make = BannerBase(0x3A9AD0, 0x7A5AC8);
    Headline(make, 14, "MAKE YOUR OWN CHARACTER", "PICK A BODY, HAIR AND FACE, THEN ALL THE COLOURS");
    TLook third = Look(0, 0xC89060, 0x222222, 0xF0C030, 0x3A8A4A, 0, 0x222222);
    third.Variant[PartHair] = 2;
    third.Variant[PartHat] = 2;
    TLook fourth = Look(2, 0xFFD8B0, 0xFFEE66, 0x60C0A0, 0, 0x406080, 0xC03030);
    fourth.Variant[PartHair] = 8;
    Character(make, parts, man, 0, 316);
    Character(make, parts, woman, 43, 352);
    Character(make, parts, third, 4, 388);
    Character(make, parts, fourth, 50, 416);
    banners.push_back(make);

    QImage rooms = BannerBase(0x4AA86A, 0x2A8AA0);
    Headline(rooms, 14, "OPEN YOUR OWN ROOM", "A MANOR, A LIVING ROOM OR THE BEACH");
    const QImage scenes[] = {DrawManor(), DrawLivingRoom(), DrawBeach()};
    for (int i = 0; i < 3; ++i) {
        const QImage thumbnail = scenes[i].scaled(60, 40, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const int x = 262 + i * 68;
        Raster::FillRect(rooms, x - 2, 8, x + 61, 49, 0xFFFFFF);
        Raster::Over(rooms, thumbnail.convertToFormat(QImage::Format_ARGB32), x, 9);
    }
    banners.push_back(rooms);
    return banners;
}
