#include "dsp/dsp.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

namespace {

std::string format(float value, short decimals)
{
    char text[64];
    std::strcpy(text, "untouched");
    floatToString(text, value, decimals);
    return text;
}

TEST(FloatToString, ZeroDecimalsTruncatesTowardZero)
{
    EXPECT_EQ(format(2.9f, 0), "2");
    EXPECT_EQ(format(-2.9f, 0), "-2");
    EXPECT_EQ(format(0.99f, 0), "0");
    EXPECT_EQ(format(-0.99f, 0), "0");
    EXPECT_EQ(format(2.5f, 0), "2");  // round-to-even would give 2 too,
    EXPECT_EQ(format(3.5f, 0), "3");  // but here it would give 4
    EXPECT_EQ(format(-3.5f, 0), "-3");
    EXPECT_EQ(format(123456.0f, 0), "123456");
}

TEST(FloatToString, ZeroDecimalsLeavesTheRoundingModeAlone)
{
    // A later conversion in the default mode still rounds to nearest.
    format(2.9f, 0);
    volatile double x = 2.5000001;
    EXPECT_EQ(std::lrint(x), 3);
    EXPECT_EQ(std::nearbyint(1.7), 2.0);
}

TEST(FloatToString, ZeroDecimalsSaturatesOutOfRangeValues)
{
    EXPECT_EQ(format(1e20f, 0), "2147483647");
    EXPECT_EQ(format(-1e20f, 0), "-2147483648");
    EXPECT_EQ(format(NAN, 0), "0");
}

TEST(FloatToString, DecimalsRoundToNearest)
{
    EXPECT_EQ(format(2.96f, 1), "3.0");
    EXPECT_EQ(format(-0.25f, 1), "-0.2");  // exactly halfway: even digit
    EXPECT_EQ(format(1.005f, 2), "1.00");  // 1.005f is slightly below 1.005
    EXPECT_EQ(format(0.5f, 3), "0.500");
    EXPECT_EQ(format(1.23456f, 4), "1.2346");
    EXPECT_EQ(format(0.000016f, 5), "0.00002");
    EXPECT_EQ(format(-3.0f, 6), "-3.000000");
    // What rounds to zero shows no minus sign.
    EXPECT_EQ(format(-0.04f, 1), "0.0");
    EXPECT_EQ(format(-0.0f, 2), "0.00");
    EXPECT_EQ(format(-0.004f, 2), "0.00");
    EXPECT_EQ(format(-0.006f, 2), "-0.01");
}

TEST(FloatToString, OtherDecimalCountsLeaveTheBufferUnchanged)
{
    EXPECT_EQ(format(1.5f, 7), "untouched");
    EXPECT_EQ(format(1.5f, -1), "untouched");
    EXPECT_EQ(format(1.5f, 100), "untouched");
}

TEST(FloatToString, LargestFloatFitsTheDocumentedBuffer)
{
    // sign + 39 digits + point + 6 decimals + terminator = 48 characters.
    std::string text = format(-3.4028235e38f, 6);
    EXPECT_EQ(text.size(), 47u);
    EXPECT_EQ(text.substr(0, 4), "-340");
}

TEST(Decibels, SixDecibelsPerDoubling)
{
    EXPECT_NEAR(ampToDB(0.0), -159.4525, 1e-4);
    EXPECT_TRUE(std::isfinite(ampToDB(0.0)));
    EXPECT_EQ(ampToDB(1.0), 0.0);
    EXPECT_EQ(ampToDB(2.0), 6.0);
    EXPECT_EQ(ampToDB(0.25), -12.0);
    EXPECT_TRUE(std::isnan(ampToDB(-1.0)));
    // Only an exact zero is replaced: a tiny amplitude reads lower still.
    EXPECT_LT(ampToDB(1e-9), ampToDB(0.0));

    EXPECT_EQ(dBToAmp(0.0), 1.0);
    EXPECT_EQ(dBToAmp(6.0), 2.0);
    EXPECT_EQ(dBToAmp(-6.0), 0.5);
    EXPECT_NEAR(dBToAmp(-20.0), std::pow(2.0, -20.0 / 6.0), 1e-15);

    for (double x : {1e-6, 0.001, 0.3, 1.0, 1.7, 42.0, 1e5})
        EXPECT_NEAR(dBToAmp(ampToDB(x)), x, x * 1e-12) << x;
}

TEST(Notes, UseTheRoundedSemitoneFactor)
{
    EXPECT_DOUBLE_EQ(noteToHertz(0.0), 8.175798);
    EXPECT_NEAR(noteToHertz(12.0), 16.3516, 1e-4);
    EXPECT_NE(noteToHertz(12.0), 2.0 * 8.175798);
    EXPECT_DOUBLE_EQ(noteToHertz(12.0), 8.175798 * std::pow(1.0594630964, 12.0));
    EXPECT_NEAR(noteToHertz(69.0), 440.0, 1e-3);
    EXPECT_NE(noteToHertz(69.0), 440.0);

    for (int n = 0; n <= 127; ++n) EXPECT_NEAR(hertzToNote(noteToHertz(n)), n, 1e-6) << n;
    EXPECT_NEAR(hertzToNote(8.175798), 0.0, 1e-9);
}

TEST(Notes, LogarithmDomain)
{
    errno = 0;
    EXPECT_TRUE(std::isnan(hertzToNote(-1.0)));
    EXPECT_EQ(errno, 33);
    errno = 0;
    double zero = hertzToNote(0.0);
    EXPECT_TRUE(std::isinf(zero));
    EXPECT_LT(zero, 0.0);

    errno = 0;
    EXPECT_TRUE(std::isnan(ratioToTranspose(-0.5)));
    EXPECT_EQ(errno, 33);
    double none = ratioToTranspose(0.0);
    EXPECT_TRUE(std::isinf(none));
    EXPECT_LT(none, 0.0);
}

TEST(Transpose, ExactOctaves)
{
    EXPECT_EQ(transposeToRatio(12.0), 2.0);
    EXPECT_EQ(transposeToRatio(-12.0), 0.5);
    EXPECT_EQ(transposeToRatio(0.0), 1.0);
    EXPECT_NEAR(transposeToRatio(7.0), std::pow(2.0, 7.0 / 12.0), 1e-15);
    EXPECT_NEAR(ratioToTranspose(2.0), 12.0, 1e-9);
    EXPECT_NEAR(ratioToTranspose(0.5), -12.0, 1e-9);
    EXPECT_EQ(ratioToTranspose(1.0), 0.0);
    for (double s : {-48.0, -7.5, 0.1, 3.0, 24.0})
        EXPECT_NEAR(ratioToTranspose(transposeToRatio(s)), s, 1e-8) << s;
}

TEST(PhaseIncrement, ReferenceRateIsFixed)
{
    EXPECT_DOUBLE_EQ(freqToPhaseIncrement(44100.0), 1024.0);
    EXPECT_EQ(phaseIncrementToHertz(1.0), 43.06640625);
    EXPECT_EQ(phaseIncrementToHertz(1024.0), 44100.0);
    EXPECT_NEAR(noteToPhaseIncrement(69.0), 10.2168, 1e-4);
    EXPECT_DOUBLE_EQ(noteToPhaseIncrement(60.0), freqToPhaseIncrement(noteToHertz(60.0)));
    EXPECT_NEAR(phaseIncrementToHertz(freqToPhaseIncrement(1234.5)), 1234.5, 1e-9);
}

}  // namespace
