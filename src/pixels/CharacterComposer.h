#pragma once
// Composes the sprite of one character in one pass per cel: the body's rows recoloured on their way into
// the new cel, then the head (the five layers over each other, composed and recoloured once per head
// pose) laid over it at the cel's offset. The result is what copying the body, drawing the five layers
// onto every cel and then replacing the key colours pixel by pixel would give.
#include "Sprite.h"

#include <array>
#include <memory>

// The colours the artwork paints for recolouring: skin, skin shade, hair, hair shade, facial hair,
// shirt, shirt shade, pants, pants shade, dress, dress shade, shoes, shoes shade.
inline constexpr std::array<TPixel, 13> KeyColours = {0xFFCC99, 0xCC9966, 0xFFFF00, 0xFF9900, 0x660000,
                                                      0xFF0000, 0xCC0000, 0x99CCFF, 0x9966FF, 0x993399,
                                                      0x660099, 0xFF99FF, 0xFF00CC};
using TKeyReplacements = std::array<TPixel, KeyColours.size()>;

// layers: body, face, facial hair, hair, accessory, hat; replacements[i] stands in for KeyColours[i].
// The sprite's cels come from pool and return to it when the sprite is freed.
std::unique_ptr<TMxSprite> ComposeCharacter(const std::array<const TMxSprite *, 6> &layers,
                                            const TKeyReplacements &replacements,
                                            const std::weak_ptr<TMxCelPool> &pool);
