// The constant coefficient tables: their rules, the rows given for them, and
// the shape of the tables whose rules are our own.
#include <cmath>
#include <functional>

#include "osc_filter_util.h"

namespace {

const float* table(int n) { return &filterCoef.lpf1Gain[0] + n * kFilterCoefRows; }

double omega(int i) { return 2.0 * M_PI * 5.0 * std::pow(2.0, i / 40.0) / 44100.0; }

// The rows printed for each table (0, 240, 480), in storage order; the
// values are given to seven significant digits or better.
const double kRows[kFilterCoefTables][3] = {
    {0.0007121, 0.0445686, 0.9459532},         // lpf1Gain
    {0.9992879, 0.9554315, 0.0540468},         // lpf1y1
    {0.9996439, 0.9777157, 0.5270234},         // hpf1Gain
    {1.9989926, 1.9355447, -0.1201289},        // lpf2y1
    {-0.998993, -0.9375575, -0.0161386},       // lpf2y2
    {0.0000005, 0.0020127, 1.136268},          // lpf2Gain
    {-1.9999995, -1.9979217, 1.9501724},       // resonX1
    {0.5297331, 0.513186, 0.1187213},          // hpf2Gain
    {0.9999881, 0.9992408, 0.9536585},         // resonNotchGain
    {1.9999758, 1.9964046, -1.8597983},        // resonNotchY1
    {-0.9999763, -0.9984814, -0.9073169},      // resonNotchY2
    {84225.796875, 1317.0126953, 21.5789013},  // resonBandGain
    {1.89882, 1.678596, 0.624628},             // lpf3Res
    {48.35, 7.7266531, 0.77282},               // lpf2Res
    {48.3, 3.7558081, 0.581759},               // lpf2Res10
    {10.0, 1.21875, 0.0},                      // lpf2GainAdj
};

}  // namespace

TEST(FilterCoef, TablesLieInOrderAndMatchTheirRows)
{
    EXPECT_EQ(table(1), filterCoef.lpf1y1);
    EXPECT_EQ(table(7), filterCoef.hpf2Gain);
    EXPECT_EQ(table(12), filterCoef.lpf3Res);
    EXPECT_EQ(table(15), filterCoef.lpf2GainAdj);
    for (int t = 0; t < kFilterCoefTables; ++t)
        for (int r = 0; r < 3; ++r) {
            double want = kRows[t][r];
            double got = table(t)[r * 240];
            // Half a unit of the seventh printed digit, plus a float step.
            EXPECT_NEAR(got, want, 1e-7 + 6e-7 * std::fabs(want)) << "table " << t << " row " << r * 240;
        }
}

TEST(FilterCoef, RuleTablesFollowTheirRulesOnEveryRow)
{
    const double r2 = std::sqrt(2.0);
    std::function<double(double)> rules[] = {
        [](double w) { return 1.0 - std::exp(-w); },
        [](double w) { return std::exp(-w); },
        [](double w) { return (1.0 + std::exp(-w)) / 2.0; },
        [=](double w) { return 2.0 * std::exp(-w / r2) * std::cos(w / r2); },
        [=](double w) { return -std::exp(-r2 * w); },
        [=](double w) { return 1.0 - 2.0 * std::exp(-w / r2) * std::cos(w / r2) + std::exp(-r2 * w); },
        [](double w) { return -2.0 * std::cos(w); },
    };
    std::function<double(double)> notch[] = {
        [](double w) { return (1.0 + std::exp(-w / 30.0)) / 2.0; },
        [](double w) { return (1.0 + std::exp(-w / 30.0)) * std::cos(w); },
        [](double w) { return -std::exp(-w / 30.0); },
        [](double w) { return 2.0 / (1.0 - std::exp(-w / 30.0)); },
    };
    for (int i = 0; i < kFilterCoefRows; ++i) {
        for (int t = 0; t < 7; ++t) {
            double want = rules[t](omega(i));
            ASSERT_NEAR(table(t)[i], want, 1e-7 * std::fabs(want) + 1e-12) << "table " << t << " row " << i;
        }
        for (int t = 0; t < 4; ++t) {
            double want = notch[t](omega(i));
            ASSERT_NEAR(table(8 + t)[i], want, 1e-7 * std::fabs(want) + 1e-12)
                << "table " << 8 + t << " row " << i;
        }
    }
}

TEST(FilterCoef, ShapedTablesFallSmoothlyAndMonotonically)
{
    for (int t : {7, 12, 13, 14, 15}) {
        const float* v = table(t);
        double span = std::fabs(v[0] - v[480]);
        for (int i = 1; i < kFilterCoefRows; ++i) {
            ASSERT_LE(v[i], v[i - 1]) << "table " << t << " rises at row " << i;
            // Smooth: no row moves by more than a few percent of the whole fall,
            // and the step sizes change gradually.
            ASSERT_LT(v[i - 1] - v[i], 0.03 * span) << "table " << t << " jumps at row " << i;
            if (i >= 2) {
                double d1 = v[i - 2] - v[i - 1], d2 = v[i - 1] - v[i];
                ASSERT_LT(std::fabs(d2 - d1), 0.002 * span) << "table " << t << " kinks at row " << i;
            }
        }
    }
    for (int i = 0; i <= 120; ++i) EXPECT_EQ(filterCoef.lpf2GainAdj[i], 10.0f) << i;
    for (int i = 320; i < kFilterCoefRows; ++i) EXPECT_EQ(filterCoef.lpf2GainAdj[i], 0.0f) << i;
    EXPECT_EQ(filterCoef.lpf2GainAdj[240], 1.21875f);
    EXPECT_GT(filterCoef.lpf2GainAdj[319], 0.0f);
}
