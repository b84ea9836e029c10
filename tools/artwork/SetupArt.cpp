#include "SetupArt.h"

#include "ButtonArt.h"
#include "Canvas.h"
#include "Noise.h"
#include "TextureArt.h"

#include <cmath>
#include <cstdint>

namespace {

// Every length below is in pixels of the picture at scale 1; a pixel of a larger picture
// is sampled at its centre in those units.
struct CScaled {
    int scale;
    double Unit(int pixel) const { return (pixel + 0.5) / scale; }
    int Pixels(double units) const { return static_cast<int>(std::lround(units * scale)); }
};

// Lays a picture with straight alpha over the canvas, its top left corner at (left, top).
void PaintPicture(CCanvas& canvas, const CRaster& picture, int left, int top) {
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t word = picture.words[static_cast<std::size_t>(y * picture.width + x)];
            if (word >> 24)
                canvas.Over(left + x, top + y, Rgb(word & 0xFFFFFF, (word >> 24) / 255.0));
        }
}

// The program's flame, `size` units high, centred on (cx, cy), over a warm glow.
void PaintFlame(CCanvas& canvas, const CScaled& s, double cx, double cy, double size,
                double glowRadius, double glowAlpha) {
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const double r = std::hypot(s.Unit(x) - cx, s.Unit(y) - cy) / glowRadius;
            canvas.Over(x, y, Rgb(0xFF8A2A, glowAlpha * std::exp(-r * r)));
        }
    const int pixels = s.Pixels(size);
    PaintPicture(canvas, MakeFlamePicture(pixels), s.Pixels(cx) - pixels / 2,
                 s.Pixels(cy) - pixels / 2);
}

// A band of flames standing on the row `base`, their tips up to `tall` units above it,
// fading in from the left between fadeFrom and fadeTo units.
void PaintFireBand(CCanvas& canvas, const CScaled& s, double base, double tall, double fadeFrom,
                   double fadeTo) {
    const CTileNoise tongues(0x2B7E1516u), flicker(0x28AED2A6u);
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const double u = s.Unit(x), v = s.Unit(y);
            if (v > base)
                continue;
            const double wave = 0.55 + 0.2 * std::sin(u * 0.21 + 1) + 0.12 * std::sin(u * 0.53 + 2);
            const double height = tall * (wave + 0.35 * (tongues.At(u * 0.12, 0, 4096, 1) - 0.5));
            const double rise =
                (base - v) / height + 0.3 * (flicker.At(u * 0.18, v * 0.1, 4096, 4096) - 0.5);
            const double fade = SmoothStep(fadeFrom, fadeTo, u);
            CColour flame = EmberColour(1 - rise);
            flame.a = fade * SmoothStep(1.0, 0.75, rise);
            canvas.Over(x, y, flame);
            // The glow the fire casts on what lies above it.
            canvas.Over(x, y, Rgb(0xFF6A1A, 0.22 * fade * std::exp(-(base - v) / tall)));
        }
}

// A sky from deep blue at the top to a dusk lit by the fire near the bottom.
void PaintSky(CCanvas& canvas, const CScaled& s, double height) {
    for (int y = 0; y < canvas.height; ++y) {
        const double t = s.Unit(y) / height;
        const CColour sky = t < 0.65 ? Mix(Rgb(0x040918), Rgb(0x141A44), t / 0.65)
                                     : Mix(Rgb(0x141A44), Rgb(0x3A1630), (t - 0.65) / 0.35);
        for (int x = 0; x < canvas.width; ++x)
            canvas.Over(x, y, sky);
    }
}

// Stars in the upper sky: one in some of the cells of a grid, each at its own place and
// brightness, all from a hash so that every build draws the same sky.
void PaintStars(CCanvas& canvas, const CScaled& s, double bottom) {
    const CTileNoise hash(0x9E3779B9u);
    constexpr double kCell = 9;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const double u = s.Unit(x), v = s.Unit(y);
            const int cx = static_cast<int>(u / kCell), cy = static_cast<int>(v / kCell);
            const double chance = hash.At(cx * 1.0, cy * 1.0, 4096, 4096);
            if (v > bottom || chance > 0.3)
                continue;
            const double sx = (cx + 0.2 + 0.6 * hash.At(cx + 0.0, cy + 2000.0, 4096, 4096)) * kCell;
            const double sy = (cy + 0.2 + 0.6 * hash.At(cx + 2000.0, cy + 0.0, 4096, 4096)) * kCell;
            const double r = std::hypot(u - sx, v - sy);
            const double brightness = 0.35 + 0.65 * chance / 0.3;
            canvas.Over(x, y, Rgb(0xE8F0FF, brightness * SmoothStep(0.9, 0.2, r)));
        }
}

// Curtains of northern lights: each stands on a wavy line, sharp below it and rising in
// rays above it, green at the line and violet high up.
void PaintAurora(CCanvas& canvas, const CScaled& s) {
    const CTileNoise rays(0x6A09E667u);
    const struct {
        double line, swing, frequency, phase, alpha;
    } kCurtains[] = {{70, 10, 0.045, 0.6, 0.7}, {104, 6, 0.06, 2.4, 0.45}};
    for (const auto& curtain : kCurtains)
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x) {
                const double u = s.Unit(x);
                const double line =
                    curtain.line + curtain.swing * std::sin(u * curtain.frequency + curtain.phase);
                const double above = line - s.Unit(y);
                const double ray = 0.3 + 0.7 * rays.At(u * 0.4, curtain.phase, 4096, 64);
                const double glow =
                    above < 0 ? std::exp(-above * above / 6) : ray * std::exp(-above / 30);
                CColour light = Mix(Rgb(0x8CFFC0), Rgb(0x9A60FF), SmoothStep(4, 60, above));
                light.a = curtain.alpha * glow;
                canvas.Over(x, y, light);
            }
}

void PaintTaskbar(CCanvas& canvas, const CScaled& s, double top) {
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) {
            const double v = s.Unit(y);
            if (v > top)
                canvas.Over(x, y, v < top + 1 ? Rgb(0x4A505C) : Rgb(0x1C1F26));
        }
}

} // namespace

CRaster MakeWelcomePicture(int scale) {
    const CScaled s{scale};
    constexpr double kWidth = 164, kHeight = 314, kTaskbar = 300;
    CCanvas canvas(s.Pixels(kWidth), s.Pixels(kHeight));
    PaintSky(canvas, s, kHeight);
    PaintStars(canvas, s, 150);
    PaintAurora(canvas, s);
    PaintFlame(canvas, s, kWidth / 2, 176, 88, 46, 0.45);
    PaintFireBand(canvas, s, kTaskbar, 34, -1, 0);
    PaintTaskbar(canvas, s, kTaskbar);
    return canvas.ToRaster();
}

CRaster MakeHeaderPicture(int scale) {
    const CScaled s{scale};
    constexpr double kWidth = 150, kHeight = 57;
    CCanvas canvas(s.Pixels(kWidth), s.Pixels(kHeight));
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            canvas.Over(x, y, Rgb(0xFFFFFF));
    PaintFireBand(canvas, s, kHeight, 16, 30, 100);
    PaintFlame(canvas, s, 120, 27, 44, 24, 0.35);
    return canvas.ToRaster();
}
