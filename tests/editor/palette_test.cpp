// The colours of the map, the servo curve and the charts, as a tuner with normal
// vision and one with each common colour-vision deficiency sees them: the colours
// that mean different things stay apart by a CIEDE2000 difference of at least 10.
#include "editor/palette.h"
#include "support/colour_vision.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

Lab seen(const Matrix &vision, palette::Rgb c)
{
    return toLab(simulate(vision, toLinear(c.red, c.green, c.blue)));
}

TEST(ColourDifference, MatchesThePublishedCiede2000Pairs)
{
    // Sharma, Wu and Dalal (2005), table 1: pairs across the hue angle's wrap-around,
    // of opposite hues and from the colour-difference data sets.
    struct Row {
        Lab p, q;
        double deltaE;
    };
    const Row rows[] = {
        {{50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0425},
        {{50, 3.1571, -77.2803}, {50, 0, -82.7485}, 2.8615},
        {{50, 2.8361, -74.0200}, {50, 0, -82.7485}, 3.4412},
        {{50, -1.3802, -84.2814}, {50, 0, -82.7485}, 1.0000},
        {{50, 0, 0}, {50, -1, 2}, 2.3669},
        {{50, 2.49, -0.001}, {50, -2.49, 0.0009}, 7.1792},
        {{50, 2.49, -0.001}, {50, -2.49, 0.0011}, 7.2195},
        {{50, -0.001, 2.49}, {50, 0.0009, -2.49}, 4.8045},
        {{50, 2.5, 0}, {50, 0, -2.5}, 4.3065},
        {{50, 2.5, 0}, {73, 25, -18}, 27.1492},
        {{50, 2.5, 0}, {61, -5, 29}, 22.8977},
        {{50, 2.5, 0}, {56, -27, -3}, 31.9030},
        {{50, 2.5, 0}, {58, 24, 15}, 19.4535},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
        {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
        {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
        {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
        {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
    };
    for (const Row &r : rows) {
        EXPECT_NEAR(deltaE2000(r.p, r.q), r.deltaE, 5e-5) << r.p.L << " " << r.p.a << " " << r.p.b;
        EXPECT_NEAR(deltaE2000(r.q, r.p), r.deltaE, 5e-5) << "swapped";
    }
}

TEST(ColourDifference, SrgbReachesLabAndTheSimulationsKeepGreys)
{
    const Lab white = seen(NormalVision, {255, 255, 255});
    EXPECT_NEAR(white.L, 100.0, 0.01);
    EXPECT_NEAR(white.a, 0.0, 0.01);
    EXPECT_NEAR(white.b, 0.0, 0.01);
    const Lab lime = seen(NormalVision, palette::OperatingPoint);
    EXPECT_NEAR(lime.L, 87.74, 0.05);
    EXPECT_NEAR(lime.a, -86.18, 0.05);
    EXPECT_NEAR(lime.b, 83.18, 0.05);
    // Each deficiency sees a grey as grey: the matrices' rows sum to one.
    for (const Matrix *m : {&Protanopia, &Deuteranopia, &Tritanopia}) {
        const Lab grey = seen(*m, {128, 128, 128});
        EXPECT_NEAR(grey.a, 0.0, 0.5);
        EXPECT_NEAR(grey.b, 0.0, 0.5);
    }
    // Red and green, far apart for normal vision, nearly meet for a deuteranope.
    EXPECT_GT(deltaE2000(seen(NormalVision, {200, 60, 40}), seen(NormalVision, {90, 110, 40})), 30);
    EXPECT_LT(deltaE2000(seen(Deuteranopia, {200, 60, 40}), seen(Deuteranopia, {90, 110, 40})), 10);
}

struct Named {
    std::string name;
    palette::Rgb colour;
};

struct Vision {
    const char *name;
    const Matrix *matrix;
};

const Vision Visions[] = {{"normal", &NormalVision},
                          {"deuteranopia", &Deuteranopia},
                          {"protanopia", &Protanopia},
                          {"tritanopia", &Tritanopia}};

std::vector<Named> shades()
{
    std::vector<Named> out;
    for (int level = 1; level <= DwellMap::ShadeLevels; ++level)
        out.push_back({"shade " + std::to_string(level), palette::dwellShade(level)});
    return out;
}

/// Every colour a trail step can take, in the map's trail and the servo curve's.
std::vector<Named> trail()
{
    std::vector<Named> out;
    for (int length : {static_cast<int>(DwellMap::TrailLength), static_cast<int>(DwellMap::ServoTrailLength)})
        for (int age = 0; age < length; ++age)
            out.push_back(
                {"trail " + std::to_string(age) + "/" + std::to_string(length), palette::dwellTrail(age, length)});
    return out;
}

std::vector<Named> chartRows()
{
    std::vector<Named> out;
    for (std::size_t i = 0; i < palette::ChartRows.size(); ++i)
        out.push_back({"row " + std::to_string(i), palette::ChartRows[i]});
    return out;
}

const Named Lime{"operating point", palette::OperatingPoint};
const Named Background{"background", palette::CellBackground};

using Pairs = std::vector<std::pair<Named, Named>>;

void addAll(Pairs &pairs, const std::vector<Named> &a, const std::vector<Named> &b)
{
    for (const Named &x : a)
        for (const Named &y : b)
            pairs.push_back({x, y});
}

void addEachOther(Pairs &pairs, const std::vector<Named> &a)
{
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = i + 1; j < a.size(); ++j)
            pairs.push_back({a[i], a[j]});
}

/// The smallest difference among `pairs` for each vision must reach `least`.
void expectApart(const char *palette, const Pairs &pairs, double least)
{
    for (const Vision &v : Visions) {
        double smallest = 1e9;
        std::string which;
        for (const auto &[x, y] : pairs) {
            const double d = deltaE2000(seen(*v.matrix, x.colour), seen(*v.matrix, y.colour));
            if (d < smallest) {
                smallest = d;
                which = x.name + " / " + y.name;
            }
        }
        std::printf("%-28s %-13s smallest dE00 %5.2f (%s)\n", palette, v.name, smallest, which.c_str());
        EXPECT_GE(smallest, least) << palette << ", " << v.name << ": " << which;
    }
}

TEST(Palette, ShadesStandApartFromEachOtherTheBackgroundAndTheOperatingPoint)
{
    Pairs pairs;
    addEachOther(pairs, shades());
    expectApart("shades against each other", pairs, 10);
    pairs.clear();
    addAll(pairs, shades(), {Background, Lime});
    expectApart("shades against cell, lime", pairs, 10);
}

TEST(Palette, TheTrailStandsApartFromShadesBackgroundAndOperatingPoint)
{
    Pairs pairs;
    addAll(pairs, trail(), shades());
    expectApart("trail against shades", pairs, 10);
    pairs.clear();
    addAll(pairs, trail(), {Background, Lime});
    addAll(pairs, {Lime}, {Background});
    expectApart("trail, lime against cell", pairs, 10);
}

TEST(Palette, TheSelectionOutlineStandsApartFromEverythingItCrosses)
{
    Pairs pairs;
    addAll(pairs, {{"selection", palette::Selection}}, shades());
    addAll(pairs, {{"selection", palette::Selection}}, trail());
    addAll(pairs, {{"selection", palette::Selection}}, {Background, Lime});
    expectApart("selection outline", pairs, 10);
}

TEST(Palette, ChartLinesStandApartFromEachOtherAndThePaper)
{
    Pairs pairs;
    addEachOther(pairs, chartRows());
    addAll(pairs, chartRows(), {Background});
    expectApart("chart rows", pairs, 10);
}

} // namespace
