#pragma once

// Colour science for checking palettes: sRGB to CIELAB (D65), colour-vision
// deficiency simulation and the CIEDE2000 colour difference. Std only.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace talviro6::testing {

struct Lab {
    double L = 0;
    double a = 0;
    double b = 0;
};

using Linear = std::array<double, 3>; ///< linear-light R, G, B, 0 ... 1
using Matrix = std::array<std::array<double, 3>, 3>;

inline double decodeSrgb(std::uint8_t v)
{
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline Linear toLinear(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return {decodeSrgb(r), decodeSrgb(g), decodeSrgb(b)};
}

/// How a viewer with a deficiency sees a linear colour; clipped to the gamut as a screen would.
inline Linear simulate(const Matrix &m, const Linear &c)
{
    Linear out{};
    for (std::size_t i = 0; i < 3; ++i)
        out[i] = std::clamp(m[i][0] * c[0] + m[i][1] * c[1] + m[i][2] * c[2], 0.0, 1.0);
    return out;
}

/// Machado, Oliveira and Fernandes (2009), severity 1.0, applied to linear RGB.
inline constexpr Matrix NormalVision{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
inline constexpr Matrix Protanopia{
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
inline constexpr Matrix Deuteranopia{
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};
inline constexpr Matrix Tritanopia{
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}};

inline Lab toLab(const Linear &c)
{
    // sRGB primaries to XYZ, D65 white.
    const double x = 0.4124564 * c[0] + 0.3575761 * c[1] + 0.1804375 * c[2];
    const double y = 0.2126729 * c[0] + 0.7151522 * c[1] + 0.0721750 * c[2];
    const double z = 0.0193339 * c[0] + 0.1191920 * c[1] + 0.9503041 * c[2];
    const auto f = [](double t) {
        constexpr double e = 216.0 / 24389.0;
        constexpr double k = 24389.0 / 27.0;
        return t > e ? std::cbrt(t) : (k * t + 16.0) / 116.0;
    };
    const double fx = f(x / 0.95047);
    const double fy = f(y / 1.0);
    const double fz = f(z / 1.08883);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

/// CIEDE2000 with kL = kC = kH = 1, as Sharma, Wu and Dalal (2005) give it.
inline double deltaE2000(const Lab &p, const Lab &q)
{
    constexpr double Pi = 3.14159265358979323846;
    const auto deg = [](double rad) { return rad * 180.0 / Pi; };
    const auto rad = [](double d) { return d * Pi / 180.0; };
    const double pow25to7 = 6103515625.0; // 25^7

    const double c1 = std::hypot(p.a, p.b);
    const double c2 = std::hypot(q.a, q.b);
    const double cMean7 = std::pow((c1 + c2) / 2.0, 7.0);
    const double g = 0.5 * (1.0 - std::sqrt(cMean7 / (cMean7 + pow25to7)));
    const double a1 = (1.0 + g) * p.a;
    const double a2 = (1.0 + g) * q.a;
    const double cp1 = std::hypot(a1, p.b);
    const double cp2 = std::hypot(a2, q.b);
    const auto hue = [&](double b, double a) {
        if (b == 0 && a == 0)
            return 0.0;
        const double h = deg(std::atan2(b, a));
        return h < 0 ? h + 360.0 : h;
    };
    const double h1 = hue(p.b, a1);
    const double h2 = hue(q.b, a2);

    const double dL = q.L - p.L;
    const double dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        if (dh > 180)
            dh -= 360;
        else if (dh < -180)
            dh += 360;
    }
    const double dH = 2.0 * std::sqrt(cp1 * cp2) * std::sin(rad(dh / 2.0));

    const double lMean = (p.L + q.L) / 2.0;
    const double cpMean = (cp1 + cp2) / 2.0;
    double hMean = h1 + h2;
    if (cp1 * cp2 != 0) {
        if (std::abs(h1 - h2) <= 180)
            hMean /= 2.0;
        else if (h1 + h2 < 360)
            hMean = (h1 + h2 + 360) / 2.0;
        else
            hMean = (h1 + h2 - 360) / 2.0;
    }
    const double t = 1.0 - 0.17 * std::cos(rad(hMean - 30)) + 0.24 * std::cos(rad(2 * hMean)) +
                     0.32 * std::cos(rad(3 * hMean + 6)) - 0.20 * std::cos(rad(4 * hMean - 63));
    const double dTheta = 30.0 * std::exp(-std::pow((hMean - 275.0) / 25.0, 2.0));
    const double cpMean7 = std::pow(cpMean, 7.0);
    const double rc = 2.0 * std::sqrt(cpMean7 / (cpMean7 + pow25to7));
    const double l50 = (lMean - 50.0) * (lMean - 50.0);
    const double sl = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
    const double sc = 1.0 + 0.045 * cpMean;
    const double sh = 1.0 + 0.015 * cpMean * t;
    const double rt = -std::sin(rad(2.0 * dTheta)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) + rt * (dC / sc) * (dH / sh));
}

} // namespace talviro6::testing
