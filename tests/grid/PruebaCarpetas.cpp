// Where the program finds its grid: the current folder first, then its own
// data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "Rejilla.h"

namespace tesmaro {
namespace {

namespace fs = std::filesystem;

class Carpetas : public ::testing::Test {
protected:
    void SetUp() override {
        anterior_ = fs::current_path();
        temporal_ = fs::temp_directory_path() / ("tesmaro_carpetas_" + std::to_string(::getpid()));
        fs::create_directories(temporal_);
        fs::current_path(temporal_);
    }
    void TearDown() override {
        fs::current_path(anterior_);
        fs::remove_all(temporal_);
    }
    fs::path anterior_, temporal_;
};

TEST_F(Carpetas, DatosDelArbolDeCompilacion) {
    // This program runs from <build>/tests/grid; the build tree's data folder
    // is <build>/data, where the build copies sped2et.gsb.
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    const fs::path esperada = exe.parent_path().parent_path().parent_path() / "data";
    ASSERT_TRUE(fs::exists(esperada / NombreRejilla)) << esperada;
    EXPECT_EQ(fs::path(CarpetaDatosPrograma()), esperada);
}

TEST_F(Carpetas, RejillaDeLasVentanas) {
    // Not in the current folder: the data folder's copy, which opens.
    const std::string deDatos = RutaRejillaVentanas();
    EXPECT_EQ(fs::path(deDatos), fs::path(CarpetaDatosPrograma()) / NombreRejilla);
    EXPECT_EQ(Rejilla(deDatos).estado(), EstadoRejilla::Correcta);
    // In the current folder: that one, by its bare name.
    std::ofstream(temporal_ / NombreRejilla) << "no es una rejilla";
    EXPECT_EQ(RutaRejillaVentanas(), NombreRejilla);
    const Rejilla local(RutaRejillaVentanas());
    EXPECT_EQ(local.estado(), EstadoRejilla::Invalida);
    EXPECT_NE(local.mensaje().find("El fichero de rejilla sped2et.gsb no es una rejilla NTv2 válida"),
              std::string::npos);
}

}  // namespace
}  // namespace tesmaro
