#include "Capas.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <vector>

#include "Ajustes.h"
#include "Angulos.h"
#include "Conversiones.h"
#include "Elipsoides.h"
#include "Lector.h"
#include "Rejilla.h"
#include "TratarFichero.h"

namespace tesmaro {

namespace {

namespace fs = std::filesystem;

struct Formato {
    FormatoCapa formato;
    std::string_view extension, driver, nombre;
    std::array<std::string_view, 4> anejos;  // sidecar extensions written beside the file
};

constexpr std::array<Formato, 5> Formatos{{
    {FormatoCapa::GeoPackage, ".gpkg", "GPKG", "GeoPackage", {}},
    {FormatoCapa::Shapefile, ".shp", "ESRI Shapefile", "Shapefile", {".shx", ".dbf", ".prj", ".cpg"}},
    {FormatoCapa::GeoJSON, ".geojson", "GeoJSON", "GeoJSON", {}},
    {FormatoCapa::KML, ".kml", "KML", "KML", {}},
    {FormatoCapa::CSV, ".csv", "CSV", "CSV", {".csvt", ".prj"}},
}};

const Formato& DatosFormato(FormatoCapa f) {
    return *std::find_if(Formatos.begin(), Formatos.end(), [f](const Formato& d) { return d.formato == f; });
}

// ---- The text result -------------------------------------------------------

struct Campo {
    std::string texto;
    bool comillas = false;
};

// One record: fields separated by ",", a text in double quotes (which may
// hold commas but no quote), a number bare.
void Partir(std::string_view linea, std::vector<Campo>& campos) {
    if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
    campos.clear();
    std::size_t i = 0;
    while (true) {
        Campo c;
        if (i < linea.size() && linea[i] == '"') {
            const std::size_t fin = linea.find('"', i + 1);
            const std::size_t hasta = fin == std::string_view::npos ? linea.size() : fin;
            c.texto = linea.substr(i + 1, hasta - i - 1);
            c.comillas = true;
            i = std::min(linea.size(), hasta + 1);
        }
        const std::size_t coma = linea.find(',', i);
        const std::size_t hasta = coma == std::string_view::npos ? linea.size() : coma;
        if (!c.comillas) c.texto = linea.substr(i, hasta - i);
        campos.push_back(std::move(c));
        if (coma == std::string_view::npos) break;
        i = coma + 1;
    }
}

bool Numero(const Campo& c, double& v) {
    if (c.comillas || c.texto.empty()) return false;
    const char* fin = c.texto.data() + c.texto.size();
    const auto r = std::from_chars(c.texto.data(), fin, v);
    return r.ec == std::errc() && r.ptr == fin && std::isfinite(v);
}

bool Entero(const Campo& c, long long& v) {
    if (c.comillas || c.texto.empty()) return false;
    const char* fin = c.texto.data() + c.texto.size();
    const auto r = std::from_chars(c.texto.data(), fin, v);
    return r.ec == std::errc() && r.ptr == fin;
}

double Valor(const std::vector<Campo>& campos, std::size_t i) {
    double v = 0;
    return i < campos.size() && Numero(campos[i], v) ? v : std::nan("");
}

// ---- What each conversion's result holds -----------------------------------

using Geometria = ResultadoPuntos;

struct Disposicion {
    Geometria geometria;
    std::optional<Datum> datum;  // fixed by the conversion; else by the ellipsoid columns
    bool enUnidad;               // angles in the user's unit (else decimal degrees)
};

Disposicion DisposicionDe(const Conversion& c) { return {c.puntos, c.datumPuntos, c.leeUnidad}; }

enum class Tipo { Vacio, Entero, Real, Texto };

struct Columna {
    std::string titulo;
    Tipo tipo = Tipo::Vacio;
    std::size_t ancho = 1;  // longest text, in bytes
};

// The ellipsoid of the records and the coordinate system it stands for.
struct Sistema {
    double a = 0, rf = 0;
    int epsg = 0;        // 0: the ellipsoid's own geographic system
    std::string nombre;  // the ellipsoid's name in the table, if it is there
    bool ed50 = false;   // positions need the grid to be WGS 84
};

bool Igual(double x, double y) { return std::abs(x - y) <= 1e-9 * std::abs(y); }

Sistema SistemaDe(Datum d) {
    const Elipsoide e = ElipsoideDatum(d);
    return {e.a, e.rf, d == Datum::ED50 ? 4230 : 4258, std::string(e.nombre), d == Datum::ED50};
}

Sistema SistemaDe(double a, double rf) {
    for (const Datum d : {Datum::ETRS89, Datum::ED50}) {
        const Elipsoide e = ElipsoideDatum(d);
        if (Igual(a, e.a) && Igual(rf, e.rf)) return SistemaDe(d);
    }
    Sistema s{a, rf, 0, {}, false};
    for (const Elipsoide& e : TablaElipsoides)
        if (Igual(a, e.a) && Igual(rf, e.rf)) s.nombre = e.nombre;
    if (s.nombre == "WGS 84") s.epsg = 4326;
    return s;
}

std::string Decimal(double v) {
    char b[32];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return std::string(b, r.ptr);
}

// What the first reading learns.
struct Examen {
    std::vector<Columna> columnas;
    std::size_t calculadas = 0;  // leading columns a converted record has filled
    std::optional<Sistema> sistema;
    int huso = 0;                // geographic-to-UTM: the one zone of every point, north
    bool unHuso = true;
    std::uint64_t convertidos = 0;
};

bool Convertido(const std::vector<Campo>& campos, std::size_t calculadas) {
    if (campos.size() < calculadas) return false;
    for (std::size_t i = 1; i < calculadas; ++i)
        if (campos[i].texto.empty()) return false;
    return true;
}

void Anotar(Columna& col, const Campo& c) {
    if (c.texto.empty()) return;
    col.ancho = std::max(col.ancho, c.texto.size());
    long long e = 0;
    double r = 0;
    Tipo t = Entero(c, e) && e >= INT32_MIN && e <= INT32_MAX ? Tipo::Entero
             : Numero(c, r)                                   ? Tipo::Real
                                                              : Tipo::Texto;
    col.tipo = std::max(col.tipo, t);
}

// ---- The run -----------------------------------------------------------------

std::string ErrorGdal(std::string_view que) {
    std::string t(que);
    const char* m = CPLGetLastErrorMsg();
    if (m && *m) {
        t += ": ";
        t += m;
    }
    return t;
}

// Temporaries of the layer being written, for the signal handlers.
constexpr std::size_t MaxTemporales = 6;
char temporales[MaxTemporales][4096];
volatile std::sig_atomic_t numTemporales = 0;

class Temporales {
public:
    void Anadir(const std::string& ruta) {
        rutas_.push_back(ruta);
        const auto n = static_cast<std::size_t>(numTemporales);
        if (n < MaxTemporales && ruta.size() < sizeof temporales[0]) {
            std::memcpy(temporales[n], ruta.c_str(), ruta.size() + 1);
            numTemporales = static_cast<std::sig_atomic_t>(n + 1);
        }
    }
    void Olvidar() {
        numTemporales = 0;
        rutas_.clear();
    }
    ~Temporales() {
        numTemporales = 0;
        for (const std::string& r : rutas_) ::unlink(r.c_str());
    }

private:
    std::vector<std::string> rutas_;
};

struct CerrarDataset {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};

class Escritor {
public:
    Escritor(const Conversion& conversion, const std::string& rutaTxt, const std::string& rutaCapa,
             const OpcionesCapa& opciones, const Formato& formato)
        : disp_(DisposicionDe(conversion)), rutaTxt_(rutaTxt), rutaCapa_(rutaCapa), opciones_(opciones),
          formato_(formato), wgs84_(formato.formato == FormatoCapa::GeoJSON || formato.formato == FormatoCapa::KML) {
        // The result's angles back to degrees as the program turned them from
        // degrees (its own π).
        unidad_ = !disp_.enUnidad ? 1 : opciones.unidad ? opciones.unidad : ajustes::UnidadAngular;
    }

    ResumenCapa Ejecutar() {
        resumen_.formato = formato_.nombre;
        resumen_.lineas = disp_.geometria == Geometria::Directo || disp_.geometria == Geometria::Inverso;
        if (!Examinar()) return resumen_;
        if (!Preparar()) return resumen_;
        if (!Escribir()) {
            resumen_.entidades = resumen_.sinConvertir = resumen_.fueraRejilla = 0;
            return resumen_;
        }
        resumen_.escrita = true;
        return resumen_;
    }

private:
    bool Fallar(std::string texto) {
        resumen_.error = std::move(texto);
        return false;
    }

    bool Examinar() {
        std::ifstream f(rutaTxt_, std::ios::binary);
        std::string linea;
        if (!f || !std::getline(f, linea)) return Fallar("No se puede leer el fichero de resultados: " + rutaTxt_);
        std::vector<Campo> campos;
        Partir(linea, campos);
        for (const Campo& c : campos) ex_.columnas.push_back({c.texto});
        // The inverse problem's last column is a note, empty when all is well.
        ex_.calculadas = ex_.columnas.size() - (disp_.geometria == Geometria::Inverso ? 1 : 0);
        if (ex_.columnas.size() < (disp_.geometria == Geometria::Inverso ? 10u : 4u))
            return Fallar("El fichero no es un resultado de esta conversión: " + rutaTxt_);
        for (std::size_t i = 0; i < ex_.columnas.size(); ++i) {
            if (ex_.columnas[i].titulo == "Semieje a") colA_ = i;
            if (ex_.columnas[i].titulo == "1/f") colRf_ = i;
        }
        if (!disp_.datum && !colA_) return Fallar("El fichero no es un resultado de esta conversión: " + rutaTxt_);
        if (disp_.datum) ex_.sistema = SistemaDe(*disp_.datum);
        while (std::getline(f, linea)) {
            Partir(linea, campos);
            if (campos.size() == 1 && campos[0].texto.empty()) continue;
            if (!Convertido(campos, ex_.calculadas)) continue;
            ++ex_.convertidos;
            for (std::size_t i = 0; i < std::min(campos.size(), ex_.columnas.size()); ++i)
                Anotar(ex_.columnas[i], campos[i]);
            if (!ex_.sistema) ex_.sistema = SistemaDe(Valor(campos, *colA_), Valor(campos, *colRf_));
            if (disp_.geometria == Geometria::Utm) {
                const int huso = static_cast<int>(Valor(campos, 3));
                if (campos[4].texto != "Norte" || (ex_.huso && huso != ex_.huso)) ex_.unHuso = false;
                ex_.huso = huso;
            }
        }
        if (f.bad()) return Fallar("No se puede leer el fichero de resultados: " + rutaTxt_);
        if (!ex_.sistema) ex_.sistema = SistemaDe(Datum::ETRS89);  // no record: any will do
        return true;
    }

    bool Preparar() {
        const Sistema& s = *ex_.sistema;
        utm_ = disp_.geometria == Geometria::Utm && ex_.unHuso && ex_.huso && !wgs84_;
        const int epsg = wgs84_ ? 4326 : utm_ ? (s.ed50 ? 23000 : 25800) + ex_.huso : s.epsg;
        if (wgs84_ && s.epsg == 0)
            return Fallar(std::string(formato_.nombre) + std::string(" es WGS 84 y no hay transformación desde el elipsoide ") +
                          (s.nombre.empty() ? "a = " + Decimal(s.a) + ", 1/f = " + Decimal(s.rf) : s.nombre) +
                          "; guarde la capa como .gpkg o .shp");
        if (epsg) {
            srs_.importFromEPSG(epsg);
            resumen_.sistema = "EPSG:" + std::to_string(epsg);
        } else {
            const std::string nombre = s.nombre.empty() ? "a=" + Decimal(s.a) + " 1/f=" + Decimal(s.rf) : s.nombre;
            srs_.SetGeogCS(("Geográficas " + nombre).c_str(), ("Datum sobre " + nombre).c_str(), nombre.c_str(),
                           s.a, s.rf);
            resumen_.sistema = "geográficas en el elipsoide " + nombre;
        }
        srs_.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        if (wgs84_ && s.ed50) {
            rejilla_ = std::make_unique<Rejilla>(opciones_.rutaRejilla.empty() ? RutaRejillaVentanas()
                                                                                : opciones_.rutaRejilla);
            if (rejilla_->estado() != EstadoRejilla::Correcta) return Fallar(rejilla_->mensaje());
        }
        if (disp_.geometria == Geometria::Directo) {
            entrada_.reset(std::fopen(opciones_.rutaEntrada.c_str(), "rb"));
            if (opciones_.rutaEntrada.empty() || !entrada_)
                return Fallar("El problema directo necesita su fichero de puntos para trazar las líneas: " +
                              opciones_.rutaEntrada);
            lector_ = std::make_unique<LectorLineas>(entrada_.get());
            formatoEntrada_ = DetectarFormato(lector_->PrimerasLineas(20));
            std::string_view cabecera;
            lector_->Siguiente(cabecera);
        }
        return true;
    }

    // The next point line of the direct problem's input: its A in degrees.
    bool PuntoA(double& lon, double& lat) {
        std::string_view l;
        do {
            if (!lector_->Siguiente(l)) return false;
        } while (LineaEnBlanco(l));
        const CamposFichero c(l, formatoEntrada_);
        return LeerCampoNumero(c[1], formatoEntrada_.comaDecimal, lon) &&
               LeerCampoNumero(c[2], formatoEntrada_.comaDecimal, lat);
    }

    // A geographic position (degrees) in the layer's system: to WGS 84
    // through the grid when the layer is WGS 84 and the datum ED50.
    bool Llevar(double& lon, double& lat) {
        if (!rejilla_) return true;
        const PuntoRejilla p = rejilla_->ED50aETRS89(lon * 3600, lat * 3600);
        lon = p.lon / 3600;
        lat = p.lat / 3600;
        return p.dentro;
    }

    // The geometry of a converted record; null when a position is outside the grid.
    std::unique_ptr<OGRGeometry> Forma(const std::vector<Campo>& campos, bool& errorEntrada) {
        const Sistema& s = *ex_.sistema;
        double lon = 0, lat = 0;
        switch (disp_.geometria) {
            case Geometria::Geograficas:
                lon = AGrados(Valor(campos, 1));
                lat = AGrados(Valor(campos, 2));
                break;
            case Geometria::Utm: {
                const double x = Valor(campos, 1), y = Valor(campos, 2);
                if (utm_) return std::make_unique<OGRPoint>(x, y);
                const double huso = Valor(campos, 3);
                const GeographicLib::TransverseMercator tm(s.a, 1 / s.rf, 0.9996);
                tm.Reverse(huso * 6 - 183, x - 500000, campos[4].texto == "Norte" ? y : y - 10000000, lat, lon);
                break;
            }
            case Geometria::Cartesianas: {
                double h = 0;
                GeographicLib::Geocentric(s.a, 1 / s.rf)
                    .Reverse(Valor(campos, 1), Valor(campos, 2), Valor(campos, 3), lat, lon, h);
                break;
            }
            case Geometria::Directo:
            case Geometria::Inverso: {
                double lonA = 0, latA = 0;
                const bool directo = disp_.geometria == Geometria::Directo;
                if (directo) {
                    if (!PuntoA(lonA, latA)) {
                        errorEntrada = true;
                        return nullptr;
                    }
                } else {
                    lonA = Valor(campos, 1);
                    latA = Valor(campos, 2);
                }
                return Geodesica(AGrados(lonA), AGrados(latA), AGrados(Valor(campos, directo ? 1 : 5)),
                                 AGrados(Valor(campos, directo ? 2 : 6)));
            }
        }
        if (!Llevar(lon, lat)) return nullptr;
        return std::make_unique<OGRPoint>(lon, lat);
    }

    // A to B along the geodesic of the run's ellipsoid: a vertex every 10 km
    // at most (1000 at most), the ends exactly the result's.
    std::unique_ptr<OGRGeometry> Geodesica(double lonA, double latA, double lonB, double latB) {
        const Sistema& s = *ex_.sistema;
        const GeographicLib::Geodesic g(s.a, 1 / s.rf);
        const GeographicLib::GeodesicLine l = g.InverseLine(latA, lonA, latB, lonB);
        const int n = static_cast<int>(std::clamp(std::ceil(l.Distance() / 10000), 1.0, 1000.0));
        auto linea = std::make_unique<OGRLineString>();
        for (int i = 0; i <= n; ++i) {
            double lat = latA, lon = lonA, nada = 0;
            if (i > 0) {
                l.GenPosition(false, l.Distance() * i / n,
                              GeographicLib::GeodesicLine::LATITUDE | GeographicLib::GeodesicLine::LONGITUDE |
                                  GeographicLib::GeodesicLine::LONG_UNROLL,
                              lat, lon, nada, nada, nada, nada, nada, nada);
                if (i == n) {  // B as written, on the same turn as the line
                    lat = latB;
                    lon = lonB + 360 * std::round((lon - lonB) / 360);
                }
            }
            if (!Llevar(lon, lat)) return nullptr;
            linea->addPoint(lon, lat);
        }
        return linea;
    }

    std::vector<std::string> NombresCampos() const {
        std::vector<std::string> nombres;
        std::set<std::string> usados;
        for (const Columna& c : ex_.columnas) {
            std::string n = c.titulo.empty() ? "Campo" : c.titulo;
            if (formato_.formato == FormatoCapa::Shapefile) {
                // dBase names: 10 bytes, cut on a UTF-8 character boundary, unique.
                auto cortar = [](std::string t, std::size_t max) {
                    if (t.size() <= max) return t;
                    while (max > 0 && (static_cast<unsigned char>(t[max]) & 0xC0) == 0x80) --max;
                    return t.substr(0, max);
                };
                const std::string base = n;
                n = cortar(base, 10);
                for (int k = 2; usados.count(n); ++k) {
                    std::string sufijo(1, '_');
                    sufijo += std::to_string(k);
                    n = cortar(base, 10 - sufijo.size()) + sufijo;
                }
            }
            usados.insert(n);
            nombres.push_back(n);
        }
        return nombres;
    }

    bool Escribir() {
        const fs::path final(rutaCapa_);
        const std::string raiz = (final.parent_path() / ("." + final.stem().string() + ".temporal-" +
                                                         std::to_string(::getpid())))
                                     .string();
        const std::string temporal = raiz + std::string(formato_.extension);
        Temporales temporales;
        temporales.Anadir(temporal);
        for (const std::string_view a : formato_.anejos)
            if (!a.empty()) temporales.Anadir(raiz + std::string(a));

        GDALAllRegister();
        GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(std::string(formato_.driver).c_str());
        if (!driver) return Fallar(std::string("GDAL no tiene el formato ") + std::string(formato_.nombre));
        CPLStringList opcionesDataset;
        CPLStringList opcionesCapa;
        const bool lineas = resumen_.lineas;
        switch (formato_.formato) {
            case FormatoCapa::Shapefile: opcionesCapa.SetNameValue("ENCODING", "UTF-8"); break;
            case FormatoCapa::GeoJSON:
                // Every double read back to the last bit.
                opcionesCapa.SetNameValue("SIGNIFICANT_FIGURES", "17");
                break;
            case FormatoCapa::KML: break;
            case FormatoCapa::CSV:
                opcionesCapa.SetNameValue("GEOMETRY", lineas ? "AS_WKT" : "AS_XY");
                opcionesCapa.SetNameValue("CREATE_CSVT", "YES");
                break;
            case FormatoCapa::GeoPackage: break;
        }
        ::unlink(temporal.c_str());
        std::unique_ptr<GDALDataset, CerrarDataset> ds(
            driver->Create(temporal.c_str(), 0, 0, 0, GDT_Unknown, opcionesDataset.List()));
        if (!ds) return Fallar(ErrorGdal("No se puede crear la capa " + rutaCapa_));
        OGRLayer* capa = ds->CreateLayer(final.stem().string().c_str(), &srs_, lineas ? wkbLineString : wkbPoint,
                                         opcionesCapa.List());
        if (!capa) return Fallar(ErrorGdal("No se puede crear la capa " + rutaCapa_));
        const std::vector<std::string> nombres = NombresCampos();
        // A KML layer has its own Name and Description fields first: the
        // record's name goes to Name, the placemark's <name>.
        const bool kml = formato_.formato == FormatoCapa::KML;
        std::vector<int> indices(1, capa->GetLayerDefn()->GetFieldIndex("Name"));
        for (std::size_t i = kml ? 1 : 0; i < ex_.columnas.size(); ++i) {
            const Columna& c = ex_.columnas[i];
            OGRFieldDefn campo(nombres[i].c_str(), c.tipo == Tipo::Entero ? OFTInteger
                                                   : c.tipo == Tipo::Real ? OFTReal
                                                                          : OFTString);
            if (formato_.formato == FormatoCapa::Shapefile && campo.GetType() == OFTString)
                campo.SetWidth(static_cast<int>(std::min<std::size_t>(c.ancho, 254)));
            if (capa->CreateField(&campo) != OGRERR_NONE)
                return Fallar(ErrorGdal("No se puede crear la capa " + rutaCapa_));
            // The driver may have adjusted the name: the field is the last one.
            indices.resize(i + 1);
            indices[i] = capa->GetLayerDefn()->GetFieldCount() - 1;
        }

        std::ifstream f(rutaTxt_, std::ios::binary);
        std::string linea;
        std::getline(f, linea);
        std::vector<Campo> campos;
        const bool transacciones = ds->StartTransaction() == OGRERR_NONE;
        std::uint64_t enTransaccion = 0;
        while (std::getline(f, linea)) {
            Partir(linea, campos);
            if (campos.size() == 1 && campos[0].texto.empty()) continue;
            if (!Convertido(campos, ex_.calculadas)) {
                ++resumen_.sinConvertir;
                // The direct problem's input line of this record is passed over.
                double nada = 0;
                if (lector_ && !PuntoA(nada, nada) && lector_->Error())
                    return Fallar("No se puede leer el fichero de puntos: " + opciones_.rutaEntrada);
                continue;
            }
            bool errorEntrada = false;
            std::unique_ptr<OGRGeometry> geometria = Forma(campos, errorEntrada);
            if (errorEntrada)
                return Fallar("El fichero de puntos no corresponde al resultado " + rutaTxt_ + ": " +
                              opciones_.rutaEntrada);
            if (!geometria) {
                ++resumen_.fueraRejilla;
                continue;
            }
            OGRFeature entidad(capa->GetLayerDefn());
            for (std::size_t i = 0; i < std::min(campos.size(), ex_.columnas.size()); ++i) {
                const Campo& c = campos[i];
                if (c.texto.empty()) continue;
                const int k = indices[i];
                switch (kml && i == 0 ? Tipo::Texto : ex_.columnas[i].tipo) {
                    case Tipo::Entero: entidad.SetField(k, static_cast<int>(Valor(campos, i))); break;
                    case Tipo::Real: entidad.SetField(k, Valor(campos, i)); break;
                    default: entidad.SetField(k, c.texto.c_str()); break;
                }
            }
            entidad.SetGeometryDirectly(geometria.release());
            if (capa->CreateFeature(&entidad) != OGRERR_NONE)
                return Fallar(ErrorGdal("No se puede escribir la capa " + rutaCapa_));
            ++resumen_.entidades;
            if (transacciones && ++enTransaccion == 20000) {
                if (ds->CommitTransaction() != OGRERR_NONE || ds->StartTransaction() != OGRERR_NONE)
                    return Fallar(ErrorGdal("No se puede escribir la capa " + rutaCapa_));
                enTransaccion = 0;
            }
        }
        if (f.bad()) return Fallar("No se puede leer el fichero de resultados: " + rutaTxt_);
        if (transacciones && ds->CommitTransaction() != OGRERR_NONE)
            return Fallar(ErrorGdal("No se puede escribir la capa " + rutaCapa_));
        CPLErrorReset();
        ds.reset();  // closing writes what is buffered
        if (CPLGetLastErrorType() >= CE_Failure) return Fallar(ErrorGdal("No se puede escribir la capa " + rutaCapa_));

        // Into place: the sidecars first, the main file last.
        const std::string base = (final.parent_path() / final.stem()).string();
        for (const std::string_view a : formato_.anejos) {
            if (a.empty()) continue;
            const std::string desde = raiz + std::string(a), hasta = base + std::string(a);
            if (!fs::exists(desde)) {
                ::unlink(hasta.c_str());  // a stale sidecar of an earlier layer
                continue;
            }
            if (std::rename(desde.c_str(), hasta.c_str()) != 0)
                return Fallar("No se puede escribir la capa " + rutaCapa_ + ": " + std::strerror(errno));
        }
        if (std::rename(temporal.c_str(), rutaCapa_.c_str()) != 0)
            return Fallar("No se puede escribir la capa " + rutaCapa_ + ": " + std::strerror(errno));
        temporales.Olvidar();
        return true;
    }

    struct CerrarFichero {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    Disposicion disp_;
    const std::string& rutaTxt_;
    const std::string& rutaCapa_;
    const OpcionesCapa& opciones_;
    const Formato& formato_;
    bool wgs84_;
    std::int16_t unidad_ = 1;
    double AGrados(double valor) const { return UnidadAGrados(valor, unidad_); }
    Examen ex_;
    std::optional<std::size_t> colA_, colRf_;
    bool utm_ = false;
    OGRSpatialReference srs_;
    std::unique_ptr<Rejilla> rejilla_;
    std::unique_ptr<std::FILE, CerrarFichero> entrada_;
    std::unique_ptr<LectorLineas> lector_;
    FormatoCampos formatoEntrada_;
    ResumenCapa resumen_;
};

bool MismoFichero(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

}  // namespace

std::optional<FormatoCapa> FormatoDeRuta(std::string_view ruta) {
    std::string ext = fs::path(ruta).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const Formato& f : Formatos)
        if (f.extension == ext) return f.formato;
    return std::nullopt;
}

std::string ExtensionesCapa() {
    std::string t;
    for (const Formato& f : Formatos) t += (t.empty() ? "" : ", ") + std::string(f.extension);
    return t;
}

std::string_view NombreFormato(FormatoCapa formato) { return DatosFormato(formato).nombre; }

ResumenCapa EscribirCapa(const Conversion& conversion, const std::string& rutaTxt, const std::string& rutaCapa,
                         const OpcionesCapa& opciones) {
    ResumenCapa r;
    const auto formato = FormatoDeRuta(rutaCapa);
    if (!formato) {
        r.error = "Formato de capa desconocido: " + rutaCapa + " (formatos: " + ExtensionesCapa() + ")";
        return r;
    }
    const fs::path csv = fs::path(rutaTxt).replace_extension(".csv");
    if (MismoFichero(rutaCapa, rutaTxt) || MismoFichero(rutaCapa, csv.string()) ||
        MismoFichero(rutaCapa, opciones.rutaEntrada)) {
        r.error = "La capa no puede sustituir a un fichero de la conversión: " + rutaCapa;
        return r;
    }
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
    r = Escritor(conversion, rutaTxt, rutaCapa, opciones, DatosFormato(*formato)).Ejecutar();
    CPLPopErrorHandler();
    return r;
}

std::string TextoResumenCapa(const ResumenCapa& r, std::string_view rutaCapa) {
    auto contar = [](std::uint64_t n, std::string_view uno, std::string_view varios) {
        return std::to_string(n) + " " + std::string(n == 1 ? uno : varios);
    };
    std::string t = "Capa: " + std::string(rutaCapa) + " (" + r.formato + ", " + r.sistema + "): ";
    t += r.lineas ? contar(r.entidades, "línea geodésica", "líneas geodésicas") : contar(r.entidades, "punto", "puntos");
    if (r.sinConvertir) t += "; " + contar(r.sinConvertir, "línea sin convertir", "líneas sin convertir") + " fuera de la capa";
    if (r.fueraRejilla)
        t += "; " + contar(r.fueraRejilla, "punto", "puntos") + " fuera de la rejilla, sin paso a WGS 84";
    return t;
}

void BorrarTemporalesCapa() noexcept {
    const auto n = static_cast<std::size_t>(numTemporales);
    for (std::size_t i = 0; i < n && i < MaxTemporales; ++i) ::unlink(temporales[i]);
}

}  // namespace tesmaro
