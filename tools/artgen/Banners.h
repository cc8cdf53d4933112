#pragma once
// The three 468 x 60 house banners (banner1.jpg .. banner3.jpg) for the main window's banner strip.
#include "PartSet.h"

#include <QImage>
#include <vector>

std::vector<QImage> DrawBanners(const TPartSet &parts);
