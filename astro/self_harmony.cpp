#include "astro/self_harmony.h"

#include <cmath>

#include "astro/angles.h"

const double kSelfHarmonyHomeAngle[kSelfHarmonyPrinciples] = {120, 90,  60,  30,  0, 240,
                                                              270, 300, 330, 210, 0};
const int kSelfHarmonyOffsetCount[kSelfHarmonyPrinciples] = {-4, -2, 3,  -2, -3, -5,
                                                             -3, -3, -1, 0,  0};

namespace {

constexpr int kOddHarmonics = 6;  // 1, 3, 5, 7, 9, 11
constexpr double kOddHarmonicWeight[kOddHarmonics] = {1, 2, 3, 3, 2, 1};
constexpr double kOffsetStep = 0.523598775;

// cos and sin of k * m_p * 0.523598775 for the odd k, per principle: the shifted series is
// then found by angle addition from the unshifted one.
struct OffsetRotations {
    double cosine[kSelfHarmonyPrinciples][kOddHarmonics];
    double sine[kSelfHarmonyPrinciples][kOddHarmonics];
};

const OffsetRotations& Rotations()
{
    static const OffsetRotations rotations = [] {
        OffsetRotations r{};
        for (int p = 0; p < kSelfHarmonyPrinciples; ++p) {
            const double offset = kSelfHarmonyOffsetCount[p] * kOffsetStep;
            for (int h = 0; h < kOddHarmonics; ++h) {
                r.cosine[p][h] = std::cos((2 * h + 1) * offset);
                r.sine[p][h] = std::sin((2 * h + 1) * offset);
            }
        }
        return r;
    }();
    return rotations;
}

// The terms of principles first .. first+count-1, evaluated side by side.
void SelfHarmoniesFrom(int first, const double* longitudes, int count, double* terms)
{
    const OffsetRotations& r = Rotations();
    double c[kSelfHarmonyPrinciples], s[kSelfHarmonyPrinciples];
    double c2[kSelfHarmonyPrinciples], s2[kSelfHarmonyPrinciples];
    double plain[kSelfHarmonyPrinciples], shifted[kSelfHarmonyPrinciples];
    for (int k = 0; k < count; ++k) {
        const int p = first + k;
        const double theta = DegreesToRadians(longitudes[k] - kSelfHarmonyHomeAngle[p] - 15.0);
        sincos(theta, &s[k], &c[k]);
        c2[k] = c[k] * c[k] - s[k] * s[k];
        s2[k] = 2.0 * s[k] * c[k];
        plain[k] = 0.0;
        shifted[k] = 0.0;
    }
    // cos and sin of the odd multiples 1, 3, .., 11 by repeated multiplication with e^{2i theta};
    // cos(k (theta - offset)) = cos k theta cos k offset + sin k theta sin k offset.
    for (int h = 0; h < kOddHarmonics; ++h)
        for (int k = 0; k < count; ++k) {
            const int p = first + k;
            plain[k] += kOddHarmonicWeight[h] * c[k];
            shifted[k] += kOddHarmonicWeight[h] * (c[k] * r.cosine[p][h] + s[k] * r.sine[p][h]);
            const double next = c[k] * c2[k] - s[k] * s2[k];
            s[k] = s[k] * c2[k] + c[k] * s2[k];
            c[k] = next;
        }
    for (int k = 0; k < count; ++k) terms[k] = 0.0318305 * plain[k] + 0.0121555 * shifted[k];
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
