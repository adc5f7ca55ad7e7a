// Helpers of the grid tests: paths of the test data and small grids built in
// memory.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tesmaro::pruebas {

inline std::string RutaSped2et() { return std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb"; }
inline std::string CarpetaPruebas() { return TESMARO_PRUEBAS_GRID; }

// One sub-grid of a synthetic grid. Limits in seconds, longitude positive
// west as in the file. The shifts of node (fila, columna), both from 0 and
// counted from the south-east corner, come from the two functions.
struct SubrejillaPrueba {
    std::string nombre = "PRUEBA";
    double sLat = 0, nLat = 0, eLong = 0, wLong = 0, latInc = 1, longInc = 1;
    float (*dLat)(int fila, int columna) = nullptr;
    float (*dLon)(int fila, int columna) = nullptr;
    std::int32_t gsCount = -1;  // -1: rows × columns
};

inline void Registro(std::vector<unsigned char>& b, const char* etiqueta) {
    char e[8];
    std::memset(e, ' ', 8);
    std::memcpy(e, etiqueta, std::min<std::size_t>(8, std::strlen(etiqueta)));
    b.insert(b.end(), e, e + 8);
}
inline void Entero(std::vector<unsigned char>& b, const char* etiqueta, std::int32_t v) {
    Registro(b, etiqueta);
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xff));
    b.insert(b.end(), 4, 0);
}
inline void Real(std::vector<unsigned char>& b, const char* etiqueta, double v) {
    Registro(b, etiqueta);
    unsigned char x[8];
    std::memcpy(x, &v, 8);
    b.insert(b.end(), x, x + 8);
}
inline void Texto(std::vector<unsigned char>& b, const char* etiqueta, const char* v) {
    Registro(b, etiqueta);
    Registro(b, v);
}
inline void Flotante(std::vector<unsigned char>& b, float v) {
    unsigned char x[4];
    std::memcpy(x, &v, 4);
    b.insert(b.end(), x, x + 4);
}

// An NTv2 file with the given sub-grids, in the layout of sped2et.gsb.
inline std::vector<unsigned char> CreaRejilla(const std::vector<SubrejillaPrueba>& subs) {
    std::vector<unsigned char> b;
    Entero(b, "NUM_OREC", 11);
    Entero(b, "NUM_SREC", 11);
    Entero(b, "NUM_FILE", static_cast<std::int32_t>(subs.size()));
    Texto(b, "GS_TYPE", "SECONDS");
    Texto(b, "VERSION", "PRUEBA");
    Texto(b, "SYSTEM_F", "ED50");
    Texto(b, "SYSTEM_T", "ETRS89");
    Real(b, "MAJOR_F", 6378388);
    Real(b, "MINOR_F", 6356911.9461279465);
    Real(b, "MAJOR_T", 6378137);
    Real(b, "MINOR_T", 6356752.314140356);
    for (const SubrejillaPrueba& s : subs) {
        const int filas = static_cast<int>((s.nLat - s.sLat) / s.latInc + 0.5) + 1;
        const int columnas = static_cast<int>((s.wLong - s.eLong) / s.longInc + 0.5) + 1;
        Texto(b, "SUB_NAME", s.nombre.c_str());
        Texto(b, "PARENT", "NONE");
        Texto(b, "CREATED", "01012000");
        Texto(b, "UPDATED", "01012000");
        Real(b, "S_LAT", s.sLat);
        Real(b, "N_LAT", s.nLat);
        Real(b, "E_LONG", s.eLong);
        Real(b, "W_LONG", s.wLong);
        Real(b, "LAT_INC", s.latInc);
        Real(b, "LONG_INC", s.longInc);
        Entero(b, "GS_COUNT", s.gsCount >= 0 ? s.gsCount : filas * columnas);
        for (int f = 0; f < filas; ++f)
            for (int c = 0; c < columnas; ++c) {
                Flotante(b, s.dLat ? s.dLat(f, c) : 0.0f);
                Flotante(b, s.dLon ? s.dLon(f, c) : 0.0f);
                Flotante(b, 0.0f);
                Flotante(b, 0.0f);
            }
    }
    Registro(b, "END");
    b.insert(b.end(), 8, 0);
    return b;
}

}  // namespace tesmaro::pruebas
