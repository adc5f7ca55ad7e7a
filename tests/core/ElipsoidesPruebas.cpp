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

}  // namespace
}  // namespace tesmaro
