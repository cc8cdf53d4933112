#pragma once
// The application icon: a character's head in a speech bubble, on a transparent square.
#include "PartSet.h"

#include <QImage>

// The sizes the desktop's icon theme gets, in pixels.
constexpr int AppIconSizes[] = {48, 128, 256};

QImage DrawAppIcon(const TPartSet &parts, int size);
