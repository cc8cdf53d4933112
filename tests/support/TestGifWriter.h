#pragma once
// Writes small GIF files for the tests with giflib's encoder, and hand-made byte strings for the
// broken ones the encoder refuses to produce.
#include <QByteArray>
#include <QRgb>
#include <cstdint>
#include <vector>

struct TTestGifFrame {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Indices; // Width x Height, row-major
    bool HasControl = true;            // a graphic control extension before the image
    int DelayCentiseconds = 0;
    int Disposal = 1;
    bool Interlace = false;            // rows are then written in the four-pass order
    std::vector<QRgb> LocalColours;    // a power of two entries, or empty for none
};

struct TTestGif {
    int Width = 0;
    int Height = 0;
    std::vector<QRgb> GlobalColours; // a power of two entries, or empty for none
    int BackgroundIndex = 0;
    std::vector<TTestGifFrame> Frames;
};

QByteArray WriteTestGif(const TTestGif &gif);

// A frame of one colour index.
TTestGifFrame SolidFrame(int left, int top, int width, int height, std::uint8_t index);

// A GIF89a header with a two-colour global table and the given logical screen, one image descriptor
// of the given size at (0, 0) with the data of a single pixel, and the trailer.
QByteArray HandMadeGif(int screenWidth, int screenHeight, int imageWidth, int imageHeight);
