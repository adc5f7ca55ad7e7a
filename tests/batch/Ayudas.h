// What the batch tests share: a temporary folder, whole-file reading and
// writing, a run with a scripted observer, and the two locales every test
// runs under.
#pragma once
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdint>
#include <filesystem>
#include <map>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Ajustes.h"
#include "Lote.h"

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

// Records the progress of a run; asks it to stop after some checks.
class ObservadorGuion : public ObservadorLote {
public:
    int cancelarTrasConsultas = -1;  // Cancelado() turns true after this many calls
    std::vector<std::pair<std::uint64_t, std::uint64_t>> progreso;
    int consultas = 0;

    void Progreso(std::uint64_t leidos, std::uint64_t total) override { progreso.emplace_back(leidos, total); }
    bool Cancelado() override {
        ++consultas;
        return cancelarTrasConsultas >= 0 && consultas > cancelarTrasConsultas;
    }
};

// A run of the conversion `nombre` on `entrada` with the start settings (the
// grid of the source tree), and optionally more outputs.
inline ResumenLote Correr(std::string_view nombre, const fs::path& entrada, OrdenLote orden = {},
                          std::span<Sumidero* const> otras = {}) {
    ObservadorGuion observador;
    orden.conversion = BuscarConversion(nombre);
    orden.entrada = entrada.string();
    if (orden.rutaRejilla.empty()) orden.rutaRejilla = std::string(TESMARO_DATOS_FUENTE) + "/sped2et.gsb";
    return EjecutarLote(orden, otras, observador);
}

// The files of a folder, names and contents, hidden ones included.
inline std::map<std::string, std::string> Contenido(const fs::path& carpeta) {
    std::map<std::string, std::string> c;
    for (const auto& e : fs::directory_iterator(carpeta))
        c[e.path().filename().string()] = e.is_regular_file() ? Leer(e.path()) : "<" + e.path().filename().string() + ">";
    return c;
}

// The fields of a record of the text result (',') or its CSV twin (';'), a
// quoted field without its quotes and with its doubled quotes as one.
inline std::vector<std::string> CamposRegistro(std::string_view linea, char separador) {
    std::vector<std::string> campos(1);
    bool comillas = false;
    for (std::size_t i = 0; i < linea.size(); ++i) {
        const char c = linea[i];
        if (c == '"' && comillas && i + 1 < linea.size() && linea[i + 1] == '"') {
            campos.back() += c;
            ++i;
        } else if (c == '"') {
            comillas = !comillas;
        } else if (c == separador && !comillas) {
            campos.emplace_back();
        } else {
            campos.back() += c;
        }
    }
    return campos;
}

// The text result and its CSV twin hold the same records: a record each line,
// the same names, the numbers with a decimal comma.
inline void MismosRegistros(const std::string& txt, const std::string& csv) {
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    std::istringstream t(txt), c(csv.substr(3));
    std::string lt, lc;
    while (std::getline(t, lt)) {
        ASSERT_TRUE(std::getline(c, lc)) << lt;
        std::vector<std::string> ct = CamposRegistro(lt, ','), cc = CamposRegistro(lc, ';');
        ASSERT_EQ(ct.size(), cc.size()) << lt << "\n" << lc;
        if (!ct[0].empty() && std::string_view("=+-@").find(ct[0][0]) != std::string_view::npos)
            cc[0].erase(0, 1);  // a formula neutralised
        for (std::size_t i = 1; i < ct.size(); ++i)
            for (char& ch : ct[i]) ch = ch == '.' ? ',' : ch;
        EXPECT_EQ(ct, cc);
    }
    EXPECT_FALSE(std::getline(c, lc));
}

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


}  // namespace tesmaro::pruebas
