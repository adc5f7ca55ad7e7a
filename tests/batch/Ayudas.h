// What the batch tests share: a temporary folder, whole-file reading and
// writing, a scripted InterfazLote, and the two locales every test runs under.
#pragma once
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Ajustes.h"
#include "InterfazLote.h"

namespace tesmaro::pruebas {

namespace fs = std::filesystem;

inline std::string Leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void Escribir(const fs::path& ruta, std::string_view contenido) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(contenido.data(), static_cast<std::streamsize>(contenido.size()));
}

// A fresh folder under the system's temporary folder, removed at the end.
class CarpetaTemporal {
public:
    CarpetaTemporal() {
        std::random_device azar;
        ruta_ = fs::temp_directory_path() / ("tesmaro_lote_" + std::to_string(azar()) + "_" +
                                             std::to_string(azar()));
        fs::create_directories(ruta_);
    }
    ~CarpetaTemporal() {
        std::error_code ec;
        fs::permissions(ruta_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(ruta_, ec);
    }
    const fs::path& ruta() const { return ruta_; }
    fs::path operator/(std::string_view nombre) const { return ruta_ / nombre; }

private:
    fs::path ruta_;
};

// Answers the dialogs from a script and records every message.
class InterfazGuion : public InterfazLote {
public:
    std::string puntos;   // answer of the point-file dialog ("" = cancelled)
    std::string rejilla;  // answer of the grid dialog ("" = cancelled)
    int cancelarTrasConsultas = -1;  // Cancelado() turns true after this many calls

    std::vector<DialogoFichero> dialogosPuntos, dialogosRejilla;
    std::vector<std::string> mensajes;  // Mensaje and Aviso, in order
    std::vector<std::pair<std::uint64_t, std::uint64_t>> progreso;
    int consultas = 0;

    std::string ElegirFicheroPuntos(const DialogoFichero& d) override {
        dialogosPuntos.push_back(d);
        return puntos;
    }
    std::string ElegirRejilla(const DialogoFichero& d) override {
        dialogosRejilla.push_back(d);
        return rejilla;
    }
    void Mensaje(std::string_view texto) override { mensajes.emplace_back(texto); }
    void Progreso(std::uint64_t leidos, std::uint64_t total) override {
        progreso.emplace_back(leidos, total);
    }
    bool Cancelado() override {
        ++consultas;
        return cancelarTrasConsultas >= 0 && consultas > cancelarTrasConsultas;
    }
};

// Every batch test runs once under a point locale ("C") and once under
// es_ES.UTF-8, whose decimal separator is the comma: the result files must
// not change. Settings are put back afterwards.
class ConLocale : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (!std::setlocale(LC_ALL, GetParam())) GTEST_SKIP() << "locale " << GetParam() << " no instalado";
        ajustes::Restablecer();
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        ajustes::Restablecer();
    }
};

#define TESMARO_EN_LOCALES(Fixture) \
    INSTANTIATE_TEST_SUITE_P(Locales, Fixture, ::testing::Values("C", "es_ES.UTF-8"))

inline std::string RutaRejillaFuente() { return std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb"; }

}  // namespace tesmaro::pruebas
