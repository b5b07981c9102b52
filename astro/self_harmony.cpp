#include "astro/self_harmony.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/fast_trig.h"

const double kSelfHarmonyHomeAngle[kSelfHarmonyPrinciples] = {120, 90,  60,  30,  0, 240,
                                                              270, 300, 330, 210, 0};
const int kSelfHarmonyOffsetCount[kSelfHarmonyPrinciples] = {-4, -2, 3,  -2, -3, -5,
                                                             -3, -3, -1, 0,  0};

namespace {

constexpr int kOddHarmonics = 6;  // 1, 3, 5, 7, 9, 11
constexpr double kOddHarmonicWeight[kOddHarmonics] = {1, 2, 3, 3, 2, 1};
constexpr double kOffsetStep = 0.523598775;

// cos and sin of k * m_p * 0.523598775 for the odd k, per harmonic and principle: the shifted
// series is then found by angle addition from the unshifted one. Principles run along the
// rows so that a harmonic's step for all principles reads consecutive numbers.

struct OffsetRotations {
    double cosine[kOddHarmonics][kSelfHarmonyPrinciples];
    double sine[kOddHarmonics][kSelfHarmonyPrinciples];
    // The same for principles 0..9 as five pairs (2k, 2k + 1).
    DoubleLanes pairCosine[kOddHarmonics][5];
    DoubleLanes pairSine[kOddHarmonics][5];
};

const OffsetRotations& Rotations()
{
    static const OffsetRotations rotations = [] {
        OffsetRotations r{};
        for (int p = 0; p < kSelfHarmonyPrinciples; ++p) {
            const double offset = kSelfHarmonyOffsetCount[p] * kOffsetStep;
            for (int h = 0; h < kOddHarmonics; ++h) {
                r.cosine[h][p] = std::cos((2 * h + 1) * offset);
                r.sine[h][p] = std::sin((2 * h + 1) * offset);
            }
        }
        for (int h = 0; h < kOddHarmonics; ++h)
            for (int k = 0; k < 5; ++k) {
                r.pairCosine[h][k] = DoubleLanes{r.cosine[h][2 * k], r.cosine[h][2 * k + 1]};
                r.pairSine[h][k] = DoubleLanes{r.sine[h][2 * k], r.sine[h][2 * k + 1]};
            }
        return r;
    }();
    return rotations;
}

// The series of principles first .. first+count-1 from their cos and sin of theta, all side
// by side. `Lanes` is double, or a pair of doubles in one vector register for the matrices'
// ten principles: every lane sees the same operations in the same order, so the results are
// the same either way.
template <typename Lanes>
void Series(const Lanes* rotationCosine, const Lanes* rotationSine, int stride, Lanes* c, Lanes* s,
            int count, Lanes* terms)
{
    Lanes c2[kSelfHarmonyPrinciples], s2[kSelfHarmonyPrinciples];
    Lanes plain[kSelfHarmonyPrinciples], shifted[kSelfHarmonyPrinciples];
    for (int k = 0; k < count; ++k) {
        c2[k] = c[k] * c[k] - s[k] * s[k];
        s2[k] = 2.0 * s[k] * c[k];
        plain[k] = c[k] * 0.0;
        shifted[k] = plain[k];
    }
    // cos and sin of the odd multiples 1, 3, .., 11 by repeated multiplication with e^{2i theta};
    // cos(k (theta - offset)) = cos k theta cos k offset + sin k theta sin k offset.
    for (int h = 0; h < kOddHarmonics; ++h) {
        const Lanes* rc = rotationCosine + h * stride;
        const Lanes* rs = rotationSine + h * stride;
        const double weight = kOddHarmonicWeight[h];
        for (int k = 0; k < count; ++k) {
            plain[k] += weight * c[k];
            shifted[k] += weight * (c[k] * rc[k] + s[k] * rs[k]);
            const Lanes next = c[k] * c2[k] - s[k] * s2[k];
            s[k] = s[k] * c2[k] + c[k] * s2[k];
            c[k] = next;
        }
    }
    for (int k = 0; k < count; ++k) terms[k] = 0.0318305 * plain[k] + 0.0121555 * shifted[k];
}

// The terms of principles first .. first+count-1.
// theta of principle p, in radians.
inline double SelfHarmonyAngle(int p, double longitude)
{
    return DegreesToRadians(longitude - kSelfHarmonyHomeAngle[p] - 15.0);
}

void SelfHarmoniesFrom(int first, const double* longitudes, int count, double* terms)
{
    const OffsetRotations& r = Rotations();
    if (first == 0 && count == 10) {  // the matrices' case, two principles per register
        DoubleLanes pc[5], ps[5], pt[5];
        for (int k = 0; k < 5; ++k) {
            const BasicPhasor<DoubleLanes> rotation = FastPhasorOf(
                DoubleLanes{SelfHarmonyAngle(2 * k, longitudes[2 * k]),
                           SelfHarmonyAngle(2 * k + 1, longitudes[2 * k + 1])});
            pc[k] = rotation.c;
            ps[k] = rotation.s;
        }
        Series<DoubleLanes>(r.pairCosine[0], r.pairSine[0], 5, pc, ps, 5, pt);
        for (int k = 0; k < 5; ++k) {
            terms[2 * k] = pt[k][0];
            terms[2 * k + 1] = pt[k][1];
        }
        return;
    }
    double c[kSelfHarmonyPrinciples], s[kSelfHarmonyPrinciples];
    for (int k = 0; k < count; ++k) {
        const Phasor rotation = FastPhasorOf(SelfHarmonyAngle(first + k, longitudes[k]));
        s[k] = rotation.s;
        c[k] = rotation.c;
    }
    Series<double>(r.cosine[0] + first, r.sine[0] + first, kSelfHarmonyPrinciples, c, s, count,
                   terms);
}

}  // namespace

double SelfHarmony(int principle, double longitude)
{
    if (principle < 0 || principle >= kSelfHarmonyPrinciples) return 0.0;
    double term;
    SelfHarmoniesFrom(principle, &longitude, 1, &term);
    return term;
}

void SelfHarmonies(const double* longitudes, int count, double* terms)
{
    if (count > kSelfHarmonyPrinciples) count = kSelfHarmonyPrinciples;
    if (count > 0) SelfHarmoniesFrom(0, longitudes, count, terms);
}
