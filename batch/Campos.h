// Splitting a point-file line into its comma-separated fields.
#pragma once
#include <array>
#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>

namespace tesmaro {

// Field number `indice` (counted from 0) of a comma-separated line.
// Double quotes get no special treatment (a comma inside quotes still splits);
// an empty field is the empty text; an index beyond the last field, or a
// negative one, gives the last field: for the line A,1,2 the indices 2, 3 and 9
// all give "2". This is the rule every point file has always been read by.
std::string ExtraerCampo(std::string_view linea, std::int16_t indice);

// The first N fields of one line, split in a single pass, as views into the
// line (no copy, no allocation). (*this)[i] is exactly ExtraerCampo(linea, i)
// for every i below N, the last-field rule included.
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
