// The GTX reader, the interpolation of N and the two-grid geoid model.
#include "Geoide.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace tesmaro {

namespace {

namespace fs = std::filesystem;

// Header offsets (big-endian): four float64, then two int32.
constexpr std::size_t BytesCabecera = 40;
constexpr std::size_t PosLatOrigen = 0;   // latitude of the south-west node, degrees
constexpr std::size_t PosLonOrigen = 8;   // its longitude, degrees (0…360 in some grids)
constexpr std::size_t PosPasoLat = 16;    // degrees
constexpr std::size_t PosPasoLon = 24;    // degrees
constexpr std::size_t PosFilas = 32;      // int32
constexpr std::size_t PosColumnas = 36;   // int32
constexpr std::uint64_t BytesValor = 4;   // float32, metres
// Largest grid kept in memory: its values, like class Rejilla's file.
constexpr std::uint64_t MaxBytesValores = std::uint64_t{1} << 30;
// The GTX "no data" value, and the largest |N| a node may hold (metres):
// PROJ takes anything beyond as no data too.
constexpr float SinDatos = -88.8888f;
constexpr double MaxOndulacion = 1000;
// A grid goes round the world when its columns and one more spacing cover
// 360°, up to PROJ's 1e-10 radians (in degrees).
constexpr double ToleranciaVuelta = 1e-10 * 180 / 3.14159265358979323846;

std::uint64_t LeerU64(const unsigned char* p) {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = (v << 8) | p[i];
    return v;
}
double LeerF64(const unsigned char* p) { return std::bit_cast<double>(LeerU64(p)); }
std::uint32_t LeerU32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
std::int32_t LeerI32(const unsigned char* p) { return static_cast<std::int32_t>(LeerU32(p)); }

std::string Numero(std::int64_t n) {
    char texto[24];
    auto [fin, ec] = std::to_chars(texto, texto + sizeof texto, n);
    return std::string(texto, fin);
}

bool Hueco(float v) {
    return !(static_cast<double>(v) >= -MaxOndulacion && static_cast<double>(v) <= MaxOndulacion) || v == SinDatos;
}

std::string MensajeNoEncontrado(const std::string& ruta) { return "No se encuentra el fichero de geoide " + ruta; }
std::string MensajeNoAbre(const std::string& ruta) { return "No se puede abrir el fichero de geoide " + ruta; }
std::string MensajeInvalido(const std::string& ruta, const std::string& motivo) {
    return "El fichero de geoide " + ruta + " no es una rejilla GTX válida: " + motivo;
}

}  // namespace

RejillaGeoide::RejillaGeoide(const std::string& ruta) : estado_(EstadoRejilla::NoEncontrada), ruta_(ruta) {
    std::error_code ec;
    const fs::file_status tipo = fs::status(ruta, ec);
    if (!fs::exists(tipo)) {
        mensaje_ = MensajeNoEncontrado(ruta);
        return;
    }
    // Only a regular file: a folder cannot be read and a named pipe would block.
    std::ifstream f;
    if (fs::is_regular_file(tipo)) f.open(ruta, std::ios::binary);
    f.seekg(0, std::ios::end);
    const auto fin = f.tellg();
    unsigned char cabecera[BytesCabecera] = {};
    if (!f || fin < 0) {
        mensaje_ = MensajeNoAbre(ruta);
        return;
    }
    const auto tamano = static_cast<std::uint64_t>(fin);
    if (tamano >= BytesCabecera) {
        f.seekg(0);
        f.read(reinterpret_cast<char*>(cabecera), BytesCabecera);
        if (f.gcount() != static_cast<std::streamsize>(BytesCabecera)) {
            mensaje_ = MensajeNoAbre(ruta);
            return;
        }
    }
    Cargar(cabecera, tamano);
    if (estado_ != EstadoRejilla::Correcta) return;
    // The header asked for exactly the rest of the file: read straight into
    // the values, then turned from big-endian in place (one buffer, not two:
    // on a virtual machine every fresh page costs).
    const auto bytes = static_cast<std::streamsize>(tamano - BytesCabecera);
    f.read(reinterpret_cast<char*>(valores_.data()), bytes);
    if (f.gcount() != bytes) {
        valores_.clear();
        estado_ = EstadoRejilla::NoEncontrada;
        mensaje_ = MensajeNoAbre(ruta);
        return;
    }
    for (float& v : valores_) {
        unsigned char b[BytesValor];
        std::memcpy(b, &v, sizeof b);
        v = std::bit_cast<float>(LeerU32(b));
    }
}

RejillaGeoide::RejillaGeoide(const std::string& nombre, const std::vector<unsigned char>& contenido) : ruta_(nombre) {
    unsigned char cabecera[BytesCabecera] = {};
    if (contenido.size() >= BytesCabecera) std::memcpy(cabecera, contenido.data(), BytesCabecera);
    Cargar(cabecera, contenido.size());
    for (std::size_t i = 0; i < valores_.size(); ++i)
        valores_[i] = std::bit_cast<float>(LeerU32(contenido.data() + BytesCabecera + BytesValor * i));
}

// Checks the header against the file size; when both are sound, sizes the
// values (read by the caller) and sets Correcta, else Invalida and why.
void RejillaGeoide::Cargar(const unsigned char* cabecera, std::uint64_t tamano) {
    estado_ = EstadoRejilla::Invalida;
    auto refusar = [this](const std::string& motivo) { mensaje_ = MensajeInvalido(ruta_, motivo); };
    if (tamano < BytesCabecera) return refusar("es demasiado corto para contener la cabecera (40 bytes)");
    const double latOrigen = LeerF64(cabecera + PosLatOrigen), lonOrigen = LeerF64(cabecera + PosLonOrigen);
    const double pasoLat = LeerF64(cabecera + PosPasoLat), pasoLon = LeerF64(cabecera + PosPasoLon);
    const std::int64_t filas = LeerI32(cabecera + PosFilas), columnas = LeerI32(cabecera + PosColumnas);
    for (const double v : {latOrigen, lonOrigen, pasoLat, pasoLon})
        if (!std::isfinite(v)) return refusar("tiene un origen o unos intervalos que no son números");
    if (std::fabs(latOrigen) > 90 || std::fabs(lonOrigen) > 360) return refusar("tiene el origen fuera de rango");
    if (!(pasoLat > 0 && pasoLat <= 180 && pasoLon > 0 && pasoLon <= 180))
        return refusar("tiene un intervalo de latitud o de longitud nulo, negativo o desmesurado");
    if (filas < 2 || columnas < 2)
        return refusar("tiene " + Numero(filas) + " filas y " + Numero(columnas) +
                       " columnas; hacen falta al menos dos de cada");
    // 0…360° grids are moved to −180…180°, as PROJ does.
    const double oeste = lonOrigen >= 180 ? lonOrigen - 360 : lonOrigen;
    const double este = oeste + pasoLon * static_cast<double>(columnas - 1);
    const double norte = latOrigen + pasoLat * static_cast<double>(filas - 1);
    if (norte > 90 || este - oeste > 360) return refusar("pasa del polo o da más de una vuelta al mundo");
    // Both counts are below 2³¹: their product fits, times 4 it may not.
    const std::uint64_t nodos = static_cast<std::uint64_t>(filas) * static_cast<std::uint64_t>(columnas);
    if (nodos > MaxBytesValores / BytesValor)
        return refusar("sus " + Numero(filas) + " filas y " + Numero(columnas) +
                       " columnas son demasiados valores (más de 1 GiB)");
    const std::uint64_t esperado = BytesCabecera + nodos * BytesValor;
    if (tamano != esperado)
        return refusar("mide " + Numero(static_cast<std::int64_t>(tamano)) + " bytes y su cabecera (" + Numero(filas) +
                       " filas y " + Numero(columnas) + " columnas) pide " +
                       Numero(static_cast<std::int64_t>(esperado)));
    oeste_ = oeste;
    este_ = este;
    sur_ = latOrigen;
    norte_ = norte;
    pasoLat_ = pasoLat;
    pasoLon_ = pasoLon;
    filas_ = filas;
    columnas_ = columnas;
    vueltaCompleta_ = este - oeste + pasoLon >= 360 - ToleranciaVuelta;
    valores_.resize(static_cast<std::size_t>(nodos));
    estado_ = EstadoRejilla::Correcta;
    mensaje_.clear();
}

bool RejillaGeoide::Contiene(double lon, double lat) const {
    if (estado_ != EstadoRejilla::Correcta || std::isnan(lon)) return false;
    if (!(lat >= sur_ && lat <= norte_)) return false;
    if (vueltaCompleta_) return true;
    if (lon < oeste_)
        lon += 360;
    else if (lon > este_)
        lon -= 360;
    return lon >= oeste_ && lon <= este_;
}

OndulacionGeoide RejillaGeoide::Ondulacion(double lon, double lat) const {
    if (!Contiene(lon, lat)) return {};
    const double ancho = static_cast<double>(columnas_);
    double gx = (lon - oeste_) / pasoLon_;
    if (lon < oeste_ || lon > este_) {
        if (vueltaCompleta_)
            gx = std::fmod(std::fmod(gx + ancho, ancho) + ancho, ancho);
        else
            gx = (lon + (lon < oeste_ ? 360 : -360) - oeste_) / pasoLon_;
    }
    double gy = (lat - sur_) / pasoLat_;
    const double fx = std::floor(gx), fy = std::floor(gy);
    // Never out of the values, whatever the rounding (or an infinite lon).
    if (!(fx >= 0 && fx < ancho && fy >= 0 && fy < static_cast<double>(filas_))) return {};
    const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    gx -= fx;
    gy -= fy;
    const std::int64_t ix2 = ix + 1 < columnas_ ? ix + 1 : (vueltaCompleta_ ? 0 : columnas_ - 1);
    const std::int64_t iy2 = iy + 1 < filas_ ? iy + 1 : filas_ - 1;
    const float a = Nodo(ix, iy), b = Nodo(ix2, iy), c = Nodo(ix, iy2), d = Nodo(ix2, iy2);
    if (Hueco(a) || Hueco(b) || Hueco(c) || Hueco(d)) return {};
    const double xy = gx * gy;
    double N = static_cast<double>(a) * (1.0 - gx - gy + xy);
    N += static_cast<double>(b) * (gx - xy);
    N += static_cast<double>(c) * (gy - xy);
    N += static_cast<double>(d) * xy;
    return {true, N};
}

// ---- The model ----

std::string RutaGeoide(const char* nombre) {
    const std::string carpeta = CarpetaDatosPrograma();
    return carpeta.empty() ? std::string(nombre) : (fs::path(carpeta) / nombre).string();
}

Geoide::Geoide(const std::string& rutaPeninsula, const std::string& rutaCanarias)
    : peninsula_(rutaPeninsula), canarias_(rutaCanarias) {}

Geoide::Geoide(RejillaGeoide peninsula, RejillaGeoide canarias)
    : peninsula_(std::move(peninsula)), canarias_(std::move(canarias)) {}

EstadoRejilla Geoide::estado() const {
    return peninsula_.estado() != EstadoRejilla::Correcta ? peninsula_.estado() : canarias_.estado();
}

const std::string& Geoide::mensaje() const {
    return peninsula_.estado() != EstadoRejilla::Correcta ? peninsula_.mensaje() : canarias_.mensaje();
}

AlturaGeoide Geoide::Ondulacion(double lon, double lat) const {
    if (estado() != EstadoRejilla::Correcta) return {};
    for (const auto& [rejilla, zona] : {std::pair{&peninsula_, ZonaGeoide::PeninsulaBaleares},
                                        std::pair{&canarias_, ZonaGeoide::Canarias}}) {
        if (!rejilla->Contiene(lon, lat)) continue;
        const OndulacionGeoide o = rejilla->Ondulacion(lon, lat);
        return o.dentro ? AlturaGeoide{zona, o.N, 0} : AlturaGeoide{};
    }
    return {};
}

AlturaGeoide Geoide::AltitudOrtometrica(double lon, double lat, double h) const {
    AlturaGeoide r = Ondulacion(lon, lat);
    if (r.dentro()) r.altura = h - r.N;
    return r;
}

AlturaGeoide Geoide::AlturaElipsoidal(double lon, double lat, double H) const {
    AlturaGeoide r = Ondulacion(lon, lat);
    if (r.dentro()) r.altura = H + r.N;
    return r;
}

}  // namespace tesmaro
