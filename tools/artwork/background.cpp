#include "tools/artwork/background.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace artwork {
namespace {

// Colours as red, green, blue levels 0 to 255, kept in doubles while the light adds up.
struct Rgb {
    double r, g, b;
};

constexpr Rgb kLightCorner{30, 80, 190};  // top left, behind the display
constexpr Rgb kDarkCorner{4, 12, 60};     // bottom right
constexpr Rgb kWaveLight{90, 170, 255};
constexpr Rgb kCircleLight{120, 190, 255};

// A small linear congruential generator, so that the circles are the same on every machine
// and with every standard library.
class Lcg {
  public:
    explicit Lcg(uint32_t seed) : state_(seed) {}
    // A number in [low, high).
    double Next(double low, double high) {
        state_ = state_ * 1664525u + 1013904223u;
        return low + (high - low) * (state_ >> 8) / static_cast<double>(1u << 24);
    }

  private:
    uint32_t state_;
};

struct Wave {
    double centre, amplitude, wavelength, phase, halfWidth, strength;
};

constexpr Wave kWaves[] = {
    {120, 40, 610, 0.4, 26, 0.30},
    {230, 55, 480, 2.1, 40, 0.22},
    {330, 30, 390, 4.0, 18, 0.28},
};

struct Circle {
    double x, y, radius, strength;
};

std::vector<Circle> Circles() {
    Lcg random(0x7A51C0DE);
    std::vector<Circle> circles;
    for (int i = 0; i < 11; ++i) {
        const double x = random.Next(0, kBackgroundWidth);
        const double y = random.Next(0, kBackgroundHeight);
        const double radius = random.Next(30, 140);
        const double strength = random.Next(0.06, 0.20);
        circles.push_back({x, y, radius, strength});
    }
    return circles;
}

uint32_t Level(double value) {
    return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

}  // namespace

platform::Image BackgroundImage() {
    const std::vector<Circle> circles = Circles();
    platform::Image image{kBackgroundWidth, kBackgroundHeight, {}};
    image.pixels.reserve(static_cast<size_t>(kBackgroundWidth) * kBackgroundHeight);
    for (int32_t y = 0; y < kBackgroundHeight; ++y) {
        for (int32_t x = 0; x < kBackgroundWidth; ++x) {
            const double t =
                std::clamp(0.55 * x / kBackgroundWidth + 0.45 * y / kBackgroundHeight, 0.0, 1.0);
            Rgb colour{kLightCorner.r + (kDarkCorner.r - kLightCorner.r) * t,
                       kLightCorner.g + (kDarkCorner.g - kLightCorner.g) * t,
                       kLightCorner.b + (kDarkCorner.b - kLightCorner.b) * t};
            // Light mixes towards its colour: c + (light - c) * amount.
            auto shine = [&colour](const Rgb& light, double amount) {
                amount = std::clamp(amount, 0.0, 1.0);
                colour.r += (light.r - colour.r) * amount;
                colour.g += (light.g - colour.g) * amount;
                colour.b += (light.b - colour.b) * amount;
            };
            for (const Wave& wave : kWaves) {
                const double crest =
                    wave.centre +
                    wave.amplitude *
                        std::sin(2 * std::numbers::pi * x / wave.wavelength + wave.phase);
                const double d = (y - crest) / wave.halfWidth;
                shine(kWaveLight, wave.strength * std::exp(-d * d));
            }
            for (const Circle& circle : circles) {
                const double d = std::hypot(x - circle.x, y - circle.y) / circle.radius;
                // A disc with a soft rim and a faint halo beyond it.
                const double disc = std::clamp((1.0 - d) * 6, 0.0, 1.0);
                const double halo = std::exp(-4 * (d - 1) * (d - 1));
                shine(kCircleLight, circle.strength * (0.7 * disc + 0.5 * halo));
            }
            image.pixels.push_back(0xFF000000 | Level(colour.b) << 16 | Level(colour.g) << 8 |
                                   Level(colour.r));
        }
    }
    return image;
}

std::vector<uint8_t> BackgroundFile() {
    return platform::ValueOrThrow(platform::EncodeJpeg(BackgroundImage(), 90));
}

}  // namespace artwork
