#include "Puntos.h"

#include <QFile>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <optional>

#include "Cartesianas.h"
#include "Angulos.h"
#include "Conversiones.h"
#include "Elipsoides.h"
#include "Lector.h"
#include "TratarFichero.h"
#include "Utm.h"

namespace tesmaro {

namespace {

using Fichero = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

Fichero Abrir(const std::string& ruta) { return Fichero(std::fopen(ruta.c_str(), "rb"), &std::fclose); }

// The result files are the program's own: comma-separated, decimal point.
const FormatoCampos FormatoResultado{',', false};

// The result's angles back to degrees as the program turned them from degrees.
double AGrados(double valor, std::int16_t unidad) { return UnidadAGrados(valor, unidad); }

std::string_view SinComillas(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '"')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '"' || t.back() == '\r')) t.remove_suffix(1);
    return t;
}

// How a conversion's records give their positions (see Puntos.h).
enum class Origen { LonLat, LonLatUnidad, Utm, Cartesianas, Inverso };

struct Forma {
    Origen origen;
    bool entradaLonLat;  // its input's fields 1 and 2 are longitude and latitude
    bool entradaUnidad;  // ... in the angular unit
};

std::optional<Forma> FormaDe(std::int16_t codigo) {
    const Conversion* c = BuscarConversion(codigo);
    if (!c) return std::nullopt;
    switch (c->puntos) {
        case ResultadoPuntos::Geograficas:
        case ResultadoPuntos::Directo:
            return Forma{c->leeUnidad ? Origen::LonLatUnidad : Origen::LonLat, c->entradaLonLat,
                         c->entradaLonLat && c->leeUnidad};
        case ResultadoPuntos::Utm: return Forma{Origen::Utm, c->entradaLonLat, false};
        case ResultadoPuntos::Cartesianas: return Forma{Origen::Cartesianas, c->entradaLonLat, c->leeUnidad};
        case ResultadoPuntos::Inverso: return Forma{Origen::Inverso, false, false};
    }
    return std::nullopt;
}

// The input file read in step with the result: its next data line that
// gave a record.
class EntradaParalela {
public:
    EntradaParalela(const std::string& ruta, bool saltaHusos)
        : fichero_(ruta.empty() || ruta == "-" ? Fichero(nullptr, &std::fclose) : Abrir(ruta)), saltaHusos_(saltaHusos) {
        if (!fichero_) return;
        lector_.emplace(fichero_.get());
        formato_ = DetectarFormato(lector_->PrimerasLineas(20));
        std::string_view cabecera;
        if (!lector_->Siguiente(cabecera)) lector_.reset();
    }
    // Fields 1 and 2 of the next line that has a record; false when there is
    // none or they are not numbers.
    bool Siguiente(double& a, double& b) {
        if (!lector_) return false;
        std::string_view linea;
        while (lector_->Siguiente(linea)) {
            if (LineaEnBlanco(linea)) continue;
            const CamposFichero campos(linea, formato_);
            const bool leidos = LeerCampoNumero(campos[1], formato_.comaDecimal, a) &&
                                LeerCampoNumero(campos[2], formato_.comaDecimal, b);
            if (saltaHusos_) {
                // geo-utm writes no record for a zone outside 27..31.
                double huso;
                if (leidos && LeerCampoNumero(campos[3], formato_.comaDecimal, huso)) {
                    const std::int16_t h = RedondearHuso(huso);
                    if (h < 27 || h > 31) continue;
                }
            }
            return leidos;
        }
        lector_.reset();
        return false;
    }

private:
    Fichero fichero_;
    bool saltaHusos_;
    std::optional<LectorLineas> lector_;
    FormatoCampos formato_;
};

bool Numero(std::string_view campo, double& valor) { return LeerCampoNumero(campo, false, valor); }

}  // namespace

bool RecorrerPuntos(const FuentePuntos& fuente, const std::function<void(const PuntoLeido&)>& cada) {
    const std::optional<Forma> forma = FormaDe(fuente.codigo);
    const Conversion* conversion = BuscarConversion(fuente.codigo);
    if (!forma || !conversion) return false;
    Fichero fichero = Abrir(fuente.rutaTxt);
    if (!fichero) return false;
    LectorLineas lector(fichero.get());
    EntradaParalela entrada(forma->entradaLonLat ? fuente.rutaEntrada : std::string(),
                            forma->origen == Origen::Utm);
    const Datum datum = conversion->datum.value_or(Datum::ETRS89);

    std::string_view linea;
    std::uint64_t desplazamiento = lector.Leidos();
    bool cabecera = true;
    while (lector.Siguiente(linea)) {
        PuntoLeido p;
        p.desplazamiento = desplazamiento;
        desplazamiento = lector.Leidos();
        if (cabecera) {
            cabecera = false;
            continue;
        }
        if (LineaEnBlanco(linea)) continue;
        const CamposFichero c(linea, FormatoResultado);
        p.nombre = SinComillas(c[0]);
        p.registro = linea;
        double a = 0, b = 0;
        bool convertido = false;
        double lonEntrada = 0, latEntrada = 0;
        const bool conEntrada = forma->entradaLonLat && forma->origen != Origen::Inverso &&
                                entrada.Siguiente(lonEntrada, latEntrada);
        switch (forma->origen) {
            case Origen::LonLat:
                convertido = Numero(c[1], a) && Numero(c[2], b);
                break;
            case Origen::LonLatUnidad:
                convertido = Numero(c[1], a) && Numero(c[2], b);
                a = AGrados(a, fuente.unidad);
                b = AGrados(b, fuente.unidad);
                break;
            case Origen::Utm: {
                double X, Y, huso;
                if (Numero(c[1], X) && Numero(c[2], Y) && Numero(c[3], huso) && conEntrada) {
                    // The point converted is the input's.
                    convertido = true;
                    a = lonEntrada;
                    b = latEntrada;
                } else if (Numero(c[1], X) && Numero(c[2], Y) && Numero(c[3], huso)) {
                    const ResultadoGeodesicas r =
                        UtmAGeodesicas(X, Y, RedondearHuso(huso), SinComillas(c[4]) == "Sur", false, datum);
                    convertido = r.estado == Estado::Correcto;
                    a = r.longitud;
                    b = r.latitud;
                }
                break;
            }
            case Origen::Cartesianas: {
                double X, Y, Z, semieje, rf;
                if (Numero(c[1], X) && Numero(c[2], Y) && Numero(c[3], Z) && Numero(c[4], semieje) &&
                    Numero(c[5], rf)) {
                    const ResultadoGeograficas r = CalculoCartGeo(X, Y, Z, semieje, rf);
                    convertido = r.estado == Estado::Correcto;
                    a = r.lambda * 180 / std::numbers::pi;
                    b = r.fi * 180 / std::numbers::pi;
                }
                break;
            }
            case Origen::Inverso: {
                // Both ends, from the columns that echo the input; the
                // azimuth column says whether the pair was solved.
                double azimut, lonB, latB;
                p.tipo = Numero(c[3], azimut) ? TipoPunto::Convertido : TipoPunto::NoConvertido;
                if (Numero(c[1], a) && Numero(c[2], b)) {
                    p.lon = AGrados(a, fuente.unidad);
                    p.lat = AGrados(b, fuente.unidad);
                    cada(p);
                }
                if (Numero(c[5], lonB) && Numero(c[6], latB)) {
                    p.lon = AGrados(lonB, fuente.unidad);
                    p.lat = AGrados(latB, fuente.unidad);
                    cada(p);
                }
                continue;
            }
        }
        if (convertido) {
            p.tipo = TipoPunto::Convertido;
            p.lon = a;
            p.lat = b;
        } else if (conEntrada) {
            p.tipo = TipoPunto::NoConvertido;
            p.lon = forma->entradaUnidad ? AGrados(lonEntrada, fuente.unidad) : lonEntrada;
            p.lat = forma->entradaUnidad ? AGrados(latEntrada, fuente.unidad) : latEntrada;
        } else {
            continue;
        }
        if (std::isfinite(p.lon) && std::isfinite(p.lat)) cada(p);
    }
    return !lector.Error();
}

QStringList TitulosResultado(const std::string& rutaTxt) {
    QStringList titulos;
    Fichero fichero = Abrir(rutaTxt);
    if (!fichero) return titulos;
    LectorLineas lector(fichero.get(), 4096);
    std::string_view linea;
    if (!lector.Siguiente(linea)) return titulos;
    const CamposFichero c(linea, FormatoResultado);
    for (std::size_t i = 0; i < c.size(); ++i) {
        const std::string_view t = SinComillas(c[i]);
        titulos << QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
    }
    return titulos;
}

QString DescribirRegistro(const std::string& rutaTxt, std::uint64_t desplazamiento) {
    const QStringList titulos = TitulosResultado(rutaTxt);
    Fichero fichero = Abrir(rutaTxt);
    if (!fichero || std::fseek(fichero.get(), static_cast<long>(desplazamiento), SEEK_SET) != 0) return {};
    LectorLineas lector(fichero.get(), 4096);
    std::string_view linea;
    if (!lector.Siguiente(linea)) return {};
    const CamposFichero c(linea, FormatoResultado);
    QStringList partes;
    for (std::size_t i = 0; i < c.size(); ++i) {
        const std::string_view v = SinComillas(c[i]);
        const QString valor = v.empty() ? QStringLiteral("—") : QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size()));
        partes << (i < std::size_t(titulos.size()) ? titulos[qsizetype(i)] + QStringLiteral(": ") : QString()) + valor;
    }
    return partes.join(QLatin1Char('\n'));
}

QImage DibujarResultado(const FuentePuntos& fuente, QSize tamano, CuentaPuntos* cuenta) {
    double lonMin = 1e9, lonMax = -1e9, latMin = 1e9, latMax = -1e9;
    CuentaPuntos c;
    const bool leido = RecorrerPuntos(fuente, [&](const PuntoLeido& p) {
        lonMin = std::min(lonMin, p.lon);
        lonMax = std::max(lonMax, p.lon);
        latMin = std::min(latMin, p.lat);
        latMax = std::max(latMax, p.lat);
        ++(p.tipo == TipoPunto::Convertido ? c.convertidos : c.noConvertidos);
    });
    if (!leido) return {};
    VistaMapa vista = VistaMapa::Region(tamano.width(), tamano.height());
    if (c.Total() > 0) vista.Ajustar(QRectF(QPointF(lonMin, latMin), QPointF(lonMax, latMax)));
    QImage imagen(tamano, QImage::Format_RGB32);
    {
        QPainter p(&imagen);
        OpcionesFondo opciones;
        opciones.etiquetasGreenwich = false;
        DibujarFondo(p, vista, opciones);
    }
    Punteador punteador(imagen, vista);
    RecorrerPuntos(fuente, [&](const PuntoLeido& p) { punteador.Poner(p.lon, p.lat, p.tipo); });
    punteador.Terminar();
    c.dibujados = punteador.Dibujados();
    if (cuenta) *cuenta = c;
    return imagen;
}

}  // namespace tesmaro
