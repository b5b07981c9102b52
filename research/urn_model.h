#pragma once
// The urn model's formulas. Binomial coefficients are running products (never factorials), so
// they stay exact as long as the coefficient itself fits a double.

// C(a, m): 1, times (a - i + 1) / i for i = 1..m; 0 when m < 0.
double RunningBinomial(int a, int m);

// Drawing n of N balls, r of them red, without putting back: the chance of exactly k red.
double HypergeometricProbability(int total, int red, int drawn, int hits);

// C(n, k) p^k (1 - p)^(n - k), with p multiplied into the running coefficient at each step.
double BinomialProbability(int n, int k, double p);
