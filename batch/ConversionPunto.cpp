#include "ConversionPunto.h"

#include <initializer_list>

#include "Angulos.h"
#include "Avisos.h"
#include "Cartesianas.h"
#include "Exacto.h"
#include "Geodesia.h"
#include "Geoide.h"
#include "Rejilla.h"
#include "Texto.h"
#include "Utm.h"

namespace tesmaro {

std::string_view SinBlancos(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

namespace {

// ---- Reading ------------------------------------------------------------------

// Field i as a number, when it is one in full and reads one way only; else
// why not, in e.lectura.
bool Numero(const LineaPunto& l, std::size_t i, double& valor, EntradaPunto& e) {
    e.lectura = LeerCampoNumero(l.campos[i], l.formato, valor);
    return e.lectura == LecturaNumero::Numero;
}

// Fields 1.. as the numbers v[0..n).
EstadoPunto Numeros(const LineaPunto& l, EntradaPunto& e, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (!Numero(l, i + 1, e.v[i], e)) return EstadoPunto::Ilegible;
    return EstadoPunto::Convertido;
}

// The hemisphere field: its first character other than a blank or a double
// quote, S or s, is the south; anything else (an empty field too) the north.
bool EsSur(std::string_view campo) {
    const std::size_t i = campo.find_first_not_of(" \t\"");
    return i != std::string_view::npos && (campo[i] == 's' || campo[i] == 'S');
}

// ---- Checks of values -----------------------------------------------------------

std::string Texto(double valor) { return TextoNumero(valor, '.'); }

// Why an angle is impossible, empty when it is possible. In the unit of the
// settings (unidad 1..3) with a hair of tolerance for the unit's conversion;
// in decimal degrees (unidad 0) exactly.
std::string AnguloImposible(std::string_view nombre, double valor, double limiteGrados, std::int16_t unidad) {
    const bool posible = unidad != 0 ? std::fabs(UnidadAGrados(valor, unidad)) <= limiteGrados + 1e-9
                                     : std::fabs(valor) <= limiteGrados;
    if (posible) return {};
    std::string_view nombreUnidad = "grados";
    double limite = limiteGrados;
    if (unidad == 2 || unidad == 3) {
        nombreUnidad = unidad == 2 ? "grados centesimales" : "radianes";
        limite = GradosAUnidad(limiteGrados, unidad);
    }
    return std::string(nombre) + " " + Texto(valor) + " no es posible: debe estar entre -" + Texto(limite) + " y " +
           Texto(limite) + " " + std::string(nombreUnidad) + ".";
}

// Why a length is impossible (metres), empty when it is possible. abierto:
// both ends excluded.
std::string MetrosImposibles(std::string_view nombre, double valor, double minimo, double maximo, bool abierto) {
    const bool posible = abierto ? valor > minimo && valor < maximo : valor >= minimo && valor <= maximo;
    if (posible) return {};
    return std::string(nombre) + " " + Texto(valor) + " no es posible: debe estar entre " + Texto(minimo) + " y " +
           Texto(maximo) + " m.";
}

// The first reason of a list, empty when there is none.
std::string Primero(std::initializer_list<std::string> motivos) {
    for (const std::string& m : motivos)
        if (!m.empty()) return m;
    return {};
}

// Why a geographic position in decimal degrees is impossible, empty when
// it is possible.
std::string GeograficaImposible(double longitud, double latitud) {
    return Primero({AnguloImposible("La longitud", longitud, 180, 0), AnguloImposible("La latitud", latitud, 90, 0)});
}

// Why a UTM position is impossible, empty when it is possible: an easting
// that the zones (extended zone 30 included) reach, a northing from the
// equator to the pole on either hemisphere.
std::string UtmImposible(double X, double Y) {
    return Primero({MetrosImposibles("La coordenada X", X, 0, 1500000, true),
                    MetrosImposibles("La coordenada Y", Y, 0, 10000000, false)});
}

// r is impossible when it has a reason (r.motivo, from the checks above).
bool Imposible(ResultadoPunto& r) {
    if (r.motivo.empty()) return false;
    r.estado = EstadoPunto::Imposible;
    return true;
}

// The computation refused the point (`calculo`), or gave values that are not
// all finite (calculo Correcto): the computed values are missing.
void NoCalculable(ResultadoPunto& r, Estado calculo) {
    r.estado = EstadoPunto::NoCalculable;
    r.calculo = calculo;
    r.motivo = calculo == Estado::Correcto ? std::string(TextoDesbordamiento) : std::string(TextoEstado(calculo));
}

// An angle in the unit of the settings into degrees, and back: the exact
// methods with the true π, the legacy ones with the program's.
double AGrados(double valor, const AjustesConversion& a) {
    return a.exacto ? UnidadAGradosExactos(valor, a.unidad) : UnidadAGrados(valor, a.unidad);
}
double DeGrados(double grados, const AjustesConversion& a) {
    return a.exacto ? GradosExactosAUnidad(grados, a.unidad) : GradosAUnidad(grados, a.unidad);
}

// A geocentric coordinate or an ellipsoidal height: within 100,000 km.
constexpr double MaximoMetros = 1e8;
// An azimuth (degrees): some 2,800 turns either way; the last digit of
// such a number is still 1e-10°.
constexpr double MaximoAcimut = 1e6;
// A geodesic distance: from 0 to half a meridian and a little more.
constexpr double MaximaDistancia = 20004000;

}  // namespace

// ---- UTM to geographic ------------------------------------------------------------

namespace {

// A zone text compared exactly, blanks and quotes around it aside: "27" to
// "31", or "30E". False for any other.
bool LeerHuso(std::string_view campo, EntradaPunto& e) {
    const std::string_view texto = SinBlancos(campo);
    if (texto.size() == 2 && texto >= "27" && texto <= "31") {
        e.huso = static_cast<std::int16_t>((texto[0] - '0') * 10 + (texto[1] - '0'));
    } else if (texto == "30E") {
        e.huso = 30;
        e.extendido = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace

EstadoPunto LeerUtmGeo(const LineaPunto& l, EntradaPunto& e) {
    if (!LeerHuso(l.campos[3], e)) return SinBlancos(l.campos[3]).empty() ? EstadoPunto::Ilegible : EstadoPunto::Detener;
    if (Numeros(l, e, 2) != EstadoPunto::Convertido) return EstadoPunto::Ilegible;
    e.sur = EsSur(l.campos[4]);
    return EstadoPunto::Convertido;
}

ResultadoPunto ConvertirUtmGeo(const EntradaPunto& e, const AjustesConversion& a) {
    const double X = e.v[0], Y = e.v[1];
    ResultadoPunto r;
    r.motivo = UtmImposible(X, Y);
    if (Imposible(r)) return r;
    const ResultadoGeodesicas g =
        (a.exacto ? UtmAGeodesicasExacto : UtmAGeodesicas)(X, Y, e.huso, e.sur, e.extendido, a.datum);
    // Unrounded, the convergence and the scale factor after the columns.
    r.v = {g.longitud, g.latitud, static_cast<double>(e.huso), g.convergencia, g.anamorfosis};
    if (g.estado != Estado::Correcto || !Finitos({g.longitud, g.latitud})) {
        NoCalculable(r, g.estado);
        return r;
    }
    r.a = {g.longitud, g.latitud};
    // The legacy series more than 1 cm from the exact position (where it is
    // more than 1 m off, it refused the point above).
    if (!a.exacto && SuperaUmbralUtmAGeodesicasLegado(X, Y, e.huso, e.sur, a.datum)) r.estado = EstadoPunto::Impreciso;
    return r;
}

// ---- Geographic to UTM ------------------------------------------------------------

EstadoPunto LeerGeoUtm(const LineaPunto& l, EntradaPunto& e) {
    // Field 4 (the hemisphere word) is not used: the latitude's sign decides;
    // nor field 3 when every point goes in the zone forced.
    if (l.husoForzado != 0) {
        e.v[2] = l.husoForzado;
        return Numeros(l, e, 2);
    }
    return Numeros(l, e, 3);
}

ResultadoPunto ConvertirGeoUtm(const EntradaPunto& e, const AjustesConversion& a) {
    const double longitud = e.v[0], latitud = e.v[1];
    // The zone rounded half to even: 31.5 is zone 32; or the zone forced.
    const std::int16_t huso = a.husoForzado != 0 ? a.husoForzado : RedondearHuso(e.v[2]);
    ResultadoPunto r;
    r.a = {longitud, latitud};
    if (huso < 27 || huso > 31) {
        r.estado = EstadoPunto::Omitido;
        r.motivo = "El huso " + Texto(e.v[2]) + " no se calcula: solo los husos 27 a 31.";
        return r;
    }
    r.motivo = GeograficaImposible(longitud, latitud);
    if (Imposible(r)) return r;
    const ResultadoUtm u = (a.exacto ? GeodesicasAUtmExacto : GeodesicasAUtm)(longitud, latitud, huso, a.datum);
    // Tested on the latitude in radians, as the false northing is.
    const bool sur = (latitud * PiDiezCifras) / 180 < 0;
    r.v = {u.X, u.Y, static_cast<double>(huso), sur ? 1.0 : 0.0, u.convergencia, u.anamorfosis};
    if (u.estado != Estado::Correcto || !Finitos({u.X, u.Y, u.convergencia, u.anamorfosis})) {
        NoCalculable(r, u.estado);
        return r;
    }
    if (!a.exacto && SuperaUmbralUtmLegado(longitud, latitud, huso, a.datum, u.X, u.Y))
        r.estado = EstadoPunto::Impreciso;
    return r;
}

// ---- Geographic and geocentric --------------------------------------------------------

EstadoPunto LeerGeoCart(const LineaPunto& l, EntradaPunto& e) {
    if (Numeros(l, e, 2) != EstadoPunto::Convertido) return EstadoPunto::Ilegible;
    // A missing height is 0: points on the ellipsoid.
    if (SinBlancos(l.campos[3]).empty()) return EstadoPunto::Convertido;
    return Numero(l, 3, e.v[2], e) ? EstadoPunto::Convertido : EstadoPunto::Ilegible;
}

ResultadoPunto ConvertirGeoCart(const EntradaPunto& e, const AjustesConversion& a) {
    const double longitud = e.v[0], latitud = e.v[1], h = e.v[2];
    ResultadoPunto r;
    r.a = {AGrados(longitud, a), AGrados(latitud, a)};
    r.motivo = Primero({AnguloImposible("La latitud", latitud, 90, a.unidad),
                        AnguloImposible("La longitud", longitud, 180, a.unidad),
                        MetrosImposibles("La altura", h, -MaximoMetros, MaximoMetros, true)});
    if (Imposible(r)) return r;
    const ResultadoCartesianas c =
        a.exacto ? GeoCartExacto(UnidadAGradosExactos(latitud, a.unidad), UnidadAGradosExactos(longitud, a.unidad), h,
                                 a.elipsoide.a, a.elipsoide.rf)
                 : CalculoGeoCart(UnidadARadianes(latitud, a.unidad), UnidadARadianes(longitud, a.unidad), h,
                                  a.elipsoide.a, a.elipsoide.rf);
    r.v = {c.X, c.Y, c.Z, a.elipsoide.a, a.elipsoide.rf};
    if (c.estado != Estado::Correcto || !Finitos({c.X, c.Y, c.Z})) NoCalculable(r, c.estado);
    return r;
}

EstadoPunto LeerCartGeo(const LineaPunto& l, EntradaPunto& e) { return Numeros(l, e, 3); }

ResultadoPunto ConvertirCartGeo(const EntradaPunto& e, const AjustesConversion& a) {
    const double X = e.v[0], Y = e.v[1], Z = e.v[2];
    ResultadoPunto r;
    r.motivo = Primero({MetrosImposibles("La coordenada X", X, -MaximoMetros, MaximoMetros, true),
                        MetrosImposibles("La coordenada Y", Y, -MaximoMetros, MaximoMetros, true),
                        MetrosImposibles("La coordenada Z", Z, -MaximoMetros, MaximoMetros, true)});
    if (Imposible(r)) return r;
    // Degrees (the legacy method: the program's π), then the unit.
    Estado estado;
    double latitud, longitud, h, fi, lambda;
    if (a.exacto) {
        const ResultadoGeograficasGrados g = CartGeoExacto(X, Y, Z, a.elipsoide.a, a.elipsoide.rf);
        estado = g.estado;
        latitud = g.latitud, longitud = g.longitud, h = g.h;
        fi = GradosExactosAUnidad(latitud, a.unidad);
        lambda = GradosExactosAUnidad(longitud, a.unidad);
    } else {
        const ResultadoGeograficas g = CalculoCartGeo(X, Y, Z, a.elipsoide.a, a.elipsoide.rf);
        estado = g.estado;
        latitud = RadianesAUnidad(g.fi, 1), longitud = RadianesAUnidad(g.lambda, 1), h = g.h;
        fi = RadianesAUnidad(g.fi, a.unidad);
        lambda = RadianesAUnidad(g.lambda, a.unidad);
    }
    // The zone of the point's longitude; Greenwich itself in zone 30, as
    // always.
    const double huso = longitud == 0 ? 30 : HusoDeLongitud(longitud);
    r.v = {lambda, fi, huso, fi > 0 ? 0.0 : 1.0, h, a.elipsoide.a, a.elipsoide.rf};
    if (estado != Estado::Correcto || !Finitos({fi, lambda, h})) {
        NoCalculable(r, estado);
        return r;
    }
    r.a = {longitud, latitud};
    return r;
}

// ---- The geodetic problems ------------------------------------------------------------

EstadoPunto LeerDirecto(const LineaPunto& l, EntradaPunto& e) { return Numeros(l, e, 4); }

ResultadoPunto ConvertirDirecto(const EntradaPunto& e, const AjustesConversion& a) {
    const double longitud = e.v[0], latitud = e.v[1], acimut = e.v[2], distancia = e.v[3];
    ResultadoPunto r;
    r.a = {AGrados(longitud, a), AGrados(latitud, a)};
    r.motivo = Primero({AnguloImposible("La longitud", longitud, 180, a.unidad),
                        AnguloImposible("La latitud", latitud, 90, a.unidad),
                        // Any number of turns, but not so many that a turn is lost
                        // in the last digits of the number (beyond 1e15 one is).
                        AnguloImposible("El acimut", acimut, MaximoAcimut, a.unidad),
                        MetrosImposibles("La distancia", distancia, 0, MaximaDistancia, false)});
    if (Imposible(r)) return r;
    const ResultadoDirecto d =
        a.exacto ? ProblemaDirectoExactoGrados(AGrados(latitud, a), AGrados(longitud, a), AGrados(acimut, a), distancia,
                                               a.elipsoide.a, a.elipsoide.rf)
                 : ProblemaDirecto(UnidadARadianes(latitud, a.unidad), UnidadARadianes(longitud, a.unidad),
                                   UnidadAGrados(acimut, a.unidad), distancia, a.elipsoide.a, a.elipsoide.rf);
    const double longitudB = DeGrados(d.longitud, a);
    const double latitudB = DeGrados(d.latitud, a);
    const double inverso = DeGrados(d.acimutInverso, a);
    r.v = {longitudB, latitudB, inverso, a.elipsoide.a, a.elipsoide.rf};
    if (d.estado != Estado::Correcto || !Finitos({longitudB, latitudB, inverso})) {
        NoCalculable(r, d.estado);
        return r;
    }
    r.b = {d.longitud, d.latitud};
    return r;
}

EstadoPunto LeerInverso(const LineaPunto& l, EntradaPunto& e) { return Numeros(l, e, 4); }

ResultadoPunto ConvertirInverso(const EntradaPunto& e, const AjustesConversion& a) {
    const double longitudA = e.v[0], latitudA = e.v[1], longitudB = e.v[2], latitudB = e.v[3];
    ResultadoPunto r;
    r.a = {AGrados(longitudA, a), AGrados(latitudA, a)};
    r.b = {AGrados(longitudB, a), AGrados(latitudB, a)};
    r.motivo = Primero({AnguloImposible("La longitud del punto A", longitudA, 180, a.unidad),
                        AnguloImposible("La latitud del punto A", latitudA, 90, a.unidad),
                        AnguloImposible("La longitud del punto B", longitudB, 180, a.unidad),
                        AnguloImposible("La latitud del punto B", latitudB, 90, a.unidad)});
    if (Imposible(r)) return r;
    const ResultadoInverso i =
        a.exacto ? ProblemaInversoExactoGrados(r.a.lat, r.a.lon, r.b.lat, r.b.lon, a.elipsoide.a, a.elipsoide.rf)
                 : ProblemaInverso(UnidadARadianes(latitudA, a.unidad), UnidadARadianes(longitudA, a.unidad),
                                   UnidadARadianes(latitudB, a.unidad), UnidadARadianes(longitudB, a.unidad),
                                   a.elipsoide.a, a.elipsoide.rf);
    const double directo = DeGrados(i.acimutDirecto, a);
    const double inverso = DeGrados(i.acimutInverso, a);
    // A and B as read, in the user's unit.
    r.v = {longitudA, latitudA, directo, i.distancia, longitudB, latitudB, inverso, a.elipsoide.a, a.elipsoide.rf};
    if (i.estado != Estado::Correcto || !Finitos({directo, i.distancia, inverso})) NoCalculable(r, i.estado);
    return r;
}

// ---- The grid ---------------------------------------------------------------------------

EstadoPunto LeerRejilla(const LineaPunto& l, EntradaPunto& e) { return Numeros(l, e, 2); }

namespace {

ResultadoPunto ConvertirConRejilla(const EntradaPunto& e, PuntoRejilla (Rejilla::*transformar)(double, double) const,
                                   const AjustesConversion& a) {
    const double longitud = e.v[0], latitud = e.v[1];
    ResultadoPunto r;
    r.a = {longitud, latitud};
    r.motivo = GeograficaImposible(longitud, latitud);
    if (Imposible(r)) return r;
    // Seconds of arc inside the grid.
    const PuntoRejilla p = (a.rejilla->*transformar)(longitud * 3600, latitud * 3600);
    if (!p.dentro) {
        r.estado = EstadoPunto::FueraRejilla;
        r.motivo = "El punto está fuera de la rejilla.";
        return r;
    }
    const double lon = p.lon / 3600;
    const double lat = p.lat / 3600;
    // The zone of the point; a longitude of exactly 0 has none: 0.
    r.v = {lon, lat, lon == 0 ? 0.0 : static_cast<double>(HusoDeLongitud(lon))};
    r.a = {lon, lat};
    return r;
}

}  // namespace

ResultadoPunto ConvertirED50aETRS89(const EntradaPunto& e, const AjustesConversion& a) {
    return ConvertirConRejilla(e, &Rejilla::ED50aETRS89, a);
}

ResultadoPunto ConvertirETRS89aED50(const EntradaPunto& e, const AjustesConversion& a) {
    return ConvertirConRejilla(e, &Rejilla::ETRS89aED50, a);
}

// ---- Heights by the geoid -----------------------------------------------------------------

EstadoPunto LeerAlturaGeo(const LineaPunto& l, EntradaPunto& e) { return Numeros(l, e, 3); }

EstadoPunto LeerAlturaUtm(const LineaPunto& l, EntradaPunto& e) {
    if (Numeros(l, e, 2) != EstadoPunto::Convertido) return EstadoPunto::Ilegible;
    if (!Numero(l, 4, e.v[2], e)) return EstadoPunto::Ilegible;
    // A zone no row reads: -1, refused as impossible with its own words.
    if (!LeerHuso(l.campos[3], e)) e.huso = SinBlancos(l.campos[3]).empty() ? 0 : -1;
    return e.huso == 0 ? EstadoPunto::Ilegible : EstadoPunto::Convertido;
}

namespace {

// A height: within 100 km of the ellipsoid, where the model means anything.
constexpr double MaximaAltura = 100000;

// h to H (altitud true) or H to h at (longitud, latitud), the position's
// values already in r.v[0 .. primero).
ResultadoPunto Alturas(ResultadoPunto r, std::size_t primero, double longitud, double latitud, double altura,
                       bool altitud, const AjustesConversion& a) {
    r.motivo = MetrosImposibles(altitud ? "La altura elipsoidal" : "La altitud ortométrica", altura, -MaximaAltura,
                                MaximaAltura, false);
    if (Imposible(r)) return r;
    const AlturaGeoide g = altitud ? a.geoide->AltitudOrtometrica(longitud, latitud, altura)
                                   : a.geoide->AlturaElipsoidal(longitud, latitud, altura);
    if (!g.dentro()) {
        r.estado = EstadoPunto::FueraRejilla;
        r.motivo = TextoFueraDelGeoide;
        return r;
    }
    r.v[primero] = altitud ? altura : g.altura;
    r.v[primero + 1] = g.N;
    r.v[primero + 2] = altitud ? g.altura : altura;
    return r;
}

ResultadoPunto AlturasGeo(const EntradaPunto& e, const AjustesConversion& a, bool altitud) {
    ResultadoPunto r;
    r.a = {e.v[0], e.v[1]};
    r.motivo = GeograficaImposible(e.v[0], e.v[1]);
    if (Imposible(r)) return r;
    r.v[0] = e.v[0];
    r.v[1] = e.v[1];
    return Alturas(std::move(r), 2, e.v[0], e.v[1], e.v[2], altitud, a);
}

ResultadoPunto AlturasUtm(const EntradaPunto& e, const AjustesConversion& a, bool altitud) {
    const double X = e.v[0], Y = e.v[1];
    ResultadoPunto r;
    r.motivo = e.huso < 0 ? "El huso no se calcula: solo los husos 27 a 31 y 30E." : UtmImposible(X, Y);
    if (Imposible(r)) return r;
    // The position only chooses the geoid's nodes: the exact projection,
    // good to a millimetre wherever the geoid is.
    const ResultadoGeodesicas g = UtmAGeodesicasExacto(X, Y, e.huso, false, e.extendido, Datum::ETRS89);
    r.v[0] = X;
    r.v[1] = Y;
    r.v[2] = e.huso;
    r.v[altitud ? 3 : 5] = e.v[2];  // the height given, echoed even when not computed
    if (g.estado != Estado::Correcto || !Finitos({g.longitud, g.latitud})) {
        NoCalculable(r, g.estado);
        return r;
    }
    r.a = {g.longitud, g.latitud};
    return Alturas(std::move(r), 3, g.longitud, g.latitud, e.v[2], altitud, a);
}

}  // namespace

ResultadoPunto ConvertirAltitudGeo(const EntradaPunto& e, const AjustesConversion& a) { return AlturasGeo(e, a, true); }
ResultadoPunto ConvertirAlturaGeo(const EntradaPunto& e, const AjustesConversion& a) { return AlturasGeo(e, a, false); }
ResultadoPunto ConvertirAltitudUtm(const EntradaPunto& e, const AjustesConversion& a) { return AlturasUtm(e, a, true); }
ResultadoPunto ConvertirAlturaUtm(const EntradaPunto& e, const AjustesConversion& a) { return AlturasUtm(e, a, false); }

}  // namespace tesmaro
