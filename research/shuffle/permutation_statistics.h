#pragma once
// The statistics of the shuffle test, over K control groups and Q tested quantities. Control
// values are stored group by group: controls[g * Q + q] is control group g's value of quantity
// q. Everything here is a plain function of its arguments (the bootstrap's draws come from the
// engine passed in), so that small cases can be checked by hand.
//
// Conventions:
// - The control mean of a quantity is the first control's value plus the mean of the other
//   controls' differences from it (so K equal values give exactly that value); its standard
//   deviation has the divisor K - 1.
// - z = (group - mean) / sd, and z = 0 when sd = 0 (every control the same value): such a
//   quantity does not vary under the design, and z says nothing about it. Its permutation p is
//   still defined: 1 when the group has the controls' value, 1 / (K + 1) when it differs.
// - Ties count against the group: a control exactly as far from the mean as the group (in
//   floating point) counts as "at least as far" (p), a control group whose largest |z| equals
//   the quantity's |z| counts as reaching it (family-wise p). Values computed from the same
//   records by the same steps are equal to the bit, so a control that repeats the group ties.

#include "research/shuffle/shuffle_random.h"

// Mean and standard deviation of each quantity over the K >= 1 control groups (sd 0 for K = 1).
void ControlMeansAndSds(const double* controls, int groups, int quantities, double* mean,
                        double* sd);

// (group - mean) / sd; 0 when sd is 0 or not a finite positive number.
double ShuffleZ(double group, double mean, double sd);

// Two-sided permutation p per quantity: (1 + #{g : |c_g - mean| >= |group - mean|}) / (K + 1).
void PermutationPValues(const double* controls, int groups, int quantities, const double* group,
                        const double* mean, double* p);

// Benjamini-Hochberg q-values of p[0..count-1], one family: with the p sorted ascending,
// q_(i) = min over j >= i of p_(j) count / j, at most 1. Equal p get equal q.
void BenjaminiHochbergQ(const double* p, int count, double* q);

// Single-step max-|z| (Westfall-Young) family-wise p per quantity: with M_g the largest
// |c_g,q - mean_q| / sd_q over all quantities of control group g (0 for quantities with sd 0),
// pFamily_q = (1 + #{g : M_g >= |z_q|}) / (K + 1). `maxima` holds K scratch values.
void FamilyWisePValues(const double* controls, int groups, int quantities, const double* mean,
                       const double* sd, const double* z, double* maxima, double* pFamily);

// Bootstrap of the group value. The members' own values (memberValues[i * Q + q], n members)
// are first centred on their mean (CentreMemberValues, the mean formed as the control mean is);
// resample b draws n members with replacement (UniformIndex(n), n draws in order) and keeps how
// often each was drawn, counts[b * n + i]; its deviation is the mean of the drawn centred
// values (ResampleDeviation), and group + deviation - control mean is its difference. Centring
// makes members that all have the same value give exactly the group's difference (an interval
// of width 0) and keeps the sums small.

// Subtracts from each member's values the members' mean.
void CentreMemberValues(double* memberValues, int members, int quantities);

// Draws `resamples` resamples in order.
void DrawBootstrapCounts(ShuffleEngine& engine, int members, int resamples, int* counts);

// The sum of count_i x value_i over the members in order, divided by n.
void ResampleDeviation(const double* memberValues, int members, int quantities, const int* counts,
                       double* deviation);

// The 95 % percentile interval from the B resample deviations (deviations[b * Q + q]) and the
// observed difference (group - control mean, per quantity): with the B differences
// d = difference + deviation sorted ascending d_1 <= ... <= d_B, low = d_k and
// high = d_(B+1-k) with k = ceil(0.025 B) (at least 1): for B = 1000, d_25 and d_976.
// `column` holds B scratch values. B = 0 gives low = high = the observed difference.
void PercentileIntervals(const double* deviations, int resamples, int quantities,
                         const double* difference, double* column, double* low, double* high);
