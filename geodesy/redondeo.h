// TruncarEntero: an 80-bit real to a whole number without touching the x87 control word. A plain
// conversion switches the rounding mode to truncation and back around each one (fnstcw, fldcw,
// fistp, fldcw), which stalls the x87 pipeline; the strip, zone and angle reductions of every point
// do several.
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

// The whole number nearest to x, ties to even (the rounding mode the program always runs in), for
// |x| < 2^63.
inline int64_t RedondearEntero(long double x) {
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
    int64_t r;
    asm("fistpll %0" : "=m"(r) : "t"(x) : "st");
    return r;
#else
    return std::llrint(x);
#endif
}

// trunc(x) for |x| < 2^62, in the x87 registers alone (no trip through memory to the integer unit and
// back, which costs more time than the arithmetic): x + 2^63 lies where the reals are exactly the
// whole numbers, so (x + 2^63) - 2^63 is x rounded to the nearest one, taken one step back toward
// zero when it lies beyond x. A result of zero is +0.
// That holds with the x87's 64-bit significand only. Where the unit runs at a shorter precision (a
// library that set the control word, an emulator such as valgrind) the sum rounds to a coarse step
// and 23.1 would truncate to 0. So the result must lie toward zero from x and less than 1 away;
// when it does not, the library's trunc, right at any precision, takes over.
inline long double TruncarReal(long double x) {
    constexpr long double k2a63 = 0x1p63L;
    if (x >= 0) {
        const long double n = (x + k2a63) - k2a63;
        const long double t = n > x ? n - 1 : n;
        return t <= x && x - t < 1 ? t : std::trunc(x);
    }
    const long double n = (x - k2a63) + k2a63;
    const long double t = n < x ? n + 1 : n;
    return t >= x && t - x < 1 ? t : std::trunc(x);
}

// Truncation toward zero into a 64-bit integer, saturating (NaN gives 0): every "truncated" value of
// the core goes through here, so absurd input never reaches an undefined float-to-integer conversion.
inline int64_t TruncarEntero(long double x) {
    if (std::isnan(x)) return 0;
    if (x >= 9.2e18L) return std::numeric_limits<int64_t>::max();
    if (x <= -9.2e18L) return std::numeric_limits<int64_t>::min();
    if (!(std::fabs(x) < 0x1p62L)) return RedondearEntero(x);  // every real this large is whole
    return RedondearEntero(TruncarReal(x));  // a whole number: stored exactly whatever the rounding
}
