#pragma once
// Rounding of fractional values to whole numbers: to the nearest whole
// number, a half going to the even neighbour (82.5 -> 82, 87.5 -> 88).

#include <cmath>

namespace nolt {

inline double roundHalfEven(double x)
{
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return std::round(x);
}

} // namespace nolt
