#pragma once
// The diagonal term of the harmony matrix: how well a principle stands in its own sign, from
// its longitude and its home angle.

inline constexpr int kSelfHarmonyPrinciples = 11;  // Sun .. Pluto and the IC

// Home angle o_p in degrees and offset count m_p of each principle 0..10.
extern const double kSelfHarmonyHomeAngle[kSelfHarmonyPrinciples];
extern const int kSelfHarmonyOffsetCount[kSelfHarmonyPrinciples];

// 0.0318305 S(theta) + 0.0121555 S(theta - m_p 0.523598775) with theta = (lambda - o_p - 15)
// in radians and S(x) = cos x + 2 cos 3x + 3 cos 5x + 3 cos 7x + 2 cos 9x + cos 11x.
// 0.0 for principles outside 0..10.
double SelfHarmony(int principle, double longitude);

// SelfHarmony(p, longitudes[p]) for p = 0..count-1 (count at most 11), all principles side by
// side so that their independent series overlap in the processor.
void SelfHarmonies(const double* longitudes, int count, double* terms);
