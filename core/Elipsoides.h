// The reference ellipsoids: the fixed table of 24 (the setting
// ajustes::ElipsoideActual names a row of it) and the two ellipsoids of the
// datums ED50 and ETRS89.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace tesmaro {

struct Elipsoide {
    std::string_view nombre;
    double a;   // semi-major axis (metres)
    double rf;  // inverse flattening 1/f (dimensionless)
};

inline constexpr int NumeroElipsoides = 24;

// Indexed from 0; the index is the row of the selection list and the value of
// ElipsoideActual. Each value is the double nearest to the decimal written.
extern const std::array<Elipsoide, NumeroElipsoides> TablaElipsoides;

// Datum code of the UTM conversions and batches: 0 = ETRS89, 1 = ED50.
enum class Datum : std::int16_t { ETRS89 = 0, ED50 = 1 };

// ED50: International Hayford 1924 (a = 6378388, 1/f = 297).
// ETRS89: GRS 80 (a = 6378137, 1/f = 298.257222101).
Elipsoide ElipsoideDatum(Datum datum);

}  // namespace tesmaro
