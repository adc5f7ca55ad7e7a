// The ellipsoid table, the current choice and the datum ellipsoids.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Ajustes.h"
#include "Avisos.h"
#include "Elipsoides.h"

namespace tesmaro {
namespace {

class Grabador : public Avisador {
public:
    void Avisar(std::string_view texto, bool critico) override {
        avisos.emplace_back(texto);
        criticos.push_back(critico);
    }
    std::vector<std::string> avisos;
    std::vector<bool> criticos;
};

class ElipsoidesPruebas : public ::testing::Test {
protected:
    void SetUp() override { anterior_ = FijarAvisador(&grabador_); }
    void TearDown() override {
        FijarAvisador(anterior_);
        ajustes::Restablecer();
    }
    Grabador grabador_;

private:
    Avisador* anterior_ = nullptr;
};

TEST_F(ElipsoidesPruebas, SinSeleccionEsWgs84) {
    EXPECT_EQ(ParametroElipsoide(-1), 6378137);
    EXPECT_EQ(ParametroElipsoide(0), 298.257223563);
    const ParametrosElipsoide p = ElipsoideEnUso();
    EXPECT_TRUE(p.valido);
    EXPECT_EQ(p.a, 6378137);
    EXPECT_EQ(p.rf, 298.257223563);
    EXPECT_TRUE(grabador_.avisos.empty());
}

TEST_F(ElipsoidesPruebas, CualquierBanderaNoNulaDaElSemieje) {
    ajustes::ElipsoideActual = 7;  // Bessel 1841
    for (std::int16_t bandera : {std::int16_t(-1), std::int16_t(1), std::int16_t(2), std::int16_t(-32768)})
        EXPECT_EQ(ParametroElipsoide(bandera), 6377397.155) << bandera;
    EXPECT_EQ(ParametroElipsoide(0), 299.1528128);
}

TEST_F(ElipsoidesPruebas, Filas4Y21SoloDifierenEnAplanamiento) {
    ajustes::ElipsoideActual = 21;
    EXPECT_EQ(ParametroElipsoide(-1), 6378137);
    EXPECT_EQ(ParametroElipsoide(0), 298.257222101);
    ajustes::ElipsoideActual = 4;
    EXPECT_EQ(ParametroElipsoide(-1), 6378137);
    EXPECT_EQ(ParametroElipsoide(0), 298.257223563);
}

TEST_F(ElipsoidesPruebas, Tabla) {
    ASSERT_EQ(TablaElipsoides.size(), 24u);
    EXPECT_EQ(TablaElipsoides[0].nombre, "Airy 1830");
    EXPECT_EQ(TablaElipsoides[2].nombre, "International Hayford 1924");
    EXPECT_EQ(TablaElipsoides[14].nombre, "Everest (W. Malaysia y Singapore)");
    EXPECT_EQ(TablaElipsoides[14].a, 6377304.063);
    EXPECT_EQ(TablaElipsoides[23].nombre, "South American SIRGAS");
    // Rows that repeat the values of others.
    EXPECT_EQ(TablaElipsoides[5].a, TablaElipsoides[22].a);
    EXPECT_EQ(TablaElipsoides[5].rf, TablaElipsoides[22].rf);
    EXPECT_EQ(TablaElipsoides[21].a, TablaElipsoides[23].a);
    EXPECT_EQ(TablaElipsoides[21].rf, TablaElipsoides[23].rf);
    for (int i = 10; i <= 15; ++i) EXPECT_EQ(TablaElipsoides[i].rf, 300.8017) << i;
    for (const Elipsoide& e : TablaElipsoides) {
        EXPECT_GT(e.a, 6377000) << e.nombre;
        EXPECT_LT(e.a, 6378400) << e.nombre;
        EXPECT_GT(e.rf, 290) << e.nombre;
    }
}

TEST_F(ElipsoidesPruebas, FueraDeTablaAvisaYDaCero) {
    for (std::int16_t fila : {std::int16_t(-1), std::int16_t(24), std::int16_t(32767)}) {
        ajustes::ElipsoideActual = fila;
        grabador_.avisos.clear();
        grabador_.criticos.clear();
        EXPECT_EQ(ParametroElipsoide(-1), 0);
        EXPECT_EQ(ParametroElipsoide(0), 0);
        ASSERT_EQ(grabador_.avisos.size(), 2u);
        EXPECT_EQ(grabador_.avisos[0], "Seleccione un elipsoide de referencia");
        EXPECT_FALSE(grabador_.criticos[0]);  // plain message, no icon
        grabador_.avisos.clear();
        const ParametrosElipsoide p = ElipsoideEnUso();
        EXPECT_FALSE(p.valido);
        EXPECT_EQ(p.a, 0);
        EXPECT_EQ(p.rf, 0);
    }
}

TEST_F(ElipsoidesPruebas, DatumsNoDependenDeLaSeleccion) {
    ajustes::ElipsoideActual = 7;
    EXPECT_EQ(ElipsoideDatum(Datum::ED50).a, 6378388);
    EXPECT_EQ(ElipsoideDatum(Datum::ED50).rf, 297);
    EXPECT_EQ(ElipsoideDatum(Datum::ETRS89).a, 6378137);
    EXPECT_EQ(ElipsoideDatum(Datum::ETRS89).rf, 298.257222101);
    EXPECT_EQ(static_cast<int>(Datum::ETRS89), 0);
    EXPECT_EQ(static_cast<int>(Datum::ED50), 1);
}

}  // namespace
}  // namespace tesmaro
