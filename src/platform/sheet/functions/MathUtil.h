#pragma once

namespace vtx::sheet {

/// x rounded to `digits` decimals (negative: to tens, hundreds...), halves
/// away from zero; a product that misses a half by a few units of the last
/// place counts as the half (2.675 to 2 decimals is 2.68).
double roundHalfAway(double x, int digits);
/// x cut towards zero at `digits` decimals.
double roundTowardZero(double x, int digits);
/// x rounded away from zero at `digits` decimals.
double roundAwayFromZero(double x, int digits);

} // namespace vtx::sheet
