// The number boxes' step rules (one per kind of value: plain, fine, beats,
// hertz, large ranges), the value's text and the reading of typed text.
#include "toolkit/toolkit_internal.h"
#include <cmath>
#include <cstdio>
#include <cstring>

// value + delta x the step of the column; other columns leave the value.
static double stepBy(double value, short delta, short column, double c1, double c2, double c3)
{
    switch (column) {
    case 1: return value + delta * c1;
    case 2: return value + delta * c2;
    case 3: return value + delta * c3;
    default: return value;
    }
}

double numbox_defaultIncrement(double value, short delta, short column)
{
    return stepBy(value, delta, column, 1.0, 0.01, 0.001);
}

double numbox_incPointOne(double value, short delta, short column)
{
    return stepBy(value, delta, column, 0.1, 0.01, 0.0001);
}

double numbox_incPointZeroOne(double value, short delta, short column)
{
    return stepBy(value, delta, column, 0.01, 0.001, 0.0001);
}

double numbox_incBeat(double value, short delta, short column)
{
    return stepBy(value, delta, column, 0.5, 0.125, 0.0001);
}

double numbox_incBeat2(double value, short delta, short column)
{
    return stepBy(value, delta, column, 0.125, 0.001, 0.0001);
}

// Semitones, cents and tenths of a cent per pixel.
double numbox_incHertz(double value, short delta, short column)
{
    switch (column) {
    case 1: return value * std::pow(2.0, delta / 12.0);
    case 2: return value * std::pow(2.0, delta / 1200.0);
    case 3: return value * std::pow(2.0, delta / 12000.0);
    default: return value;
    }
}

// Column 1 steps by the pixel near the press and by the square of the
// distance (a tenth of it) further away, so long drags cover large ranges.
double numbox_bigExpo(double value, short delta, short column)
{
    if (column == 1) {
        double d = delta;
        double step = std::fabs(d) <= 10 ? d : d * d * 0.1 * (d < 0 ? -1 : 1);
        return value + step;
    }
    if (column == 2) return value + delta;
    if (column == 3) return value + delta * 0.01;
    return value;
}

void numbox_getValueString(numboxRec* rec, char* out)
{
    if (!rec || !out) return;
    if (rec->decimals == 0) {
        double t = std::trunc(rec->value);
        if (t > 2147483647.0) t = 2147483647.0;
        if (t < -2147483648.0) t = -2147483648.0;
        snprintf(out, 32, "%d", (int)t);
    } else if (rec->decimals >= 1 && rec->decimals <= 6) {
        char format[16];
        snprintf(format, sizeof format, "%%1.%df", rec->decimals);
        snprintf(out, 32, format, rec->value);
        control_dropNegativeZero(out);
    }
}

// Digits are read from the last character back, so every digit knows its
// place; a point or comma fixes the divisor from the characters after it
// (the leftmost one decides); a minus anywhere makes the value negative;
// anything else is skipped.
int numbox_stringToVal(char* text, double* out)
{
    if (!out) return 1;
    double sum = 0, place = 1, divisor = 1;
    int negative = 0;
    int n = text ? (int)strlen(text) : 0;
    for (int i = n - 1; i >= 0; i--) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            sum += (c - '0') * place;
            place *= 10;
        } else if (c == '.' || c == ',') {
            divisor = std::pow(10.0, n - 1 - i);
        } else if (c == '-') {
            negative = 1;
        }
    }
    *out = sum / divisor * (negative ? -1 : 1);
    return 1;
}
