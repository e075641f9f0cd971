// Sine and arctangent correctly rounded to long double, from the basic IEEE operations alone.
//
// Why: the x87 fsin and fpatan are not the same on every processor (makers and models differ in
// the last bit, emulators by more), nor are the runtime libraries' sinl and atan2l. The one
// answer that does not depend on the machine is the exact value rounded to nearest. It is
// computed here with +, -, *, / on long doubles, which IEEE 754 defines to the bit, so every x87
// gives the same answer, provided it rounds to 64 bits (precision control 64, see rounded_trig.h).
//
// How: a value is approximated by the unevaluated sum hi + lo of two long doubles (a pair,
// about 128 bits) together with a bound on its error. When no midpoint between two adjacent long
// doubles lies within the bound of hi + lo, the exact value rounds to hi. A fast approximation,
// whose error is a few units of 2^-64 in its small correction terms only, decides all but about
// one sine in a hundred and one arctangent in several thousand; those are computed again with
// Taylor series in pair arithmetic, whose error stays below 2^-120 of the result (2^-126 seen),
// and rounded. That is correct for every value not within 2^-120 of a midpoint (a random
// argument comes that near with odds of about 2^-55), and beyond: the nearest case known, the
// arctangent behind acos(1 - 18 * 2^-64) at 2^-61.6 units in the last place (2^-125 of it), is
// rounded correctly. Whatever the case, the answer is the same on every machine.
//
// Each function first reduces its argument with a table (sines of multiples of pi/32,
// arctangents of multiples of 1/16, each as a pair), so that the series run over a small interval.
#include "rounded_trig.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

static_assert(LDBL_MANT_DIG == 64 && sizeof(long double) >= 10, "the x87 80-bit format is assumed");

namespace {

// The unit roundoff of long double arithmetic.
constexpr long double kUnit = 0x1p-64L;

// The unevaluated sum hi + lo, with |lo| at most half a unit in the last place of hi.
struct Pair {
    long double hi, lo;
};

Pair Negated(Pair a) { return {-a.hi, -a.lo}; }

// a + b exactly (Knuth).
Pair TwoSum(long double a, long double b) {
    long double sum = a + b;
    long double bPart = sum - a;
    long double aPart = sum - bPart;
    return {sum, (a - aPart) + (b - bPart)};
}

// a + b exactly when |a| >= |b| or a = 0 (Dekker).
Pair FastTwoSum(long double a, long double b) {
    long double sum = a + b;
    return {sum, b - (sum - a)};
}

// a * b exactly (Dekker): each factor splits into two halves of at most 32 bits, whose products
// a 64-bit significand holds.
Pair TwoProduct(long double a, long double b) {
    constexpr long double kSplitter = 0x1p32L + 1;
    long double aScaled = kSplitter * a, aHi = aScaled - (aScaled - a), aLo = a - aHi;
    long double bScaled = kSplitter * b, bHi = bScaled - (bScaled - b), bLo = b - bHi;
    long double product = a * b;
    return {product, ((aHi * bHi - product) + aHi * bLo + aLo * bHi) + aLo * bLo};
}

// Pair arithmetic after Joldes, Muller and Popescu (2017): relative errors of a few 2^-128.
Pair Add(Pair a, Pair b) {
    Pair sum = TwoSum(a.hi, b.hi), lows = TwoSum(a.lo, b.lo);
    sum = FastTwoSum(sum.hi, sum.lo + lows.hi);
    return FastTwoSum(sum.hi, sum.lo + lows.lo);
}

Pair Multiply(Pair a, Pair b) {
    Pair product = TwoProduct(a.hi, b.hi);
    return FastTwoSum(product.hi, product.lo + (a.hi * b.lo + a.lo * b.hi));
}

Pair Divide(Pair a, Pair b) {
    long double quotient = a.hi / b.hi;
    Pair back = TwoProduct(quotient, b.hi);  // a.hi - back.hi is exact: within a factor 2
    long double remainder = (((a.hi - back.hi) - back.lo) + a.lo) - quotient * b.lo;
    return FastTwoSum(quotient, remainder / b.hi);
}

// The power of two at or below |v|, for a normal v: v with its sign and all but the leading
// significand bit cleared (bytes 0-7 of the x87 format hold the significand, 8-9 the sign and
// the exponent).
long double LeadingPowerOfTwo(long double v) {
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &v, sizeof v);
    const uint64_t leadingBit = uint64_t(1) << 63;
    std::memcpy(bytes, &leadingBit, 8);
    bytes[9] &= 0x7f;
    std::memcpy(&v, bytes, sizeof v);
    return v;
}

// True when every value within `bound` of v.hi + v.lo rounds to v.hi, as the exact result then
// does. v.hi must be v.hi + v.lo rounded (as FastTwoSum leaves it), normal and not 0.
bool RoundsToHi(Pair v, long double bound) {
    long double power = LeadingPowerOfTwo(v.hi);
    long double halfGap = power * kUnit;  // half the spacing of long doubles at v.hi
    // Just below a power of two the spacing is half as wide.
    if (std::fabs(v.hi) == power && !(v.lo * v.hi > 0)) halfGap /= 2;
    // The sum is rounded once; rounding is monotone and halfGap a long double, so a sum at or
    // above halfGap never compares below it.
    return std::fabs(v.lo) + bound < halfGap;
}

// c[0] + z (c[1] + z (c[2] + ...)) in long double.
template <int N>
long double Polynomial(long double z, const long double (&c)[N]) {
    long double sum = c[N - 1];
    for (int i = N - 2; i >= 0; --i) sum = sum * z + c[i];
    return sum;
}

// ---- Sine ----

// sin(j pi/32) for j = 0..16: hi is the exact value rounded to nearest, lo the rest rounded.
// These and the constants below were made with mpmath at 400 bits (Python: mp.prec = 400).
const Pair kSineOfPiOver32[17] = {
    {0.0L, 0.0L},
    {0x1.917a6bc29b42be1ep-4L, -0x1.c6349bb5a20463b8p-70L},
    {0x1.8f8b83c69a60ab64p-3L, 0x1.732300393f336140p-68L},
    {0x1.294062ed59f05a8cp-2L, -0x1.46d16230965022b2p-67L},
    {0x1.87de2a6aea962d1ap-2L, 0x1.8916152cf7eee1bcp-68L},
    {0x1.e2b5d3806f63b1e0p-2L, 0x1.b123a78d082c3c76p-67L},
    {0x1.1c73b39ae68c86cap-1L, -0x1.116cc04d002ade62p-66L},
    {0x1.44cf325091dd6180p-1L, 0x1.da8b3f71acd11a6ep-67L},
    {0x1.6a09e667f3bcc908p-1L, 0x1.65f626cdd52afa7cp-66L},
    {0x1.8bc806b151740b4ep-1L, 0x1.0f689766499cc9acp-66L},
    {0x1.a9b66290ea1a3034p-1L, -0x1.39e2e924a6f832eap-69L},
    {0x1.c38b2f180bdb0d24p-1L, -0x1.62eaf91a0e74fe00p-69L},
    {0x1.d906bcf328d4628ap-1L, 0x1.f98408c6b0758604p-66L},
    {0x1.e9f4156c62dda5d8p-1L, 0x1.63c5c7f03b718c56p-68L},
    {0x1.f6297cff75cb02acp-1L, 0x1.0b951b0fe9539176p-67L},
    {0x1.fd88da3d125259e0p-1L, 0x1.04e43bf71c9ba7bep-66L},
    {0x1.0000000000000000p+0L, 0.0L},
};

// pi/32 in four pieces: three of 57 bits, so that n times each is exact for n < 128, and the
// rest to 64 bits (what is left is below 2^-245). 32/pi rounded, to pick n.
constexpr long double kPiOver32[4] = {0x1.921fb54442d18400p-4L, 0x1.a62633145c06e100p-62L,
                                      -0x1.976b7ed8fbbacc00p-122L, -0x1.9c5fefa20ace2764p-182L};
constexpr long double kThirtyTwoOverPi = 0x1.45f306dc9c882a54p+3L;

// sin(m pi/32) for any m >= 0, from the table by the symmetries of the sine.
Pair SineOfMultiple(int m) {
    m %= 64;
    if (m >= 32) return Negated(SineOfMultiple(m - 32));
    return kSineOfPiOver32[m <= 16 ? m : 32 - m];
}

// x - n pi/32 as a pair, for x within pi/32 of n pi/32 and 0 <= n < 128.
Pair ReducedAngle(long double x, int n) {
    long double near = x - n * kPiOver32[0];  // exact: both within a factor 2, or n = 0
    Pair first = TwoSum(near, -n * kPiOver32[1]);
    Pair second = TwoSum(first.hi, -n * kPiOver32[2]);
    return FastTwoSum(second.hi, (first.lo + second.lo) - n * kPiOver32[3]);
}

// S cos r + C sin r by the Taylor series of cos r - 1 and sin r - r in pair arithmetic, to the
// term in r^17: the first left out, r^18/18!, is below 2^-130 for |r| <= pi/64.
Pair SlowSineSum(Pair S, Pair C, Pair r) {
    Pair power = r, cosTail{0, 0}, sinTail{0, 0};  // power = r^n / n!
    for (int n = 2; n <= 17; ++n) {
        power = Divide(Multiply(power, r), Pair{static_cast<long double>(n), 0});
        Pair term = (n / 2) % 2 ? Negated(power) : power;  // - r^2/2!, - r^3/3!, + r^4/4!, ...
        if (n % 2 == 0) {
            cosTail = Add(cosTail, term);
        } else {
            sinTail = Add(sinTail, term);
        }
    }
    return Add(Add(S, Multiply(C, r)), Add(Multiply(S, cosTail), Multiply(C, sinTail)));
}

}  // namespace

long double RoundedSine(long double x) {
    if (!(std::fabs(x) <= 8)) return std::numeric_limits<long double>::quiet_NaN();
    if (x < 0) return -RoundedSine(-x);
    // Below 2^-32, x - sin x < x^3/6 is less than half the spacing below x (and 0 stays 0).
    if (x < 0x1p-32L) return x;

    // x = n pi/32 + r with |r| <= pi/64, so sin x = S cos r + C sin r, where S and C are the sine
    // and cosine of n pi/32 = S + C r + S (cos r - 1) + C (sin r - r).
    int n = static_cast<int>(x * kThirtyTwoOverPi + 0.5L);
    Pair r = ReducedAngle(x, n);
    Pair S = SineOfMultiple(n), C = SineOfMultiple(n + 16);

    // Fast path: S + C r exactly; the two tails by their Taylor polynomials in long double, to
    // r^10 and r^11 (what is left out is below 1% of a unit in their last place). Their rounding
    // errors, with the part of r in r.lo that they leave out, stay below 13 units of 2^-64 of the
    // terms; the pair's own errors are a few 2^-128 of the result.
    static constexpr long double kCosTail[] = {-1.0L / 2, 1.0L / 24, -1.0L / 720, 1.0L / 40320,
                                               -1.0L / 3628800};
    static constexpr long double kSinTail[] = {-1.0L / 6, 1.0L / 120, -1.0L / 5040, 1.0L / 362880,
                                               -1.0L / 39916800};
    long double z = r.hi * r.hi;
    long double cosTail = z * Polynomial(z, kCosTail);
    long double sinTail = r.hi * z * Polynomial(z, kSinTail);
    long double cosTerm = S.hi * cosTail, sinTerm = C.hi * sinTail;
    Pair Cr = TwoProduct(C.hi, r.hi);
    Pair head = TwoSum(S.hi, Cr.hi);
    long double small = head.lo + Cr.lo + S.lo + C.hi * r.lo + C.lo * r.hi;
    Pair v = FastTwoSum(head.hi, (small + sinTerm) + cosTerm);
    long double bound = 16 * kUnit * (std::fabs(cosTerm) + std::fabs(sinTerm)) + 0x1p-100L * std::fabs(v.hi);
    if (RoundsToHi(v, bound)) return v.hi;
    return SlowSineSum(S, C, r).hi;
}

// ---- Arctangent ----

namespace {

// atan(j/16) for j = 0..16 (made as the sines above).
const Pair kArcTanOfSixteenths[17] = {
    {0.0L, 0.0L},
    {0x1.ff55bb72cfde9c6ep-5L, -0x1.a6c3691f8e8f9576p-71L},
    {0x1.fd5ba9aac2f6dc66p-4L, -0x1.bb433b060bbb8844p-70L},
    {0x1.7b97b4bce5b02268p-3L, 0x1.ec2d3e207271d21ep-68L},
    {0x1.f5b75f92c80dd62ap-3L, 0x1.b71e7bd7de885f96p-68L},
    {0x1.362773707ebcbcd4p-2L, -0x1.d2a25b396c2866c0p-68L},
    {0x1.6f61941e4def08e8p-2L, -0x1.d5737b748c06edf4p-67L},
    {0x1.a64eec3cc23fcb6cp-2L, 0x1.09f257a40079c4dap-67L},
    {0x1.dac670561bb4f68ap-2L, 0x1.bf9117b2f0ea340ep-67L},
    {0x1.0657e94db30cfc54p-1L, 0x1.2da8272d86945704p-66L},
    {0x1.1e00babdefeb3f36p-1L, 0x1.720d78599710dd1ep-66L},
    {0x1.345f01cce37bb440p-1L, 0x1.089be388813fcef4p-66L},
    {0x1.4978fa3269ee1248p-1L, 0x1.9a87f2a457dac9eep-68L},
    {0x1.5d58987169b18100p-1L, 0x1.4725e2f3e52070a0p-68L},
    {0x1.700a7c5784633ce8p-1L, -0x1.a692d56f7addde16p-67L},
    {0x1.819d0b7158a4cc82p-1L, -0x1.d88a74ee45b4176cp-66L},
    {0x1.921fb54442d1846ap-1L, -0x1.d9cceba3f91f1976p-67L},
};

constexpr Pair kPi = {0x1.921fb54442d1846ap+1L, -0x1.d9cceba3f91f1976p-65L};
constexpr Pair kHalfPi = {kPi.hi / 2, kPi.lo / 2};

// base + angle, or base - angle, for an angle of at most pi/4 and a base of 0, pi/2 or pi.
Pair Placed(Pair base, bool subtract, Pair angle) {
    if (subtract) angle = Negated(angle);
    Pair sum = TwoSum(base.hi, angle.hi);
    return FastTwoSum(sum.hi, sum.lo + (angle.lo + base.lo));
}

// atan t for |t| <= 1/32 by its series t - t^3/3 + t^5/5 - ... in pair arithmetic, to the term in
// t^25: the first left out, t^27/27, is below 2^-134 of t.
Pair SlowArcTan(Pair t) {
    Pair square = Multiply(t, t), power = t, sum = t;
    for (int k = 1; k <= 12; ++k) {
        power = Multiply(power, square);
        Pair term = Divide(power, Pair{2.0L * k + 1, 0});
        sum = Add(sum, k % 2 ? Negated(term) : term);
    }
    return sum;
}

}  // namespace

long double RoundedArcTan2(long double y, long double x) {
    if (!(std::fabs(y) <= LDBL_MAX && std::fabs(x) <= LDBL_MAX))
        return std::numeric_limits<long double>::quiet_NaN();
    if (y < 0) return -RoundedArcTan2(-y, x);
    if (y == 0) return x < 0 ? kPi.hi : y;

    // Fold the point into the first octant: the angle is base + atan(n/d) or base - atan(n/d),
    // with 0 <= n <= d. Then atan(n/d) = atan(c) + atan(t) for c = j/16 nearest to n/d and
    // t = (n - c d) / (d + c n), so |t| <= 1/32.
    long double ax = std::fabs(x);
    bool steep = y > ax;
    long double n = steep ? ax : y, d = steep ? y : ax;
    Pair base = steep ? kHalfPi : (x < 0 ? kPi : Pair{0, 0});
    bool subtract = (x < 0) != steep;

    int j = static_cast<int>(n / d * 16 + 0.5L);
    long double c = j / 16.0L;
    Pair cd = TwoProduct(c, d), cn = TwoProduct(c, n);
    Pair numerator = TwoSum(n - cd.hi, -cd.lo);  // n - cd.hi is exact: within a factor 2, or c = 0
    Pair denominator = Add(Pair{d, 0}, cn);
    Pair t = Divide(numerator, denominator);
    Pair A = kArcTanOfSixteenths[j];

    // Fast path: atan c + t exactly; atan t - t by its Taylor polynomial in long double, to t^15
    // (what is left out is below 1% of a unit in its last place). Its rounding errors, with the
    // part of t in t.lo that it leaves out, stay below 10 units of 2^-64 of it; the pair's own
    // errors are a few 2^-128 of the result.
    static constexpr long double kArcTanTail[] = {-1.0L / 3, 1.0L / 5,   -1.0L / 7, 1.0L / 9,
                                                  -1.0L / 11, 1.0L / 13, -1.0L / 15};
    long double z = t.hi * t.hi;
    long double tail = t.hi * z * Polynomial(z, kArcTanTail);
    Pair head = TwoSum(A.hi, t.hi);
    Pair v = Placed(base, subtract, FastTwoSum(head.hi, ((head.lo + A.lo) + t.lo) + tail));
    long double bound = 16 * kUnit * std::fabs(tail) + 0x1p-100L * std::fabs(v.hi);
    if (RoundsToHi(v, bound)) return v.hi;
    return Placed(base, subtract, Add(A, SlowArcTan(t))).hi;
}
