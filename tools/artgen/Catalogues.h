#pragma once
// The part catalogues: one 64 x 64 thumbnail cel per variant, in variant order.
#include "PartSet.h"

TCels DrawCatalogue(const TPartSet &parts, EPartKind kind);
