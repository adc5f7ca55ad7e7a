// Helpers of the grid tests: the shipped grid, and small NTv2 and GTX grids
// built in memory (little-endian host, as the NTv2 reader requires of the
// file).
#pragma once
#include <bit>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Rejilla.h"

namespace tesmaro::pruebas {

using Bytes = std::vector<unsigned char>;

inline std::string RutaSped2et() { return std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb"; }
inline const Rejilla& Sped2et() {
    static const Rejilla r(RutaSped2et());
    return r;
}

// One sub-grid of a synthetic grid. Limits in seconds, longitude positive
// west as in the file. The shifts of node (fila, columna), both from 0 and
// counted from the south-east corner, come from the two functions.
struct SubrejillaPrueba {
    std::string nombre = "PRUEBA";
    double sLat = 0, nLat = 0, eLong = 0, wLong = 0, latInc = 1, longInc = 1;
    float (*dLat)(int fila, int columna) = nullptr;
    float (*dLon)(int fila, int columna) = nullptr;
};

// The bytes of a value, and a record: an 8-character label, then 8 bytes.
template <class T>
std::string B(T v) {
    return std::string(reinterpret_cast<const char*>(&v), sizeof v);
}
inline void Poner(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }
inline void Registro(Bytes& b, const std::string& etiqueta, const std::string& valor) {
    Poner(b, (etiqueta + "        ").substr(0, 8) + (valor + "        ").substr(0, 8));
}
inline std::string Entero(std::int32_t v) { return B(v) + std::string(4, '\0'); }

// An NTv2 file with the given sub-grids, in the layout of sped2et.gsb.
inline Bytes CreaRejilla(const std::vector<SubrejillaPrueba>& subs) {
    Bytes b;
    Registro(b, "NUM_OREC", Entero(11));
    Registro(b, "NUM_SREC", Entero(11));
    Registro(b, "NUM_FILE", Entero(static_cast<std::int32_t>(subs.size())));
    for (auto [e, t] : {std::pair{"GS_TYPE", "SECONDS"}, {"VERSION", "PRUEBA"}, {"SYSTEM_F", "ED50"}, {"SYSTEM_T", "ETRS89"}})
        Registro(b, e, t);
    for (auto [e, v] : {std::pair{"MAJOR_F", 6378388.0}, {"MINOR_F", 6356911.9461279465}, {"MAJOR_T", 6378137.0},
                        {"MINOR_T", 6356752.314140356}})
        Registro(b, e, B(v));
    for (const SubrejillaPrueba& s : subs) {
        const int filas = static_cast<int>((s.nLat - s.sLat) / s.latInc + 0.5) + 1;
        const int columnas = static_cast<int>((s.wLong - s.eLong) / s.longInc + 0.5) + 1;
        Registro(b, "SUB_NAME", s.nombre);
        Registro(b, "PARENT", "NONE");
        Registro(b, "CREATED", "01012000");
        Registro(b, "UPDATED", "01012000");
        for (auto [e, v] : {std::pair{"S_LAT", s.sLat}, {"N_LAT", s.nLat}, {"E_LONG", s.eLong}, {"W_LONG", s.wLong},
                            {"LAT_INC", s.latInc}, {"LONG_INC", s.longInc}})
            Registro(b, e, B(v));
        Registro(b, "GS_COUNT", Entero(filas * columnas));
        for (int f = 0; f < filas; ++f)
            for (int c = 0; c < columnas; ++c)
                for (float v : {s.dLat ? s.dLat(f, c) : 0.0f, s.dLon ? s.dLon(f, c) : 0.0f, 0.0f, 0.0f}) Poner(b, B(v));
    }
    Registro(b, "END", std::string(8, '\0'));
    return b;
}

// A GTX file: the header (big-endian), then the values of `filas` rows of
// `columnas`, from the south-west node, given by valor(fila, columna).
inline Bytes CreaGtx(double latOrigen, double lonOrigen, double paso, std::int32_t filas, std::int32_t columnas,
                     float (*valor)(int fila, int columna)) {
    Bytes b;
    auto poner = [&b](std::uint64_t v, int bytes) {
        for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    for (double v : {latOrigen, lonOrigen, paso, paso}) poner(std::bit_cast<std::uint64_t>(v), 8);
    poner(static_cast<std::uint32_t>(filas), 4);
    poner(static_cast<std::uint32_t>(columnas), 4);
    for (int f = 0; f < filas; ++f)
        for (int c = 0; c < columnas; ++c) poner(std::bit_cast<std::uint32_t>(valor(f, c)), 4);
    return b;
}

}  // namespace tesmaro::pruebas
