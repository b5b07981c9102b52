#include "astro/moon.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/fast_trig.h"

// Columns: D, M, M', F, coefficient (1e-6 degrees). Declared extern in the header, so these
// constant expressions keep external linkage.
constexpr LunarTerm kLunarLongitudeTerms[kLunarTermCount] = {
    { 0,  0,  1,  0,  6288774}, { 2,  0, -1,  0,  1274027}, { 2,  0,  0,  0,   658314},
    { 0,  0,  2,  0,   213618}, { 0,  1,  0,  0,  -185116}, { 0,  0,  0,  2,  -114332},
    { 2,  0, -2,  0,    58793}, { 2, -1, -1,  0,    57066}, { 2,  0,  1,  0,    53322},
    { 2, -1,  0,  0,    45758}, { 0,  1, -1,  0,   -40923}, { 1,  0,  0,  0,   -34720},
    { 0,  1,  1,  0,   -30383}, { 2,  0,  0, -2,    15327}, { 0,  0,  1,  2,   -12528},
    { 0,  0,  1, -2,    10980}, { 4,  0, -1,  0,    10675}, { 0,  0,  3,  0,    10034},
    { 4,  0, -2,  0,     8548}, { 2,  1, -1,  0,    -7888}, { 2,  1,  0,  0,    -6766},
    { 1,  0, -1,  0,    -5163}, { 1,  1,  0,  0,     4987}, { 2, -1,  1,  0,     4036},
    { 2,  0,  2,  0,     3994}, { 4,  0,  0,  0,     3861}, { 2,  0, -3,  0,     3665},
    { 0,  1, -2,  0,    -2689}, { 2,  0, -1,  2,    -2602}, { 2, -1, -2,  0,     2390},
    { 1,  0,  1,  0,    -2348}, { 2, -2,  0,  0,     2236}, { 0,  1,  2,  0,    -2120},
    { 0,  2,  0,  0,    -2069}, { 2, -2, -1,  0,     2048}, { 2,  0,  1, -2,    -1773},
    { 2,  0,  0,  2,    -1595}, { 4, -1, -1,  0,     1215}, { 0,  0,  2,  2,    -1110},
    { 3,  0, -1,  0,     -892}, { 2,  1,  1,  0,     -810}, { 4, -1, -2,  0,      759},
    { 0,  2, -1,  0,     -713}, { 2,  2, -1,  0,     -700}, { 2,  1, -2,  0,      691},
    { 2, -1,  0, -2,      596}, { 4,  0,  1,  0,      549}, { 0,  0,  4,  0,      537},
    { 4, -1,  0,  0,      520}, { 1,  0, -2,  0,     -487}, { 2,  1,  0, -2,     -399},
    { 0,  0,  2, -2,     -381}, { 1,  1,  1,  0,      351}, { 3,  0, -2,  0,     -340},
    { 4,  0, -3,  0,      330}, { 2, -1,  2,  0,      327}, { 0,  2,  1,  0,     -323},
    { 1,  1, -1,  0,      299}, { 2,  0,  3,  0,      294}, { 2,  0, -1, -2,        0},
};

constexpr LunarTerm kLunarLatitudeTerms[kLunarTermCount] = {
    { 0,  0,  0,  1,  5128122}, { 0,  0,  1,  1,   280602}, { 0,  0,  1, -1,   277693},
    { 2,  0,  0, -1,   173237}, { 2,  0, -1,  1,    55413}, { 2,  0, -1, -1,    46271},
    { 2,  0,  0,  1,    32573}, { 0,  0,  2,  1,    17198}, { 2,  0,  1, -1,     9266},
    { 0,  0,  2, -1,     8822}, { 2, -1,  0, -1,     8216}, { 2,  0, -2, -1,     4324},
    { 2,  0,  1,  1,     4200}, { 2,  1,  0, -1,    -3359}, { 2, -1, -1,  1,     2463},
    { 2, -1,  0,  1,     2211}, { 2, -1, -1, -1,     2065}, { 0,  1, -1, -1,    -1870},
    { 4,  0, -1, -1,     1828}, { 0,  1,  0,  1,    -1794}, { 0,  0,  0,  3,    -1749},
    { 0,  1, -1,  1,    -1565}, { 1,  0,  0,  1,    -1491}, { 0,  1,  1,  1,    -1475},
    { 0,  1,  1, -1,    -1410}, { 0,  1,  0, -1,    -1344}, { 1,  0,  0, -1,    -1335},
    { 0,  0,  3,  1,     1107}, { 4,  0,  0, -1,     1021}, { 4,  0, -1,  1,      833},
    { 0,  0,  1, -3,      777}, { 4,  0, -2,  1,      671}, { 2,  0,  0, -3,      607},
    { 2,  0,  2, -1,      596}, { 2, -1,  1, -1,      491}, { 2,  0, -2,  1,     -451},
    { 0,  0,  3, -1,      439}, { 2,  0,  2,  1,      422}, { 2,  0, -3, -1,      421},
    { 2,  1, -1,  1,     -366}, { 2,  1,  0,  1,     -351}, { 4,  0,  0,  1,      331},
    { 2, -1,  1,  1,      315}, { 2, -2,  0, -1,      302}, { 0,  0,  1,  3,     -283},
    { 2,  1,  1, -1,     -229}, { 1,  1,  0, -1,      223}, { 1,  1,  0,  1,      223},
    { 0,  1, -2, -1,     -220}, { 2,  1, -1, -1,     -220}, { 1,  0,  1,  1,     -185},
    { 2, -1, -2, -1,      181}, { 0,  1,  2,  1,     -177}, { 4,  0, -2, -1,      176},
    { 4, -1, -1, -1,      166}, { 1,  0,  1, -1,     -164}, { 4,  0,  1, -1,      132},
    { 1,  0, -1, -1,     -119}, { 4, -1,  0, -1,      115}, { 2, -2,  0,  1,      107},
};

namespace {

// Every term's sine is Im(e^{i(aD + bM)} * e^{i(cM' + dF)}). The distinct (a, b) and (c, d)
// pairs of both tables are collected once at compile time, so that one moment computes each
// pair product once and each term costs one complex product's imaginary part.
struct MultiplePair {
    signed char first;
    signed char second;
};

struct LunarTermPlan {
    int elongationPairCount = 0;
    MultiplePair elongationPairs[25] = {};  // (D, M) multiples
    int anomalyPairCount = 0;
    MultiplePair anomalyPairs[63] = {};  // (M', F) multiples
    unsigned char longitudeElongationPair[kLunarTermCount] = {};
    unsigned char longitudeAnomalyPair[kLunarTermCount] = {};
    unsigned char latitudeElongationPair[kLunarTermCount] = {};
    unsigned char latitudeAnomalyPair[kLunarTermCount] = {};
};

constexpr unsigned char FindOrAddPair(MultiplePair* pairs, int* count, signed char first,
                                      signed char second)
{
    for (int i = 0; i < *count; ++i)
        if (pairs[i].first == first && pairs[i].second == second)
            return static_cast<unsigned char>(i);
    pairs[*count] = MultiplePair{first, second};
    return static_cast<unsigned char>((*count)++);
}

constexpr LunarTermPlan MakeLunarTermPlan(const LunarTerm* longitudeTerms,
                                          const LunarTerm* latitudeTerms)
{
    LunarTermPlan plan;
    for (int k = 0; k < kLunarTermCount; ++k) {
        const LunarTerm& l = longitudeTerms[k];
        plan.longitudeElongationPair[k] = FindOrAddPair(
            plan.elongationPairs, &plan.elongationPairCount, l.elongation, l.sunAnomaly);
        plan.longitudeAnomalyPair[k] = FindOrAddPair(
            plan.anomalyPairs, &plan.anomalyPairCount, l.moonAnomaly, l.argumentOfLatitude);
        const LunarTerm& b = latitudeTerms[k];
        plan.latitudeElongationPair[k] = FindOrAddPair(
            plan.elongationPairs, &plan.elongationPairCount, b.elongation, b.sunAnomaly);
        plan.latitudeAnomalyPair[k] = FindOrAddPair(
            plan.anomalyPairs, &plan.anomalyPairCount, b.moonAnomaly, b.argumentOfLatitude);
    }
    return plan;
}

constexpr LunarTermPlan kPlan = MakeLunarTermPlan(kLunarLongitudeTerms, kLunarLatitudeTerms);

// The terms of one table ordered by their (D, M) pair: a pair's terms share the factor
// e^{i(aD + bM)} and the eccentricity factor, so
//   sum over the pair = E^|b| (sin(aD + bM) sum c cos(cM' + dF) + cos(aD + bM) sum c sin(cM' + dF)),
// two multiply-adds per term.
struct GroupedTerms {
    int groupCount = 0;
    unsigned char groupPair[25] = {};     // elongation pair of each group
    unsigned char groupEnd[25] = {};      // one past the group's last term
    unsigned char groupSunPower[25] = {};  // |b|, the power of E
    unsigned char anomalyPair[kLunarTermCount] = {};
    double coefficient[kLunarTermCount][2] = {};  // twice, for both lanes of a register
};

constexpr GroupedTerms GroupTerms(const LunarTerm* terms, const unsigned char* elongationPair,
                                  const unsigned char* anomalyPair, int pairCount)
{
    GroupedTerms g;
    int k = 0;
    for (int pair = 0; pair < pairCount; ++pair) {
        int start = k;
        for (int t = 0; t < kLunarTermCount; ++t) {
            if (elongationPair[t] != pair) continue;
            g.anomalyPair[k] = anomalyPair[t];
            g.coefficient[k][0] = g.coefficient[k][1] = terms[t].coefficient;
            ++k;
        }
        if (k == start) continue;
        int b = 0;
        for (int t = 0; t < kLunarTermCount; ++t)
            if (elongationPair[t] == pair) b = terms[t].sunAnomaly < 0 ? -terms[t].sunAnomaly : terms[t].sunAnomaly;
        g.groupPair[g.groupCount] = static_cast<unsigned char>(pair);
        g.groupEnd[g.groupCount] = static_cast<unsigned char>(k);
        g.groupSunPower[g.groupCount] = static_cast<unsigned char>(b);
        ++g.groupCount;
    }
    return g;
}

constexpr GroupedTerms kLongitudeGroups =
    GroupTerms(kLunarLongitudeTerms, kPlan.longitudeElongationPair, kPlan.longitudeAnomalyPair,
               kPlan.elongationPairCount);
constexpr GroupedTerms kLatitudeGroups =
    GroupTerms(kLunarLatitudeTerms, kPlan.latitudeElongationPair, kPlan.latitudeAnomalyPair,
               kPlan.elongationPairCount);

// e^{ikx} for k = 0..count-1.
inline void FillPowers(Phasor base, Phasor* powers, int count)
{
    powers[0] = Phasor{1.0, 0.0};
    powers[1] = base;
    for (int k = 2; k < count; ++k)
        powers[k] = (k % 2 == 0) ? Multiply(powers[k / 2], powers[k / 2])
                                 : Multiply(powers[k - 1], base);
}

// e^{ikx} for k = -(count-1)..count-1 at signed[count - 1 + k], so that signed multiples are
// read without a branch.
inline void FillSignedPowers(Phasor base, Phasor* signedPowers, int count)
{
    Phasor* zero = signedPowers + count - 1;
    FillPowers(base, zero, count);
    for (int k = 1; k < count; ++k) zero[-k] = Conjugate(zero[k]);
}

inline double SumTerms(const GroupedTerms& g, const Phasor* elongationPhasors,
                       const Phasor* anomalyPhasors, const double* eccentricityFactor)
{
    double sum = 0.0;
    int k = 0;
    for (int group = 0; group < g.groupCount; ++group) {
        DoubleLanes sums = {0.0, 0.0};  // sum c cos(cM' + dF), sum c sin(cM' + dF)
        for (; k < g.groupEnd[group]; ++k)
            sums += LoadLanes(g.coefficient[k]) * LoadLanes(&anomalyPhasors[g.anomalyPair[k]].c);
        const double cosines = sums[0], sines = sums[1];
        const Phasor& x = elongationPhasors[g.groupPair[group]];
        sum += eccentricityFactor[g.groupSunPower[group]] * (x.s * cosines + x.c * sines);
    }
    return sum;
}

}  // namespace

// The mean longitude is a result and keeps the reduction into [0, 360]; the other arguments
// are only taken through their sines and cosines.
LunarArguments ComputeLunarArguments(double julianDay)
{
    double t = (julianDay - 2451545.0) / 36525.0;
    double t2 = t * t;
    double t3 = t2 * t;
    double t4 = t3 * t;
    LunarArguments a;
    a.meanLongitude = ReduceIntoClosedTurn(218.3164591 + 481267.88134236 * t - 0.0013268 * t2 +
                                           t3 / 538841.0 - t4 / 65194000.0);
    a.elongation = ReduceTurnsForSines(297.8502042 + 445267.1115168 * t - 0.00163 * t2 +
                                        t3 / 545868.0 - t4 / 113065000.0);
    a.sunAnomaly =
        ReduceTurnsForSines(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0);
    a.moonAnomaly = ReduceTurnsForSines(134.9634114 + 477198.8676313 * t + 0.008997 * t2 +
                                         t3 / 69699.0 - t4 / 14712000.0);
    a.argumentOfLatitude = ReduceTurnsForSines(93.2720993 + 483202.0175273 * t -
                                                0.0034029 * t2 - t3 / 3526000.0 +
                                                t4 / 863310000.0);
    a.a1 = ReduceTurnsForSines(119.75 + 131.849 * t);
    a.a2 = ReduceTurnsForSines(53.09 + 479264.29 * t);
    a.a3 = ReduceTurnsForSines(313.45 + 481266.484 * t);
    a.e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    return a;
}

void MoonPosition(double julianDay, double* longitude, double* latitude)
{
    LunarArguments a = ComputeLunarArguments(julianDay);

    // The arguments' sines and cosines two at a time, in the lanes of a vector register.
    const BasicPhasor<DoubleLanes> elongationAndSun = FastPhasorOf(
        DoubleLanes{DegreesToRadians(a.elongation), DegreesToRadians(a.sunAnomaly)});
    const BasicPhasor<DoubleLanes> anomalyAndLatitude = FastPhasorOf(
        DoubleLanes{DegreesToRadians(a.moonAnomaly), DegreesToRadians(a.argumentOfLatitude)});
    const BasicPhasor<DoubleLanes> longitudeAndVenus = FastPhasorOf(
        DoubleLanes{DegreesToRadians(a.meanLongitude), DegreesToRadians(a.a1)});
    const DoubleLanes jupiterAndFlattening =
        FastPhasorOf(DoubleLanes{DegreesToRadians(a.a2), DegreesToRadians(a.a3)}).s;

    Phasor elongation[5], sunAnomalyPowers[5], moonAnomalyPowers[9], latitudeArgumentPowers[7];
    FillPowers(LaneOf(elongationAndSun, 0), elongation, 5);
    FillSignedPowers(LaneOf(elongationAndSun, 1), sunAnomalyPowers, 3);
    FillSignedPowers(LaneOf(anomalyAndLatitude, 0), moonAnomalyPowers, 5);
    FillSignedPowers(LaneOf(anomalyAndLatitude, 1), latitudeArgumentPowers, 4);
    const Phasor* sunAnomaly = sunAnomalyPowers + 2;  // e^{ikM} at sunAnomaly[k], k = -2..2
    const Phasor* moonAnomaly = moonAnomalyPowers + 4;
    const Phasor* argumentOfLatitude = latitudeArgumentPowers + 3;

    Phasor elongationPhasors[25];
    for (int i = 0; i < kPlan.elongationPairCount; ++i)
        elongationPhasors[i] = Multiply(elongation[kPlan.elongationPairs[i].first],
                                        sunAnomaly[kPlan.elongationPairs[i].second]);
    Phasor anomalyPhasors[63];
    for (int i = 0; i < kPlan.anomalyPairCount; ++i)
        anomalyPhasors[i] = Multiply(moonAnomaly[kPlan.anomalyPairs[i].first],
                                     argumentOfLatitude[kPlan.anomalyPairs[i].second]);

    const double eccentricityFactor[3] = {1.0, a.e, a.e * a.e};
    double sumLongitude =
        SumTerms(kLongitudeGroups, elongationPhasors, anomalyPhasors, eccentricityFactor);
    double sumLatitude =
        SumTerms(kLatitudeGroups, elongationPhasors, anomalyPhasors, eccentricityFactor);

    // Additive terms: the actions of Venus (A1) and Jupiter (A2), the flattening of the Earth.
    Phasor meanLongitude = LaneOf(longitudeAndVenus, 0);
    Phasor venus = LaneOf(longitudeAndVenus, 1);
    Phasor f = argumentOfLatitude[1];
    Phasor mp = moonAnomaly[1];
    double sinLMinusF = meanLongitude.s * f.c - meanLongitude.c * f.s;
    double sinA1MinusF = venus.s * f.c - venus.c * f.s;
    double sinA1PlusF = venus.s * f.c + venus.c * f.s;
    double sinLMinusMp = meanLongitude.s * mp.c - meanLongitude.c * mp.s;
    double sinLPlusMp = meanLongitude.s * mp.c + meanLongitude.c * mp.s;

    sumLongitude += 3958.0 * venus.s + 1962.0 * sinLMinusF +
                    318.0 * jupiterAndFlattening[0];
    sumLatitude += -2235.0 * meanLongitude.s + 382.0 * jupiterAndFlattening[1] +
                   175.0 * sinA1MinusF + 175.0 * sinA1PlusF + 127.0 * sinLMinusMp -
                   115.0 * sinLPlusMp;

    *longitude = a.meanLongitude + sumLongitude * 1e-6;
    *latitude = sumLatitude * 1e-6;
}

double MeanLunarNode(double centuriesSince1950)
{
    double t = centuriesSince1950;
    return ReduceTowardZero(12.1128 - 1934.1399 * t + 0.0021 * t * t);
}
