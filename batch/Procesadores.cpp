#include "Procesadores.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "Ajustes.h"
#include "Angulos.h"
#include "Campos.h"
#include "Cartesianas.h"
#include "Geodesia.h"
#include "Registros.h"
#include "Rejilla.h"
#include "Texto.h"
#include "Textos.h"
#include "Utm.h"

namespace tesmaro {

namespace fs = std::filesystem;

namespace {

// What became of one point line.
enum class Linea {
    Escrita,       // a full record
    NoCalculable,  // a record with its computed columns empty
    Saltada,       // no record
    Detener,       // no record, and the run ends here
};

// Progress is reported, and the request to stop checked, after this many lines
// or this many bytes, whichever comes first.
constexpr std::uint64_t LineasEntreAvisos = 4096;
constexpr std::uint64_t BytesEntreAvisos = std::uint64_t{1} << 20;

struct CerrarFichero {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool MismoFichero(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

// The shared processor loop: open the input and both results, skip the heading
// line and write the header record in its place, then one call of `procesar`
// per later line; close everything. Failures come back in ResumenLote::error.
template <class Procesar>
ResumenLote Recorrer(const TareaLote& tarea, std::initializer_list<std::string_view> cabecera,
                     Procesar&& procesar) {
    const std::string& rutaEntrada = tarea.rutaEntrada;
    const DestinoLote& destino = tarea.destino;
    InterfazLote& interfaz = tarea.interfaz;
    ResumenLote resumen;
    resumen.ejecutado = true;
    resumen.rutaTxt = destino.rutaTxt;
    resumen.rutaCsv = destino.rutaCsv;

    std::error_code ec;
    std::unique_ptr<std::FILE, CerrarFichero> entrada;
    if (!fs::is_directory(rutaEntrada, ec)) entrada.reset(std::fopen(rutaEntrada.c_str(), "rb"));
    if (!entrada) {
        resumen.error = "No se puede leer el fichero de entrada: " + rutaEntrada;
        return resumen;
    }
    // Opening a result for writing empties it: never when it is the input.
    for (const std::string* ruta : {&destino.rutaTxt, &destino.rutaCsv}) {
        if (MismoFichero(rutaEntrada, *ruta)) {
            resumen.error = "El fichero de entrada no puede ser también el fichero de resultados: " +
                            rutaEntrada;
            return resumen;
        }
    }
    std::uint64_t total = fs::file_size(rutaEntrada, ec);
    if (ec) total = 0;

    EscritorResultados escritor;
    if (!escritor.Abrir(destino.rutaTxt, destino.rutaCsv, resumen.error)) return resumen;

    LectorLineas lector(entrada.get());
    std::string_view linea;
    bool cabeceraHecha = false;
    std::uint64_t lineasSinAviso = 0;
    std::uint64_t proximoAviso = BytesEntreAvisos;
    while (lector.Siguiente(linea)) {
        if (!cabeceraHecha) {
            for (const std::string_view titulo : cabecera) escritor.Texto(titulo);
            escritor.FinRegistro();
            cabeceraHecha = true;
        } else {
            ++resumen.lineasLeidas;
            const Linea resultado = procesar(linea, escritor);
            if (resultado == Linea::Detener) {
                resumen.detenido = true;
                break;
            }
            if (resultado == Linea::Saltada) {
                ++resumen.saltadas;
            } else {
                escritor.FinRegistro();
                ++resumen.registros;
                if (resultado == Linea::NoCalculable) ++resumen.noCalculables;
            }
        }
        if (++lineasSinAviso >= LineasEntreAvisos || lector.Leidos() >= proximoAviso) {
            lineasSinAviso = 0;
            proximoAviso = lector.Leidos() + BytesEntreAvisos;
            interfaz.Progreso(lector.Leidos(), std::max(total, lector.Leidos()));
            if (escritor.Fallo()) break;  // a full disk: reported below
            if (interfaz.Cancelado()) {
                resumen.cancelado = true;
                break;
            }
        }
    }
    if (lector.Error()) resumen.error = "Error al leer el fichero de entrada: " + rutaEntrada;
    std::string errorEscritura;
    if (!escritor.Cerrar(errorEscritura) && resumen.error.empty()) resumen.error = errorEscritura;
    interfaz.Progreso(lector.Leidos(), std::max(total, lector.Leidos()));
    return resumen;
}

bool Finitos(std::initializer_list<double> valores) {
    for (const double v : valores)
        if (!std::isfinite(v)) return false;
    return true;
}

// a and 1/f of the current ellipsoid, read once per run before any file is
// opened. An index outside the table gives the error of the run.
bool ElipsoideDelLote(ParametrosElipsoide& elipsoide, ResumenLote& resumen) {
    if (ajustes::ElipsoideActual < 0 || ajustes::ElipsoideActual >= NumeroElipsoides) {
        resumen.ejecutado = true;
        resumen.error = std::string(TextoEstado(Estado::SinElipsoide));
        return false;
    }
    elipsoide = ElipsoideEnUso();
    return true;
}

// The first character of the hemisphere field, quotes left out, is "s" or "S".
bool EsSur(std::string_view hemisferio) {
    for (const char c : hemisferio) {
        if (c == '"') continue;
        return c == 's' || c == 'S';
    }
    return false;
}

}  // namespace

ResumenLote LoteUtmGeo(const TareaLote& tarea) {
    const Datum datum = *tarea.conversion.datum;
    ResumenLote resumen = Recorrer(
        tarea, {"Nombre", "Longitud", "Latitud", "Huso"},
        [datum](std::string_view linea, EscritorResultados& esc) {
            const CamposLinea<5> campo(linea);
            // The zone text compared exactly: no trimming, case-sensitive.
            const std::string_view textoHuso = campo[3];
            std::int16_t huso;
            bool extendido = false;
            if (textoHuso == "30") {
                huso = 30;
            } else if (textoHuso == "31") {
                huso = 31;
            } else if (textoHuso == "30E") {
                huso = 30;
                extendido = true;
            } else {
                return Linea::Detener;
            }
            const double X = LeerNumero(campo[1]);
            const double Y = LeerNumero(campo[2]);
            const ResultadoGeodesicas r =
                UtmAGeodesicas(X, Y, huso, EsSur(campo[4]), extendido, datum);
            esc.Nombre(campo[0]);
            const bool bien = r.estado == Estado::Correcto && Finitos({r.longitud, r.latitud});
            // Unrounded, exactly as the window computes them; the
            // convergence and the scale factor are not written.
            esc.Numeros({r.longitud, r.latitud}, bien);
            esc.Entero(huso);
            return bien ? Linea::Escrita : Linea::NoCalculable;
        });
    // Shown once both files are closed: what was written before stays.
    if (resumen.detenido) tarea.interfaz.Mensaje(textos::HusoFueraDeArea);
    return resumen;
}

ResumenLote LoteGeoUtm(const TareaLote& tarea) {
    const Datum datum = *tarea.conversion.datum;
    return Recorrer(
        tarea,
        {"Nombre", "Coordenada X", "Coordenada Y", "Huso", "Latitud Norte-Sur",
         "Convergencia de meridianos", "Anamorfosis lineal"},
        [datum](std::string_view linea, EscritorResultados& esc) {
            const CamposLinea<5> campo(linea);
            const double longitud = LeerNumero(campo[1]);
            const double latitud = LeerNumero(campo[2]);
            const std::int16_t huso = RedondearHuso(LeerNumero(campo[3]));
            // Field 4 (the hemisphere word) is not used: the latitude's sign decides.
            if (huso < 27 || huso > 31) return Linea::Saltada;
            const ResultadoUtm r = GeodesicasAUtm(longitud, latitud, huso, datum);
            // Tested on the latitude in radians, as the false northing is.
            const bool sur = (latitud * PiDiezCifras) / 180 < 0;
            const bool bien = r.estado == Estado::Correcto &&
                              Finitos({r.X, r.Y, r.convergencia, r.anamorfosis});
            esc.Nombre(campo[0]);
            esc.Numeros({r.X, r.Y}, bien);
            esc.Entero(huso);
            esc.Texto(sur ? "Sur" : "Norte");
            esc.Numeros({r.convergencia, r.anamorfosis}, bien);
            return bien ? Linea::Escrita : Linea::NoCalculable;
        });
}

ResumenLote LoteGeoCart(const TareaLote& tarea) {
    ResumenLote resumen;
    ParametrosElipsoide e{};
    if (!ElipsoideDelLote(e, resumen)) return resumen;
    return Recorrer(
        tarea,
        {"Nombre", "Coordenada X", "Coordenada Y", "Coordenada Z", "Semieje a", "1/f"},
        [e](std::string_view linea, EscritorResultados& esc) {
            const CamposLinea<4> campo(linea);
            const double longitud = LeerNumero(campo[1]);
            const double latitud = LeerNumero(campo[2]);
            const double h = LeerNumero(campo[3]);
            const double fi = UnidadARadianes(latitud);
            const double lambda = UnidadARadianes(longitud);
            const ResultadoCartesianas r = CalculoGeoCart(fi, lambda, h, e.a, e.rf);
            const bool bien = r.estado == Estado::Correcto && Finitos({r.X, r.Y, r.Z});
            esc.Nombre(campo[0]);
            esc.Numeros({r.X, r.Y, r.Z}, bien);
            esc.Numero(e.a);
            esc.Numero(e.rf);
            return bien ? Linea::Escrita : Linea::NoCalculable;
        });
}

ResumenLote LoteCartGeo(const TareaLote& tarea) {
    ResumenLote resumen;
    ParametrosElipsoide e{};
    if (!ElipsoideDelLote(e, resumen)) return resumen;
    return Recorrer(
        tarea,
        {"Nombre", "Longitud", "Latitud", "Huso", "Hemisferio", "Altura_elipsoidal", "Semieje a",
         "1/f"},
        [e](std::string_view linea, EscritorResultados& esc) {
            const CamposLinea<4> campo(linea);
            const double X = LeerNumero(campo[1]);
            const double Y = LeerNumero(campo[2]);
            const double Z = LeerNumero(campo[3]);
            const ResultadoGeograficas r = CalculoCartGeo(X, Y, Z, e.a, e.rf);
            const double fi = RadianesAUnidad(r.fi);
            const double lambda = RadianesAUnidad(r.lambda);
            const bool bien = r.estado == Estado::Correcto && Finitos({fi, lambda, r.h});
            esc.Nombre(campo[0]);
            if (bien) {
                esc.Numero(lambda);
                esc.Numero(fi);
                // The zone by the sign of the longitude alone, as always.
                esc.Entero(lambda <= 0 ? 30 : 31);
                esc.Texto(fi > 0 ? "Norte" : "Sur");
                esc.Numero(r.h);
            } else {
                for (int i = 0; i < 5; ++i) esc.Vacio();
            }
            esc.Numero(e.a);
            esc.Numero(e.rf);
            return bien ? Linea::Escrita : Linea::NoCalculable;
        });
}

ResumenLote LoteProblemaDirecto(const TareaLote& tarea) {
    ResumenLote resumen;
    ParametrosElipsoide e{};
    if (!ElipsoideDelLote(e, resumen)) return resumen;
    return Recorrer(
        tarea, {"Nombre", "Longitud", "Latitud", "Acimut inverso", "Semieje a", "1/f"},
        [e](std::string_view linea, EscritorResultados& esc) {
            const CamposLinea<5> campo(linea);
            const double longitud = LeerNumero(campo[1]);
            const double latitud = LeerNumero(campo[2]);
            const double acimut = LeerNumero(campo[3]);
            const double distancia = LeerNumero(campo[4]);
            const double fi = UnidadARadianes(latitud);
            const double lambda = UnidadARadianes(longitud);
            const double acimutGrados = UnidadAGrados(acimut);
            const ResultadoDirecto r = ProblemaDirecto(fi, lambda, acimutGrados, distancia, e.a, e.rf);
            const double longitudB = GradosAUnidad(r.longitud);
            const double latitudB = GradosAUnidad(r.latitud);
            const double inverso = GradosAUnidad(r.acimutInverso);
            const bool bien = r.estado == Estado::Correcto && Finitos({longitudB, latitudB, inverso});
            esc.Nombre(campo[0]);
            esc.Numeros({longitudB, latitudB, inverso}, bien);
            esc.Numero(e.a);
            esc.Numero(e.rf);
            return bien ? Linea::Escrita : Linea::NoCalculable;
        });
}

ResumenLote LoteProblemaInverso(const TareaLote& tarea) {
    ResumenLote resumen;
    ParametrosElipsoide e{};
    if (!ElipsoideDelLote(e, resumen)) return resumen;
    return Recorrer(
        tarea,
        {"Nombre", "Longitud A", "Latitud A", "Acimut directo (A-B)", "Distancia (A-B)",
         "Longitud (B)", "Latitud (B)", "Acimut inverso (B-A)", "Semieje a", "1/f",
         textos::MismoHemisferio},
        [e](std::string_view linea, EscritorResultados& esc) {
            const CamposLinea<5> campo(linea);
            const double longitudA = LeerNumero(campo[1]);
            const double latitudA = LeerNumero(campo[2]);
            const double longitudB = LeerNumero(campo[3]);
            const double latitudB = LeerNumero(campo[4]);
            const ResultadoInverso r =
                ProblemaInverso(UnidadARadianes(latitudA), UnidadARadianes(longitudA),
                                UnidadARadianes(latitudB), UnidadARadianes(longitudB), e.a, e.rf);
            const double directo = GradosAUnidad(r.acimutDirecto);
            const double inverso = GradosAUnidad(r.acimutInverso);
            const bool bien = r.estado == Estado::Correcto && Finitos({directo, r.distancia, inverso});
            esc.Nombre(campo[0]);
            // A and B as read, in the user's unit.
            esc.Numero(longitudA);
            esc.Numero(latitudA);
            esc.Numeros({directo, r.distancia}, bien);
            esc.Numero(longitudB);
            esc.Numero(latitudB);
            esc.Numeros({inverso}, bien);
            esc.Numero(e.a);
            esc.Numero(e.rf);
            return bien ? Linea::Escrita : Linea::NoCalculable;
        });
}

namespace {

template <class Transformar>
ResumenLote LoteRejilla(const TareaLote& tarea, Transformar transformar) {
    return Recorrer(
        tarea, {"Nombre", "Longitud", "Latitud", "Huso"},
        [&transformar](std::string_view linea, EscritorResultados& esc) {
            const CamposLinea<3> campo(linea);
            const double longitud = LeerNumero(campo[1]);
            const double latitud = LeerNumero(campo[2]);
            // Seconds of arc inside the grid; a point outside gives 0 and 0.
            // Always finite: a non-finite input falls outside, and every shift
            // was checked when the grid was read.
            const PuntoRejilla p = transformar(longitud * 3600, latitud * 3600);
            const double lon = p.lon / 3600;
            const double lat = p.lat / 3600;
            esc.Nombre(campo[0]);
            esc.Numero(lon);
            esc.Numero(lat);
            // A longitude of exactly 0 (every point outside the grid among them)
            // has no zone: 0.
            esc.Entero(lon > 0 ? 31 : lon < 0 ? 30 : 0);
            return Linea::Escrita;
        });
}

}  // namespace

ResumenLote LoteED50aETRS89(const TareaLote& tarea) {
    const Rejilla& rejilla = *tarea.rejilla;
    return LoteRejilla(tarea, [&rejilla](double lon, double lat) {
        return rejilla.ED50aETRS89(lon, lat);
    });
}

ResumenLote LoteETRS89aED50(const TareaLote& tarea) {
    const Rejilla& rejilla = *tarea.rejilla;
    return LoteRejilla(tarea, [&rejilla](double lon, double lat) {
        return rejilla.ETRS89aED50(lon, lat);
    });
}

}  // namespace tesmaro
