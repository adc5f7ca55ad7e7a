// Throughput of every batch conversion on large point files, in process.
//
//   lotes_bench [LINEAS] [CONVERSION...]      (default 1000000 lines, all)
//
// Makes one input file per conversion in a temporary folder (points spread
// over the region of the grid, fixed seed), runs it through the same driver
// as the windows and tesmaro-lote (a run, Lote.h), and prints seconds, lines per second and
// MB per second of input, then the peak resident memory of the process.
// Memory per conversion and the side-by-side with cs2cs: comparar_cs2cs.sh.
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Lote.h"
#include "Rejilla.h"
#include "Texto.h"

namespace {

using namespace tesmaro;
namespace fs = std::filesystem;

// A small fixed-seed generator: the same files on every run.
struct Azar {
    std::uint64_t s = 0x9E3779B97F4A7C15ull;
    double Uniforme(double a, double b) {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return a + (b - a) * (static_cast<double>(s >> 11) / 9007199254740992.0);
    }
};

std::string Num(double v) { return TextoNumero(v, '.'); }

struct Caso {
    const char* nombre;
    std::int16_t codigo;
};
constexpr Caso Casos[] = {
    {"geo-utm-etrs89", 1}, {"utm-geo-etrs89", 0}, {"geo-cart", 2},     {"cart-geo", 3},
    {"ed50-etrs89", 10},   {"etrs89-ed50", 11},   {"directo", 8},      {"inverso", 9},
};

std::string Linea(std::int16_t codigo, std::uint64_t i, Azar& azar) {
    const std::string nombre = std::string("P").append(std::to_string(i));
    const double lon = azar.Uniforme(-9, 3.5);
    const double lat = azar.Uniforme(36.5, 43.5);
    switch (codigo) {
        case 1: return nombre + "," + Num(lon) + "," + Num(lat) + "," + (lon < 0 ? "30" : "31") + ",N\r\n";
        case 0: return nombre + "," + Num(azar.Uniforme(250000, 750000)) + "," + Num(azar.Uniforme(4000000, 4800000)) +
                       ",30,N\r\n";
        case 2: return nombre + "," + Num(lon) + "," + Num(lat) + "," + Num(azar.Uniforme(0, 3000)) + "\r\n";
        case 3: return nombre + "," + Num(azar.Uniforme(4.5e6, 5.0e6)) + "," + Num(azar.Uniforme(-7e5, 2.5e5)) +
                       "," + Num(azar.Uniforme(3.7e6, 4.4e6)) + "\r\n";
        case 10:
        case 11: return nombre + "," + Num(lon) + "," + Num(lat) + "\r\n";
        case 8: return nombre + "," + Num(lon) + "," + Num(lat) + "," + Num(azar.Uniforme(0, 360)) + "," +
                       Num(azar.Uniforme(1000, 200000)) + "\r\n";
        case 9: return nombre + "," + Num(lon) + "," + Num(lat) + "," + Num(lon + azar.Uniforme(-1, 1)) + "," +
                       Num(lat + azar.Uniforme(-1, 1)) + "\r\n";
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t lineas = 1000000;
    std::vector<std::string_view> elegidas;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (!a.empty() && a[0] >= '0' && a[0] <= '9')
            lineas = std::strtoull(argv[i], nullptr, 10);
        else
            elegidas.push_back(a);
    }
    const fs::path tmp = fs::temp_directory_path() / "tesmaro_lotes_bench";
    fs::create_directories(tmp);
    std::printf("%-16s %10s %9s %12s %9s\n", "conversion", "lineas", "segundos", "lineas/s", "MB/s");
    for (const Caso& c : Casos) {
        if (!elegidas.empty()) {
            bool esta = false;
            for (const auto e : elegidas) esta = esta || e == c.nombre;
            if (!esta) continue;
        }
        const fs::path entrada = tmp / (std::string(c.nombre) + ".txt");
        {
            std::FILE* f = std::fopen(entrada.c_str(), "wb");
            Azar azar;
            std::string bloque = "Cabecera\r\n";
            for (std::uint64_t i = 0; i < lineas; ++i) {
                bloque += Linea(c.codigo, i, azar);
                if (bloque.size() > (1u << 20)) {
                    std::fwrite(bloque.data(), 1, bloque.size(), f);
                    bloque.clear();
                }
            }
            std::fwrite(bloque.data(), 1, bloque.size(), f);
            std::fclose(f);
        }
        OrdenLote orden;
        orden.conversion = BuscarConversion(c.nombre);
        orden.entrada = entrada.string();
        ObservadorLote nadie;
        const auto t0 = std::chrono::steady_clock::now();
        const ResumenLote r = EjecutarLote(orden, nadie);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (!r.error.empty()) std::fprintf(stderr, "%s: %s\n", c.nombre, r.error.c_str());
        const double mb = static_cast<double>(fs::file_size(entrada)) / 1e6;
        std::printf("%-16s %10llu %9.3f %12.0f %9.1f\n", c.nombre, static_cast<unsigned long long>(r.lineasLeidas), s,
                    static_cast<double>(r.lineasLeidas) / s, mb / s);
        std::fflush(stdout);
        fs::remove(entrada);
        fs::remove(r.rutaTxt);
        fs::remove(r.rutaCsv);
    }
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("memoria residente maxima del proceso: %ld KB\n", uso.ru_maxrss);
    return 0;
}
