#include "astro/angles.h"

#include "astro/astro_print.h"

double AngleFromCosine(double x)
{
    if (x > 1.0 || x < -1.0) AstroPrint("79 Test tafeln !!! x %f  ", x);
    if (x == 0.0) return kPi / 2.0;
    double angle = std::atan(std::sqrt(1.0 - x * x) / x);
    // atan gives (-pi/2, 0) for a negative cosine; the angle lies in the second quadrant.
    return x < 0.0 ? angle + kPi : angle;
}
