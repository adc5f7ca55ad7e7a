// Conversions between the angular unit of the settings, radians and degrees.
#include <gtest/gtest.h>

#include <cstdint>

#include "Ajustes.h"
#include "Angulos.h"

namespace tesmaro {
namespace {

class UnidadesAngulares : public ::testing::Test {
protected:
    void TearDown() override { ajustes::Restablecer(); }
};

TEST_F(UnidadesAngulares, ConversionesConElPiDelPrograma) {
    struct Caso {
        std::int16_t unidad;
        double valor, radianes, grados;
    };
    const Caso casos[] = {
        {1, 40, (40 * PiDiezCifras) / 180, 40},
        {2, 50, (50 * PiDiezCifras) / 200, 45},
        {3, 0.5, 0.5, (0.5 * 180) / PiDiezCifras},
        {0, 40, (40 * PiDiezCifras) / 180, 40},  // other values behave like 1
        {7, 40, (40 * PiDiezCifras) / 180, 40},
    };
    for (const Caso& c : casos) {
        ajustes::UnidadAngular = c.unidad;
        EXPECT_EQ(UnidadARadianes(c.valor), c.radianes) << c.unidad;
        EXPECT_EQ(UnidadAGrados(c.valor), c.grados) << c.unidad;
    }
    ajustes::UnidadAngular = 2;
    EXPECT_EQ(RadianesAUnidad(0.7), (0.7 * 200) / PiDiezCifras);
    EXPECT_EQ(GradosAUnidad(36), (36.0 * 200) / 180);
    // 40° reads as 400/9 grads (to rounding of the two conversions).
    EXPECT_NEAR(RadianesAUnidad((40 * PiDiezCifras) / 180), 400.0 / 9, 1e-13);
    ajustes::UnidadAngular = 3;
    EXPECT_EQ(RadianesAUnidad(0.7), 0.7);
    EXPECT_EQ(GradosAUnidad(36), (PiDiezCifras * 36) / 180);
    ajustes::UnidadAngular = 1;
    EXPECT_EQ(RadianesAUnidad(0.7), (0.7 * 180) / PiDiezCifras);
    EXPECT_EQ(GradosAUnidad(36.25), 36.25);
}

}  // namespace
}  // namespace tesmaro
