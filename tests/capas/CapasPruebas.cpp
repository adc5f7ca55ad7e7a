// Layers as outputs of real runs, read back with OGR: features, coordinate
// system, coordinates, names, fields; the geodesics across the antimeridian;
// two runs at once into one folder.
#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <clocale>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "Ayudas.h"
#include "Capas.h"
#include "Conversiones.h"
#include "Rejilla.h"

namespace tesmaro::pruebas {
namespace {

struct Registro {
    const char* nombre;
    double x, y;                                  // the point, or A
    double xB = std::nan(""), yB = std::nan("");  // B of a geodesic line
    double z = std::nan("");                      // the point's height
};

struct Caso {
    const char* conversion;
    const char* entrada;  // the point lines; the last one of each is not converted
    int epsg;             // of the layer in its datum
    bool ed50;            // WGS 84 formats go through the grid
    std::vector<Registro> esperados;
};

// The positions: the input where it is the geographic point, else the
// results as the reference cases pin them.
const Caso Casos[] = {
    {"geo-utm-etrs89", "P1,-0.5,39.5,30\nSeñal Ñ,-3,40,30\nmal,x,1,30\n", 25830, false,
     {{"P1", -0.5, 39.5}, {"Señal Ñ", -3, 40}}},
    {"utm-geo-ed50", "P1,714960.69593,4375248.58024,30\nSeñal Ñ,500000,4400000,30\nmal,x,1,30\n", 4230, true,
     {{"P1", -0.500136652393443, 39.4993321305747}, {"Señal Ñ", -3, 39.7492307716668}}},
    {"ed50-etrs89", "P1,-0.5,39.5\nSeñal Ñ,-3,40\nfuera,20,20\n", 4258, false,
     {{"P1", -0.501203701429897, 39.4988150903251}, {"Señal Ñ", -3.00128923510181, 39.9988096681833}}},
    {"inverso", "P1,-0.5,39.5,2,41\nSeñal Ñ,-3,40,-3.1,40.2\nS,-3,-10,-3.1,5\n", 4326, false,
     {{"P1", -0.5, 39.5, 2, 41}, {"Señal Ñ", -3, 40, -3.1, 40.2}}},
    // Z: the orthometric height, as PROJ's vgridshift gives it (cct).
    {"altitud-geo", "Madrid,-3.7038,40.4168,700\nTeide,-16.6425,28.2723,3800\nParís,2.35,48.85,80\n", 4258, false,
     {{"Madrid", -3.7038, 40.4168, std::nan(""), std::nan(""), 648.8883}, {"Teide", -16.6425, 28.2723, std::nan(""), std::nan(""), 3751.7553}}},
    {"directo", "P1,-0.5,39.5,45,100000\nSeñal Ñ,-3,40,10,5000\nmal,x,1,2,3\n", 4326, false,
     {{"P1", -0.5, 39.5, 0.329671423340662, 40.1339084708434},
      {"Señal Ñ", -3, 40, -2.98982592986907, 40.0443462565339}}},
};

// GeoPackage, shapefile and GeoJSON (17 digits) keep the doubles; KML's
// writer keeps 15 significant digits, 1e-13° at these longitudes and
// latitudes; the results printed with 15 digits are 1e-14° from the doubles.
constexpr double ToleranciaGrados = 1e-9;
constexpr double ToleranciaMetros = 1e-6;

// Where a position of the datum must be in a WGS 84 layer.
void AWgs84(const Caso& caso, double& x, double& y) {
    if (!caso.ed50) return;
    static const Rejilla rejilla(std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb");
    const PuntoRejilla p = rejilla.ED50aETRS89(x * 3600, y * 3600);
    ASSERT_TRUE(p.dentro);
    x = p.lon / 3600;
    y = p.lat / 3600;
}

// A run of `conversion` on `lineas` with the layer `capa` as its other output.
ResumenLote ConCapa(const CarpetaTemporal& carpeta, std::string_view conversion, std::string_view lineas,
                    const std::string& capa, OrdenLote orden = {}) {
    Escribir(carpeta / "puntos.txt", "Punto\n" + std::string(lineas));
    const std::unique_ptr<Sumidero> salida = CrearSalidaCapa(capa);
    Sumidero* const otras[] = {salida.get()};
    return Correr(conversion, carpeta / "puntos.txt", orden, otras);
}

OGRLayer* Abrir(const std::string& ruta, std::unique_ptr<GDALDataset>& ds) {
    ds.reset(GDALDataset::Open(ruta.c_str(), GDAL_OF_VECTOR));
    return ds ? ds->GetLayer(0) : nullptr;
}

class Capas : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { std::setlocale(LC_ALL, "es_ES.UTF-8"); }  // a decimal comma must not leak in
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_P(Capas, CadaConversionReleidaConOgr) {
    const std::string extension = GetParam();
    const bool wgs84 = extension == ".geojson" || extension == ".kml";
    for (const Caso& caso : Casos) {
        SCOPED_TRACE(std::string(caso.conversion) + extension);
        CarpetaTemporal carpeta;
        const std::string ruta = (carpeta / ("capa" + extension)).string();
        const ResumenLote r = ConCapa(carpeta, caso.conversion, caso.entrada, ruta);
        ASSERT_TRUE(r.error.empty()) << r.error;
        ASSERT_EQ(r.otras.size(), 1u);
        EXPECT_NE(r.otras[0].find("; 1 línea sin convertir fuera de la capa"), std::string::npos) << r.otras[0];

        std::unique_ptr<GDALDataset> ds;
        OGRLayer* capa = Abrir(ruta, ds);
        ASSERT_TRUE(capa);
        ASSERT_EQ(capa->GetFeatureCount(), static_cast<GIntBig>(caso.esperados.size()));
        OGRSpatialReference srs(*capa->GetSpatialRef());
        srs.AutoIdentifyEPSG();
        const char* codigo = srs.GetAuthorityCode(nullptr);
        EXPECT_EQ(codigo ? std::atoi(codigo) : 0, wgs84 ? 4326 : caso.epsg);
        // The name and every column of the result, by the names the table
        // gives them (a shapefile's own short ones); no column always empty.
        const Conversion& c = *BuscarConversion(caso.conversion);
        if (!wgs84 || extension == ".geojson") {
            ASSERT_EQ(capa->GetLayerDefn()->GetFieldCount(), static_cast<int>(c.columnas.size() + 1));
            for (std::size_t i = 0; i < c.columnas.size(); ++i)
                EXPECT_EQ(capa->GetLayerDefn()->GetFieldDefn(static_cast<int>(i + 1))->GetNameRef(),
                          extension == ".shp" ? c.columnas[i].corto : c.columnas[i].titulo);
        }

        const bool utm = caso.epsg > 20000 && !wgs84;
        capa->ResetReading();
        for (const Registro& e : caso.esperados) {
            std::unique_ptr<OGRFeature> f(capa->GetNextFeature());
            ASSERT_TRUE(f);
            EXPECT_STREQ(f->GetFieldAsString(extension == ".kml" ? "Name" : "Nombre"), e.nombre);
            double x = e.x, y = e.y, xB = e.xB, yB = e.yB;
            if (utm) {  // the record's own X and Y
                x = f->GetFieldAsDouble(extension == ".shp" ? "X" : "Coordenada X");
                y = f->GetFieldAsDouble(extension == ".shp" ? "Y" : "Coordenada Y");
            }
            if (wgs84) AWgs84(caso, x, y);
            const OGRGeometry* g = f->GetGeometryRef();
            ASSERT_TRUE(g);
            if (std::isnan(xB)) {
                const OGRPoint* p = g->toPoint();
                EXPECT_NEAR(p->getX(), x, utm ? ToleranciaMetros : ToleranciaGrados);
                EXPECT_NEAR(p->getY(), y, utm ? ToleranciaMetros : ToleranciaGrados);
                if (!std::isnan(e.z)) EXPECT_NEAR(p->getZ(), e.z, 1e-4);  // cct's 4 decimals
                continue;
            }
            // A shapefile reads one part back as a plain line.
            const OGRLineString* l = wkbFlatten(g->getGeometryType()) == wkbLineString
                                         ? g->toLineString()
                                         : g->toMultiLineString()->getGeometryRef(0);
            ASSERT_GE(l->getNumPoints(), 2);
            const int n = l->getNumPoints() - 1;
            EXPECT_NEAR(l->getX(0), x, ToleranciaGrados);
            EXPECT_NEAR(l->getY(0), y, ToleranciaGrados);
            EXPECT_NEAR(l->getX(n), xB, ToleranciaGrados);
            EXPECT_NEAR(l->getY(n), yB, ToleranciaGrados);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formatos, Capas, ::testing::Values(".gpkg", ".shp", ".geojson", ".kml"),
                         [](const auto& info) { return std::string(info.param + 1); });

// Zone 27 has no EPSG code: the layer gets the UTM system of its zone and
// datum, which GDAL's PROJ projects as the exact transverse Mercator does.
TEST(Capa, Huso27) {
    CarpetaTemporal carpeta;
    const std::string ruta = (carpeta / "h.gpkg").string();
    OrdenLote orden;
    orden.exacto = true;
    const ResumenLote r = ConCapa(carpeta, "geo-utm-etrs89", "Hierro,-18.1,27.7,27\n", ruta, orden);
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_NE(r.otras[0].find("ETRS89 / UTM zone 27N"), std::string::npos) << r.otras[0];
    std::unique_ptr<GDALDataset> ds;
    OGRLayer* capa = Abrir(ruta, ds);
    ASSERT_TRUE(capa);
    const OGRSpatialReference* srs = capa->GetSpatialRef();
    ASSERT_TRUE(srs && srs->IsProjected());
    int norte = 0;
    EXPECT_EQ(srs->GetUTMZone(&norte), 27);
    // The point taken back to ETRS89 by PROJ: the input, within 1 mm (1e-8°).
    OGRSpatialReference geo;
    geo.importFromEPSG(4258);
    geo.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> t(OGRCreateCoordinateTransformation(srs, &geo));
    std::unique_ptr<OGRFeature> f(capa->GetNextFeature());
    double x = f->GetGeometryRef()->toPoint()->getX(), y = f->GetGeometryRef()->toPoint()->getY();
    ASSERT_TRUE(t && t->Transform(1, &x, &y));
    EXPECT_NEAR(x, -18.1, 1e-8);
    EXPECT_NEAR(y, 27.7, 1e-8);
}

// A name a layer cannot hold as it is: a NUL comes escaped (never the end of
// the name), 300 bytes are whole where the format allows it and cut, and
// counted, in a shapefile.
TEST(Capa, NombresQueNoCaben) {
    const std::string largo(300, 'L');
    for (const std::string extension : {".gpkg", ".shp"}) {
        CarpetaTemporal carpeta;
        const std::string ruta = (carpeta / ("n" + extension)).string();
        const ResumenLote r = ConCapa(carpeta, "geo-cart", largo + ",-3,40\nnu" + std::string(1, '\0') + "l,-3,40\n", ruta);
        ASSERT_TRUE(r.error.empty()) << r.error;
        const bool shp = extension == ".shp";
        EXPECT_EQ(r.otras[0].find("1 nombre cortado a 254 bytes") != std::string::npos, shp) << r.otras[0];
        std::unique_ptr<GDALDataset> ds;
        OGRLayer* capa = Abrir(ruta, ds);
        std::unique_ptr<OGRFeature> f(capa->GetNextFeature());
        EXPECT_EQ(std::string(f->GetFieldAsString("Nombre")), shp ? largo.substr(0, 254) : largo);
        f.reset(capa->GetNextFeature());
        EXPECT_STREQ(f->GetFieldAsString("Nombre"), "nu\\x00l");
    }
}

// The run's own unit and ellipsoid place the points, whatever the settings
// of the process: cart-geo in grads on Hayford, against GeographicLib.
TEST(Capa, UnidadDeLaEjecucion) {
    CarpetaTemporal carpeta;
    const std::string ruta = (carpeta / "g.gpkg").string();
    OrdenLote orden;
    orden.unidad = 2;
    orden.elipsoide = 14;
    const double X = 4000000, Y = -30000, Z = 4900000;
    const ResumenLote r = ConCapa(carpeta, "cart-geo", "P1,4000000,-30000,4900000\n", ruta, orden);
    ASSERT_TRUE(r.error.empty()) << r.error;
    const Elipsoide& e = TablaElipsoides[14];
    double lat = 0, lon = 0, h = 0;
    GeographicLib::Geocentric(e.a, 1 / e.rf).Reverse(X, Y, Z, lat, lon, h);
    std::unique_ptr<GDALDataset> ds;
    std::unique_ptr<OGRFeature> f(Abrir(ruta, ds)->GetNextFeature());
    // The legacy closed formula (one Bowring step, the program's π) is
    // 0.7 mm off here: 1e-8° (1.1 mm) against a unit mixed up by degrees.
    EXPECT_NEAR(f->GetGeometryRef()->toPoint()->getX(), lon, 1e-8);
    EXPECT_NEAR(f->GetGeometryRef()->toPoint()->getY(), lat, 1e-8);
}

// A geodesic across the antimeridian: two parts, every longitude within
// ±180°, no two vertices more than 10 km apart, the length of the geodesic.
TEST(Capa, GeodesicaPorElAntimeridiano) {
    CarpetaTemporal carpeta;
    const std::string ruta = (carpeta / "l.geojson").string();
    OrdenLote orden;
    orden.exacto = true;
    const ResumenLote r = ConCapa(carpeta, "inverso", "L,170,50,-170,60\n", ruta, orden);
    ASSERT_TRUE(r.error.empty()) << r.error;
    std::unique_ptr<GDALDataset> ds;
    std::unique_ptr<OGRFeature> f(Abrir(ruta, ds)->GetNextFeature());
    const OGRMultiLineString* m = f->GetGeometryRef()->toMultiLineString();
    ASSERT_EQ(m->getNumGeometries(), 2);
    const GeographicLib::Geodesic& wgs = GeographicLib::Geodesic::WGS84();
    double total = 0, s = 0;
    for (const OGRLineString* l : *m) {
        for (int i = 0; i < l->getNumPoints(); ++i) {
            EXPECT_LE(std::fabs(l->getX(i)), 180);
            if (i == 0) continue;
            wgs.Inverse(l->getY(i - 1), l->getX(i - 1), l->getY(i), l->getX(i), s);
            EXPECT_LE(s, 10000.001);
            total += s;
        }
    }
    wgs.Inverse(50, 170, 60, -170, s);
    EXPECT_NEAR(total, s, 1);  // chords of 10 km fall short of the arc by well under 1 m
    EXPECT_EQ(m->getGeometryRef(0)->getX(m->getGeometryRef(0)->getNumPoints() - 1), 180);
    EXPECT_EQ(m->getGeometryRef(1)->getX(0), -180);
}

// Two runs at once into one folder, each with its layer: what stays in place
// is one run's text result with that same run's layer.
TEST(Capa, DosALaVez) {
    CarpetaTemporal carpeta;
    for (const char* n : {"1", "2"}) {
        std::string t = "Punto\n";
        for (int i = 0; i < 5000; ++i) t += std::string(n) + "-" + std::to_string(i) + ",-0.5,39.5,100\n";
        Escribir(carpeta / (std::string("p") + n + ".txt"), t);
    }
    const std::string capa = (carpeta / "c.gpkg").string();
    auto correr = [&](const char* n) {
        const std::unique_ptr<Sumidero> salida = CrearSalidaCapa(capa);
        Sumidero* const otras[] = {salida.get()};
        EXPECT_TRUE(Correr("geo-cart", carpeta / (std::string("p") + n + ".txt"), {}, otras).error.empty());
    };
    std::thread a(correr, "1"), b(correr, "2");
    a.join();
    b.join();
    const std::string txt = Leer(carpeta / "Cartesianas_geocéntricas.txt");
    std::unique_ptr<GDALDataset> ds;
    std::unique_ptr<OGRFeature> f(Abrir(capa, ds)->GetNextFeature());
    EXPECT_EQ(txt.substr(txt.find("\r\n\"") + 3, 2), std::string(f->GetFieldAsString("Nombre")).substr(0, 2));
}

}  // namespace
}  // namespace tesmaro::pruebas
