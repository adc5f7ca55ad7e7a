#include "Capas.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <vector>

#include "Conversiones.h"
#include "Elipsoides.h"
#include "Rejilla.h"

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

std::string Minusculas(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

// Spacing of the vertices of a geodesic line (metres).
constexpr double PasoLinea = 10000;

// The ellipsoid of the positions and the coordinate system it stands for.
struct Sistema {
    Elipsoide elipsoide;
    int epsg = 0;      // 0: the ellipsoid's own geographic system
    bool ed50 = false;  // positions need the grid to be WGS 84
};

bool Igual(double x, double y) { return std::abs(x - y) <= 1e-9 * std::abs(y); }

Sistema SistemaDe(Datum d) { return {ElipsoideDatum(d), d == Datum::ED50 ? 4230 : 4258, d == Datum::ED50}; }

Sistema SistemaDe(const Elipsoide& e) {
    for (const Datum d : {Datum::ETRS89, Datum::ED50}) {
        const Elipsoide de = ElipsoideDatum(d);
        if (Igual(e.a, de.a) && Igual(e.rf, de.rf)) return SistemaDe(d);
    }
    return {e, e.nombre == "WGS 84" ? 4326 : 0, false};
}

std::string Decimal(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.12g", v);
    return b;
}

std::string NombreElipsoide(const Elipsoide& e) {
    return e.nombre.empty() ? "a=" + Decimal(e.a) + " 1/f=" + Decimal(e.rf) : std::string(e.nombre);
}

std::string ErrorGdal(std::string_view que) {
    std::string t(que);
    const char* m = CPLGetLastErrorMsg();
    if (m && *m) {
        t += ": ";
        t += m;
    }
    return t;
}

struct CerrarDataset {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};

// Cut to `max` bytes on a UTF-8 character boundary.
std::string Cortar(std::string t, std::size_t max) {
    if (t.size() <= max) return t;
    while (max > 0 && (static_cast<unsigned char>(t[max]) & 0xC0) == 0x80) --max;
    return t.substr(0, max);
}

// Whether a file ends, blanks aside, with `final` (a GeoJSON or KML file
// whose end a full disk cut off does not).
bool TerminaEn(const std::string& ruta, std::string_view final) {
    std::FILE* f = std::fopen(ruta.c_str(), "rb");
    if (!f) return false;
    char cola[64] = {};
    std::size_t n = 0;
    if (std::fseek(f, -static_cast<long>(sizeof cola), SEEK_END) != 0) std::fseek(f, 0, SEEK_SET);
    n = std::fread(cola, 1, sizeof cola, f);
    std::fclose(f);
    std::string_view t(cola, n);
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
    return t.size() >= final.size() && t.substr(t.size() - final.size()) == final;
}

bool Sincronizar(const std::string& ruta) {
    std::FILE* f = std::fopen(ruta.c_str(), "rb");
    if (!f) return true;  // a sidecar the driver did not write
    const bool bien = ::fsync(fileno(f)) == 0;
    std::fclose(f);
    return bien;
}

class SalidaCapa final : public Sumidero {
public:
    explicit SalidaCapa(std::string ruta) : ruta_(std::move(ruta)) {}
    ~SalidaCapa() override {
        if (borrador_) std::fclose(borrador_);
    }

    bool Empezar(const ContextoLote& contexto, Salidas& salidas, std::string& error) override {
        const auto f = FormatoDeRuta(ruta_);
        if (!f) {
            error = "Formato de capa desconocido: " + ruta_ + " (formatos: " + ExtensionesCapa() + ")";
            return false;
        }
        formato_ = &DatosFormato(*f);
        conversion_ = &contexto.conversion;
        wgs84_ = *f == FormatoCapa::GeoJSON || *f == FormatoCapa::KML;
        lineas_ = conversion_->puntos == ResultadoPuntos::Directo || conversion_->puntos == ResultadoPuntos::Inverso;
        sistema_ = conversion_->datumPuntos ? SistemaDe(*conversion_->datumPuntos) : SistemaDe(contexto.ajustes.elipsoide);
        for (const Columna& c : conversion_->columnas) valores_ = std::max<std::size_t>(valores_, c.valor + 1u);
        if (wgs84_ && sistema_.epsg == 0) {
            error = std::string(formato_->nombre) + " es WGS 84 y no hay transformación desde el elipsoide " +
                    NombreElipsoide(sistema_.elipsoide) + "; guarde la capa como .gpkg o .shp";
            return false;
        }
        if (wgs84_ && sistema_.ed50) {
            rejilla_.emplace(contexto.rutaRejilla.empty() ? RutaRejillaVentanas() : contexto.rutaRejilla);
            if (rejilla_->estado() != EstadoRejilla::Correcta) {
                error = rejilla_->mensaje();
                return false;
            }
        }
        // A sidecar name of this layer that a file of another format uses
        // (the .prj of p.shp when the layer is p.csv) is not ours to replace.
        const fs::path ruta(ruta_);
        for (const std::string_view anejo : formato_->anejos) {
            for (const Formato& otro : Formatos) {
                if (&otro == formato_ ||
                    std::find(otro.anejos.begin(), otro.anejos.end(), anejo) == otro.anejos.end())
                    continue;
                fs::path suyo = ruta;
                suyo.replace_extension(std::string(otro.extension));
                std::error_code ec;
                fs::path mio = ruta;
                mio.replace_extension(std::string(anejo));
                if (fs::exists(suyo, ec) && fs::exists(mio, ec)) {
                    error = "No se sustituye " + mio.string() + ": es de " + suyo.string() + ", no de la capa " + ruta_;
                    return false;
                }
            }
        }
        std::vector<std::string_view> anejos;
        for (const std::string_view a : formato_->anejos)
            if (!a.empty()) anejos.push_back(a);
        preparada_ = salidas.Preparar(ruta_, anejos, error);
        if (preparada_.empty()) return false;
        borrador_ = salidas.Borrador(ruta_, error);
        return borrador_ != nullptr;
    }

    bool Recibir(std::span<const RegistroPunto> registros, const Preparado&) override {
        for (const RegistroPunto& reg : registros) {
            const EstadoPunto e = reg.r.estado;
            if (e == EstadoPunto::Omitido || e == EstadoPunto::Detener) continue;
            if (!Convertido(e)) {
                ++sinConvertir_;
                continue;
            }
            const std::string& nombre = reg.nombre;
            anchoNombre_ = std::max(anchoNombre_, nombre.size());
            if (conversion_->puntos == ResultadoPuntos::Utm) {
                const int huso = static_cast<int>(reg.r.v[2]);
                if (reg.r.v[3] != 0 || (huso_ != 0 && huso != huso_)) unHuso_ = false;
                huso_ = huso;
            }
            const auto largo = static_cast<std::uint32_t>(nombre.size());
            const double posiciones[4] = {reg.r.a.lon, reg.r.a.lat, reg.r.b.lon, reg.r.b.lat};
            if (std::fwrite(&largo, sizeof largo, 1, borrador_) != 1 ||
                std::fwrite(nombre.data(), 1, nombre.size(), borrador_) != nombre.size() ||
                std::fwrite(posiciones, sizeof(double), 4, borrador_) != 4 ||
                std::fwrite(reg.r.v.data(), sizeof(double), valores_, borrador_) != valores_)
                return false;
            ++convertidos_;
        }
        return true;
    }

    bool Terminar(ObservadorLote& observador, std::string& error) override {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
        const bool bien = Escribir(observador, error);
        CPLPopErrorHandler();
        return bien;
    }

    std::string Resumen() const override {
        auto contar = [](std::uint64_t n, std::string_view uno, std::string_view varios) {
            return std::to_string(n) + " " + std::string(n == 1 ? uno : varios);
        };
        std::string t = "Capa: " + ruta_ + " (" + std::string(formato_->nombre) + ", " + nombreSistema_ + "): ";
        t += lineas_ ? contar(entidades_, "línea geodésica", "líneas geodésicas") : contar(entidades_, "punto", "puntos");
        if (sinConvertir_)
            t += "; " + contar(sinConvertir_, "línea sin convertir", "líneas sin convertir") + " fuera de la capa";
        if (fueraRejilla_)
            t += "; " + contar(fueraRejilla_, "punto", "puntos") + " fuera de la rejilla, sin paso a WGS 84";
        if (nombresCortados_)
            t += "; " + contar(nombresCortados_, "nombre cortado", "nombres cortados") + " a 254 bytes (dBase)";
        return t;
    }

    std::uint64_t Excluidos() const override { return fueraRejilla_; }

private:
    // The layer's coordinate system, named for the summary.
    void PonerSistema(OGRSpatialReference& srs) {
        const bool utm = conversion_->puntos == ResultadoPuntos::Utm && unHuso_ && huso_ != 0 && !wgs84_;
        utm_ = utm;
        if (wgs84_) {
            srs.importFromEPSG(4326);
            nombreSistema_ = "EPSG:4326";
        } else if (utm) {
            // ETRS89 / UTM 28N..38N and ED50 / UTM 28N..38N are in EPSG;
            // zone 27 is built from its datum and zone.
            const int epsg = (sistema_.ed50 ? 23000 : 25800) + huso_;
            if (huso_ >= 28 && srs.importFromEPSG(epsg) == OGRERR_NONE) {
                nombreSistema_ = "EPSG:" + std::to_string(epsg);
            } else {
                const std::string nombre =
                    std::string(sistema_.ed50 ? "ED50" : "ETRS89") + " / UTM zone " + std::to_string(huso_) + "N";
                srs.SetProjCS(nombre.c_str());
                srs.SetWellKnownGeogCS(sistema_.ed50 ? "EPSG:4230" : "EPSG:4258");
                srs.SetUTM(huso_, TRUE);
                nombreSistema_ = nombre;
            }
        } else if (sistema_.epsg) {
            srs.importFromEPSG(sistema_.epsg);
            nombreSistema_ = "EPSG:" + std::to_string(sistema_.epsg);
        } else {
            const std::string nombre = NombreElipsoide(sistema_.elipsoide);
            srs.SetGeogCS(("Geográficas " + nombre).c_str(), ("Datum sobre " + nombre).c_str(), nombre.c_str(),
                          sistema_.elipsoide.a, sistema_.elipsoide.rf);
            nombreSistema_ = "geográficas en el elipsoide " + nombre;
        }
        srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    }

    // A position (degrees) in the layer's system: to WGS 84 through the
    // grid when the layer is WGS 84 and the datum ED50.
    bool Llevar(double& lon, double& lat) const {
        if (!rejilla_) return true;
        const PuntoRejilla p = rejilla_->ED50aETRS89(lon * 3600, lat * 3600);
        lon = p.lon / 3600;
        lat = p.lat / 3600;
        return p.dentro;
    }

    // A to B along the geodesic of the run's ellipsoid, a vertex every
    // PasoLinea at most; split where it crosses the antimeridian, so that
    // every longitude stays within [-180, 180]. Null when a vertex is outside
    // the grid.
    std::unique_ptr<OGRGeometry> Geodesica(const Posicion& a, const Posicion& b) const {
        const Elipsoide& e = sistema_.elipsoide;
        const GeographicLib::Geodesic g(e.a, 1 / e.rf);
        const GeographicLib::GeodesicLine l = g.InverseLine(a.lat, a.lon, b.lat, b.lon);
        const int n = std::max(1, static_cast<int>(std::ceil(l.Distance() / PasoLinea)));
        auto multi = std::make_unique<OGRMultiLineString>();
        auto tramo = std::make_unique<OGRLineString>();
        double vuelta = 0;  // the multiple of 360 the unrolled longitudes are off by
        double antLon = 0, antLat = 0;
        for (int i = 0; i <= n; ++i) {
            double lat = a.lat, lon = a.lon, nada = 0;
            if (i > 0) {
                l.GenPosition(false, l.Distance() * i / n,
                              GeographicLib::GeodesicLine::LATITUDE | GeographicLib::GeodesicLine::LONGITUDE |
                                  GeographicLib::GeodesicLine::LONG_UNROLL,
                              lat, lon, nada, nada, nada, nada, nada, nada);
                if (i == n) {  // B itself, on the same turn as the line
                    lat = b.lat;
                    lon = b.lon + 360 * std::round((lon - b.lon) / 360);
                }
            }
            if (!Llevar(lon, lat)) return nullptr;
            const double v = 360 * std::floor((lon + 180) / 360);
            if (i > 0 && v != vuelta) {
                // The crossing of ±180, interpolated in longitude.
                const double borde = v > vuelta ? vuelta + 180 : vuelta - 180;
                const double t = (borde - antLon) / (lon - antLon);
                const double latBorde = antLat + t * (lat - antLat);
                tramo->addPoint(borde - vuelta, latBorde);
                multi->addGeometryDirectly(tramo.release());
                tramo = std::make_unique<OGRLineString>();
                tramo->addPoint(borde - v, latBorde);
            }
            vuelta = v;
            antLon = lon;
            antLat = lat;
            tramo->addPoint(lon - v, lat);
        }
        multi->addGeometryDirectly(tramo.release());
        return multi;
    }

    std::unique_ptr<OGRGeometry> Forma(const Posicion& a, const Posicion& b, const double* v) const {
        if (lineas_) return Geodesica(a, b);
        if (utm_) return std::make_unique<OGRPoint>(v[0], v[1]);
        double lon = a.lon, lat = a.lat;
        if (!Llevar(lon, lat)) return nullptr;
        // A height (the orthometric one of the geoid conversions) as Z.
        if (conversion_->valorZ >= 0) return std::make_unique<OGRPoint>(lon, lat, v[conversion_->valorZ]);
        return std::make_unique<OGRPoint>(lon, lat);
    }

    std::vector<std::string> NombresCampos() const {
        std::vector<std::string> nombres{"Nombre"};
        const bool shp = formato_->formato == FormatoCapa::Shapefile;
        for (const Columna& c : conversion_->columnas) nombres.emplace_back(shp ? c.corto : c.titulo);
        return nombres;
    }

    bool Fallar(std::string& error, std::string texto) {
        error = std::move(texto);
        return false;
    }

    bool Escribir(ObservadorLote& observador, std::string& error) {
        const std::string fallo = "No se puede escribir la capa " + ruta_;
        OGRSpatialReference srs;
        PonerSistema(srs);
        // GDAL's drivers, registered once: registering is not safe from two
        // threads at a time.
        static std::once_flag registrados;
        std::call_once(registrados, [] { GDALAllRegister(); });
        GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(std::string(formato_->driver).c_str());
        if (!driver) return Fallar(error, "GDAL no tiene el formato " + std::string(formato_->nombre));
        CPLStringList opcionesCapa;
        switch (formato_->formato) {
            case FormatoCapa::Shapefile: opcionesCapa.SetNameValue("ENCODING", "UTF-8"); break;
            case FormatoCapa::GeoJSON:
                // Every double read back to the last bit.
                opcionesCapa.SetNameValue("SIGNIFICANT_FIGURES", "17");
                break;
            case FormatoCapa::CSV:
                opcionesCapa.SetNameValue("GEOMETRY", lineas_ ? "AS_WKT" : "AS_XY");
                opcionesCapa.SetNameValue("CREATE_CSVT", "YES");
                break;
            case FormatoCapa::KML:
            case FormatoCapa::GeoPackage: break;
        }
        std::unique_ptr<GDALDataset, CerrarDataset> ds(driver->Create(preparada_.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        if (!ds) return Fallar(error, ErrorGdal(fallo));
        OGRLayer* capa = ds->CreateLayer(fs::path(ruta_).stem().string().c_str(), &srs,
                                         lineas_                      ? wkbMultiLineString
                                         : conversion_->valorZ >= 0 ? wkbPoint25D
                                                                    : wkbPoint,
                                         opcionesCapa.List());
        if (!capa) return Fallar(error, ErrorGdal(fallo));
        // A KML layer has its own Name and Description fields first: the
        // record's name goes to Name, the placemark's <name>.
        const bool kml = formato_->formato == FormatoCapa::KML;
        const std::vector<std::string> nombres = NombresCampos();
        std::vector<int> indices;
        for (std::size_t i = 0; i < nombres.size(); ++i) {
            if (kml && i == 0) {
                indices.push_back(capa->GetLayerDefn()->GetFieldIndex("Name"));
                continue;
            }
            const TipoColumna tipo = i == 0 ? TipoColumna::NorteSur : conversion_->columnas[i - 1].tipo;
            OGRFieldDefn campo(nombres[i].c_str(), i == 0 || tipo == TipoColumna::NorteSur ? OFTString
                                                   : tipo == TipoColumna::Entero         ? OFTInteger
                                                                                         : OFTReal);
            if (formato_->formato == FormatoCapa::Shapefile && campo.GetType() == OFTString)
                campo.SetWidth(static_cast<int>(i == 0 ? std::clamp<std::size_t>(anchoNombre_, 1, 254) : 5));
            if (capa->CreateField(&campo) != OGRERR_NONE) return Fallar(error, ErrorGdal(fallo));
            // The driver may have adjusted the name: the field is the last one.
            indices.push_back(capa->GetLayerDefn()->GetFieldCount() - 1);
        }

        observador.Fase("Escribiendo la capa");
        if (std::fflush(borrador_) != 0 || std::fseek(borrador_, 0, SEEK_SET) != 0)
            return Fallar(error, "No se puede leer el fichero temporal de la capa " + ruta_);
        const bool transacciones = ds->StartTransaction() == OGRERR_NONE;
        std::string nombre;
        std::vector<double> v(valores_);
        for (std::uint64_t k = 0; k < convertidos_; ++k) {
            std::uint32_t largo = 0;
            double p[4];
            if (std::fread(&largo, sizeof largo, 1, borrador_) != 1)
                return Fallar(error, "No se puede leer el fichero temporal de la capa " + ruta_);
            nombre.resize(largo);
            if (std::fread(nombre.data(), 1, largo, borrador_) != largo || std::fread(p, sizeof(double), 4, borrador_) != 4 ||
                std::fread(v.data(), sizeof(double), valores_, borrador_) != valores_)
                return Fallar(error, "No se puede leer el fichero temporal de la capa " + ruta_);
            std::unique_ptr<OGRGeometry> geometria = Forma({p[0], p[1]}, {p[2], p[3]}, v.data());
            if (!geometria) {
                ++fueraRejilla_;
                continue;
            }
            OGRFeature entidad(capa->GetLayerDefn());
            // A dBase text holds 254 bytes: a longer name is cut, and counted.
            const std::string nombreCampo =
                formato_->formato == FormatoCapa::Shapefile ? Cortar(nombre, 254) : nombre;
            if (nombreCampo.size() != nombre.size()) ++nombresCortados_;
            entidad.SetField(indices[0], nombreCampo.c_str());
            for (std::size_t i = 0; i < conversion_->columnas.size(); ++i) {
                const Columna& c = conversion_->columnas[i];
                const double valor = v[c.valor];
                switch (c.tipo) {
                    case TipoColumna::Real:
                    case TipoColumna::Metros:
                    case TipoColumna::Angulo: entidad.SetField(indices[i + 1], valor); break;
                    case TipoColumna::Entero: entidad.SetField(indices[i + 1], static_cast<int>(valor)); break;
                    case TipoColumna::NorteSur: entidad.SetField(indices[i + 1], valor == 0 ? "Norte" : "Sur"); break;
                }
            }
            entidad.SetGeometryDirectly(geometria.release());
            if (capa->CreateFeature(&entidad) != OGRERR_NONE) return Fallar(error, ErrorGdal(fallo));
            ++entidades_;
            if (entidades_ % 20000 == 0) {
                if (transacciones && (ds->CommitTransaction() != OGRERR_NONE || ds->StartTransaction() != OGRERR_NONE))
                    return Fallar(error, ErrorGdal(fallo));
                observador.Progreso(k, convertidos_);
                if (observador.Cancelado()) return false;
            }
        }
        if (transacciones && ds->CommitTransaction() != OGRERR_NONE) return Fallar(error, ErrorGdal(fallo));
        CPLErrorReset();
        ds.reset();  // closing writes what is buffered
        if (CPLGetLastErrorType() >= CE_Failure) return Fallar(error, ErrorGdal(fallo));
        // Drivers that do not say when a write fails: the file must end as
        // they end it, and every file must reach the disk.
        if ((formato_->formato == FormatoCapa::GeoJSON && !TerminaEn(preparada_, "}")) ||
            (formato_->formato == FormatoCapa::KML && !TerminaEn(preparada_, "</kml>")))
            return Fallar(error, fallo + ": el fichero ha quedado incompleto");
        if (!Contar(preparada_, entidades_)) return Fallar(error, fallo + ": el fichero ha quedado incompleto");
        const std::string raiz = (fs::path(preparada_).parent_path() / fs::path(preparada_).stem()).string();
        bool sincronizado = Sincronizar(preparada_);
        for (const std::string_view a : formato_->anejos)
            if (!a.empty()) sincronizado = Sincronizar(raiz + std::string(a)) && sincronizado;
        if (!sincronizado) return Fallar(error, fallo + ": " + std::strerror(errno));
        observador.Progreso(convertidos_, convertidos_);
        return true;
    }

    // A GeoPackage, a shapefile or a CSV layer read back: it holds every
    // feature written.
    bool Contar(const std::string& ruta, std::uint64_t entidades) const {
        if (formato_->formato == FormatoCapa::GeoJSON || formato_->formato == FormatoCapa::KML) return true;
        std::unique_ptr<GDALDataset, CerrarDataset> ds(
            GDALDataset::Open(ruta.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
        OGRLayer* capa = ds ? ds->GetLayer(0) : nullptr;
        return capa && static_cast<std::uint64_t>(capa->GetFeatureCount(TRUE)) == entidades;
    }

    std::string ruta_;
    const Formato* formato_ = nullptr;
    const Conversion* conversion_ = nullptr;
    bool wgs84_ = false, lineas_ = false, utm_ = false;
    Sistema sistema_{};
    std::string nombreSistema_;
    std::size_t valores_ = 0;
    std::optional<Rejilla> rejilla_;
    std::string preparada_;
    std::FILE* borrador_ = nullptr;
    std::size_t anchoNombre_ = 1;
    int huso_ = 0;
    bool unHuso_ = true;
    std::uint64_t convertidos_ = 0, entidades_ = 0, sinConvertir_ = 0, fueraRejilla_ = 0, nombresCortados_ = 0;
};

}  // namespace

std::optional<FormatoCapa> FormatoDeRuta(std::string_view ruta) {
    const std::string ext = Minusculas(fs::path(ruta).extension().string());
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

std::unique_ptr<Sumidero> CrearSalidaCapa(const std::string& ruta) { return std::make_unique<SalidaCapa>(ruta); }

}  // namespace tesmaro
