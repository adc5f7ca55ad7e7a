// Splitting a point-file line into its comma-separated fields.
#pragma once
#include <array>
#include <cassert>
#include <string_view>

namespace tesmaro {

// The first N comma-separated fields of one line, split in a single pass, as
// views into the line (no copy, no allocation). Double quotes get no special
// treatment (a comma inside quotes still splits); an empty field is the empty
// text; an index beyond the last field gives the last field: for the line
// A,1,2 the indices 2, 3 and 4 all give "2". This is the rule every point file
// has always been read by.
template <int N>
class CamposLinea {
public:
    explicit CamposLinea(std::string_view linea) {
        std::size_t inicio = 0;
        for (int k = 0; k < N; ++k) {
            const std::size_t coma = linea.find(',', inicio);
            cuenta_ = k + 1;
            if (coma == std::string_view::npos) {
                campos_[k] = linea.substr(inicio);
                return;
            }
            campos_[k] = linea.substr(inicio, coma - inicio);
            inicio = coma + 1;
        }
    }
    std::string_view operator[](int i) const {
        assert(i >= 0 && i < N);
        return campos_[i < cuenta_ ? i : cuenta_ - 1];
    }

private:
    std::array<std::string_view, N> campos_{};
    int cuenta_ = 1;
};

}  // namespace tesmaro
