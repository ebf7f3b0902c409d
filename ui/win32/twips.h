// Design geometry is kept in twips (1440 to the inch); the screen wants pixels.
#pragma once

namespace zorvitan {

constexpr int kTwipsPerInch = 1440;

// Pixels for a length in twips at `dpi` dots per inch, rounded to the nearest
// pixel (15 twips make one pixel at 96 DPI).
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : -((-scaled + half) / kTwipsPerInch));
}

}  // namespace zorvitan
