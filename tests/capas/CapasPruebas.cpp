// Layers read back with OGR: features, coordinate system, coordinates, names.
#include <GeographicLib/Geodesic.hpp>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <clocale>
#include <cmath>
#include <memory>
#include <vector>

#include "Ayudas.h"
#include "Capas.h"
#include "Conversiones.h"
#include "Rejilla.h"

namespace tesmaro::pruebas {
namespace {

struct Registro {
    const char* nombre;
    double x, y;                            // the point, or A: as the result (or input) writes it
    double xB = std::nan(""), yB = std::nan("");  // B of a geodesic line
};

struct Caso {
    const char* conversion;
    const char* txt;      // the text result
    const char* entrada;  // the point file (the direct problem reads A from it)
    int epsg;             // of the layer in its datum
    bool ed50;            // WGS 84 formats go through the grid
    std::vector<Registro> esperados;
    std::uint64_t sinConvertir;
};

// Results as tesmaro-lote wrote them; the last line of each was not converted.
const Caso Casos[] = {
    {"geo-utm-etrs89",
     "\"Nombre\",\"Coordenada X\",\"Coordenada Y\",\"Huso\",\"Latitud Norte-Sur\",\"Convergencia de "
     "meridianos\",\"Anamorfosis lineal\"\r\n"
     "\"P1\",714960.69593,4375248.58024,30,\"Norte\",1.59080384719244,1.00016896\r\n"
     "\"Señal Ñ\",500000,4427757.21921,30,\"Norte\",0,0.9996\r\n\"mal\",,,,,,\r\n",
     "", 25830, false, {{"P1", 714960.69593, 4375248.58024}, {"Señal Ñ", 500000, 4427757.21921}}, 1},
    {"utm-geo-ed50",
     "\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\"\r\n\"P1\",-0.500136652393443,39.4993321305747,30\r\n"
     "\"Señal Ñ\",-3,39.7492307716668,30\r\n\"mal\",,,\r\n",
     "", 4230, true, {{"P1", -0.500136652393443, 39.4993321305747}, {"Señal Ñ", -3, 39.7492307716668}}, 1},
    {"ed50-etrs89",
     "\"Nombre\",\"Longitud\",\"Latitud\",\"Huso\"\r\n\"P1\",-0.501203701429897,39.4988150903251,30\r\n"
     "\"Señal Ñ\",-3.00128923510181,39.9988096681833,30\r\n\"fuera\",,,\r\n",
     "", 4258, false,
     {{"P1", -0.501203701429897, 39.4988150903251}, {"Señal Ñ", -3.00128923510181, 39.9988096681833}}, 1},
    {"inverso",
     "\"Nombre\",\"Longitud A\",\"Latitud A\",\"Acimut directo (A-B)\",\"Distancia (A-B)\",\"Longitud "
     "(B)\",\"Latitud (B)\",\"Acimut inverso (B-A)\",\"Semieje a\",\"1/f\",\"Cálculo válido sólo para "
     "puntos en un mismo hemisferio\"\r\n"
     "\"P1\",-0.5,39.5,51.1344637153782,270136.683914418,2,41,232.750062309761,6378137,298.257223563\r\n"
     "\"Señal Ñ\",-3,40,339.026962600982,23788.0781564895,-3.1,40.2,158.962550117622,6378137,298.257223563\r\n"
     "\"S\",-3,-10,,,-3.1,5,,6378137,298.257223563\r\n",
     "", 4326, false, {{"P1", -0.5, 39.5, 2, 41}, {"Señal Ñ", -3, 40, -3.1, 40.2}}, 1},
    // A comes from the point file, read with its decimal commas, blank line passed over.
    {"directo",
     "\"Nombre\",\"Longitud\",\"Latitud\",\"Acimut inverso\",\"Semieje a\",\"1/f\"\r\n"
     "\"P1\",0.329671423340662,40.1339084708434,225.531282969409,6378137,298.257223563\r\n"
     "\"mal\",,,,,\r\n"
     "\"Señal Ñ\",-2.98982592986907,40.0443462565339,190.006542782383,6378137,298.257223563\r\n",
     "Punto;Longitud;Latitud;Acimut;Distancia\r\nP1;-0,5;39,5;45;100000\r\nmal;x;1;2;3\r\n\r\n"
     "Señal Ñ;-3;40;10;5000\r\n",
     4326, false, {{"P1", -0.5, 39.5, 0.329671423340662, 40.1339084708434},
                   {"Señal Ñ", -3, 40, -2.98982592986907, 40.0443462565339}}, 1},
};

// Shapefile and GeoPackage keep the doubles; GeoJSON is written with 17
// significant digits (exact); KML's writer keeps 15 significant digits, 1e-13°
// at these longitudes and latitudes. PROJ's and GeographicLib's transverse
// Mercator agree to well under a millimetre (1e-8° would be 1 mm).
constexpr double ToleranciaGrados = 1e-9;
constexpr double ToleranciaMetros = 1e-6;  // shapefile/GeoPackage doubles: exact

// Where a position of the result must be in a WGS 84 layer.
void AWgs84(const Caso& caso, double& x, double& y) {
    if (caso.epsg > 20000) {  // UTM: PROJ's inverse projection, ETRS89 taken as WGS 84
        OGRSpatialReference utm, geo;
        utm.importFromEPSG(caso.epsg);
        geo.importFromEPSG(4326);
        geo.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        std::unique_ptr<OGRCoordinateTransformation> t(OGRCreateCoordinateTransformation(&utm, &geo));
        ASSERT_TRUE(t && t->Transform(1, &x, &y));
    } else if (caso.ed50) {
        static const Rejilla rejilla(std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb");
        const PuntoRejilla p = rejilla.ED50aETRS89(x * 3600, y * 3600);
        ASSERT_TRUE(p.dentro);
        x = p.lon / 3600;
        y = p.lat / 3600;
    }
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
        Escribir(carpeta / "r.txt", caso.txt);
        Escribir(carpeta / "puntos.txt", caso.entrada);
        OpcionesCapa opciones{(carpeta / "puntos.txt").string(), std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb", 1};
        const std::string ruta = (carpeta / ("capa" + extension)).string();
        const ResumenCapa r = EscribirCapa(*BuscarConversion(caso.conversion), (carpeta / "r.txt").string(), ruta, opciones);
        ASSERT_TRUE(r.escrita) << r.error;
        EXPECT_EQ(r.sinConvertir, caso.sinConvertir);

        std::unique_ptr<GDALDataset> ds(GDALDataset::Open(ruta.c_str(), GDAL_OF_VECTOR));
        ASSERT_TRUE(ds);
        OGRLayer* capa = ds->GetLayer(0);
        ASSERT_EQ(capa->GetFeatureCount(), static_cast<GIntBig>(caso.esperados.size()));
        OGRSpatialReference srs(*capa->GetSpatialRef());
        srs.AutoIdentifyEPSG();
        const char* codigo = srs.GetAuthorityCode(nullptr);
        EXPECT_EQ(codigo ? std::atoi(codigo) : 0, wgs84 ? 4326 : caso.epsg);

        const bool utm = caso.epsg > 20000 && !wgs84;
        const double tolerancia = utm ? ToleranciaMetros : ToleranciaGrados;
        capa->ResetReading();
        for (const Registro& e : caso.esperados) {
            std::unique_ptr<OGRFeature> f(capa->GetNextFeature());
            ASSERT_TRUE(f);
            EXPECT_STREQ(f->GetFieldAsString(extension == ".kml" ? "Name" : "Nombre"), e.nombre);
            double x = e.x, y = e.y, xB = e.xB, yB = e.yB;
            if (wgs84) AWgs84(caso, x, y);
            const OGRGeometry* g = f->GetGeometryRef();
            ASSERT_TRUE(g);
            if (std::isnan(xB)) {
                const OGRPoint* p = g->toPoint();
                EXPECT_NEAR(p->getX(), x, tolerancia);
                EXPECT_NEAR(p->getY(), y, tolerancia);
                continue;
            }
            // A line from A to B along the geodesic: every vertex as far from
            // A and from B as the whole line is long (1 mm).
            const OGRLineString* l = g->toLineString();
            ASSERT_GE(l->getNumPoints(), 2);
            const int n = l->getNumPoints() - 1;
            EXPECT_NEAR(l->getX(0), x, tolerancia);
            EXPECT_NEAR(l->getY(0), y, tolerancia);
            EXPECT_NEAR(l->getX(n), xB, tolerancia);
            EXPECT_NEAR(l->getY(n), yB, tolerancia);
            const GeographicLib::Geodesic& wgs = GeographicLib::Geodesic::WGS84();
            double s = 0, sA = 0, sB = 0;
            wgs.Inverse(y, x, yB, xB, s);
            for (int i = 0; i <= n; ++i) {
                wgs.Inverse(y, x, l->getY(i), l->getX(i), sA);
                wgs.Inverse(l->getY(i), l->getX(i), yB, xB, sB);
                EXPECT_NEAR(sA + sB, s, 1e-3);
            }
            if (s > 20000) {
                EXPECT_GT(n, 1);
            }  // long lines are densified
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formatos, Capas, ::testing::Values(".gpkg", ".shp", ".geojson", ".kml"),
                         [](const auto& info) { return std::string(info.param + 1); });

}  // namespace
}  // namespace tesmaro::pruebas
