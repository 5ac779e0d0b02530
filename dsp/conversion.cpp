// Unit conversions and number formatting (see conversion.h).
#include "dsp/conversion.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

// Natural logarithm of x * scale * factor with the error rules the callers
// rely on: a negative product is a domain error (errno EDOM, not-a-number),
// an exact zero gives minus infinity without touching errno.
double scaledLog(double x, double scale, double factor)
{
    double product = x * scale;
    if (product < 0.0) {
        errno = EDOM;
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (product == 0.0) return -std::numeric_limits<double>::infinity();
    return factor * std::log(product);
}

// Truncation toward zero into a 32-bit integer. Values beyond the integer
// range saturate and not-a-number reads as 0, so no input is undefined.
int32_t truncateToInt32(float value)
{
    if (std::isnan(value)) return 0;
    double whole = std::trunc(static_cast<double>(value));
    if (whole >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (whole <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(whole);
}

// A number printed as zero shows no minus sign: "-0.0" becomes "0.0" (a
// padded " -0.00" keeps its width as "  0.00"); other text is left alone.
void dropNegativeZero(char* text)
{
    if (!text) return;
    for (char* p = text; *p; p++) {
        if (*p != '-') continue;
        char* q = p + 1;
        int digits = 0, zeros = 1;
        for (; (*q >= '0' && *q <= '9') || *q == '.'; q++)
            if (*q != '.') {
                digits++;
                if (*q != '0') zeros = 0;
            }
        if (!digits || !zeros) continue;
        // Padding before the number keeps the width; otherwise the sign goes.
        const char* lead = text;
        while (lead < p && *lead == ' ') lead++;
        if (lead == p && p > text)
            *p = ' ';
        else
            memmove(p, p + 1, strlen(p + 1) + 1);
        return;
    }
}

}  // namespace

void floatToString(char* text, float value, short decimals)
{
    if (!text) return;
    static const char* const formats[] = {"%1.1f", "%1.2f", "%1.3f", "%1.4f", "%1.5f", "%1.6f"};
    if (decimals == 0) {
        std::sprintf(text, "%d", static_cast<int>(truncateToInt32(value)));
    } else if (decimals >= 1 && decimals <= 6) {
        std::sprintf(text, formats[decimals - 1], static_cast<double>(value));
        dropNegativeZero(text);
    }
}

double ampToDB(double amp)
{
    if (amp == 0.0) amp = 1.0e-8;
    return -6.0 * std::log2(1.0 / amp);
}

double dBToAmp(double dB) { return 1.0 / std::pow(2.0, dB * -0.16666666666666666); }

double noteToHertz(double note) { return 8.175798 * std::pow(1.0594630964, note); }

double noteToPhaseIncrement(double note) { return freqToPhaseIncrement(noteToHertz(note)); }

double hertzToNote(double hertz) { return scaledLog(hertz, 0.12231221955336959, 17.312339914210263); }

double transposeToRatio(double semitones) { return std::pow(2.0, semitones * 0.08333333333333333); }

double ratioToTranspose(double ratio) { return scaledLog(ratio, 1.0, 17.3123404907); }

double freqToPhaseIncrement(double hertz) { return hertz * 0.023219954648526078; }

double phaseIncrementToHertz(double inc) { return 43.06640625 * inc; }
