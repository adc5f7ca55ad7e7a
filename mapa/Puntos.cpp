#include "Puntos.h"

#include <QBuffer>
#include <QPainter>
#include <unistd.h>

#include <cmath>
#include <cstdio>

#include "Conversiones.h"

namespace tesmaro {

void PuntosDeRegistro(const Conversion& conversion, const RegistroPunto& registro,
                      const std::function<void(const PuntoMapa&)>& cada) {
    const ResultadoPunto& r = registro.r;
    const TipoPunto tipo = Convertido(r.estado) ? TipoPunto::Convertido : TipoPunto::NoConvertido;
    auto poner = [&](const Posicion& p) {
        if (p.Valida()) cada({p.lon, p.lat, tipo});
    };
    switch (conversion.puntos) {
        case ResultadoPuntos::Inverso:
            poner(r.a);
            poner(r.b);
            break;
        case ResultadoPuntos::Directo: poner(tipo == TipoPunto::Convertido ? r.b : r.a); break;
        default: poner(r.a); break;
    }
}

QImage DibujarPuntos(const std::function<void(const std::function<void(const PuntoMapa&)>&)>& recorrer,
                     QSize tamano, CuentaPuntos* cuenta) {
    double lonMin = 1e9, lonMax = -1e9, latMin = 1e9, latMax = -1e9;
    CuentaPuntos c;
    recorrer([&](const PuntoMapa& p) {
        lonMin = std::min(lonMin, p.lon);
        lonMax = std::max(lonMax, p.lon);
        latMin = std::min(latMin, p.lat);
        latMax = std::max(latMax, p.lat);
        ++(p.tipo == TipoPunto::Convertido ? c.convertidos : c.noConvertidos);
    });
    VistaMapa vista = VistaMapa::Region(tamano.width(), tamano.height());
    if (c.Total() > 0) vista.Ajustar(QRectF(QPointF(lonMin, latMin), QPointF(lonMax, latMax)));
    QImage imagen(tamano, QImage::Format_RGB32);
    {
        QPainter p(&imagen);
        OpcionesFondo opciones;
        opciones.etiquetasGreenwich = false;
        DibujarFondo(p, vista, opciones);
    }
    Punteador punteador(imagen, vista);
    recorrer([&](const PuntoMapa& p) { punteador.Poner(p.lon, p.lat, p.tipo); });
    punteador.Terminar();
    c.dibujados = punteador.Dibujados();
    if (cuenta) *cuenta = c;
    return imagen;
}

namespace {

class SalidaMapa final : public Sumidero {
public:
    explicit SalidaMapa(std::string ruta) : ruta_(std::move(ruta)) {}
    ~SalidaMapa() override {
        if (borrador_) std::fclose(borrador_);
    }

    bool Empezar(const ContextoLote& contexto, Salidas& salidas, std::string& error) override {
        conversion_ = &contexto.conversion;
        preparada_ = salidas.Preparar(ruta_, {}, error);
        if (preparada_.empty()) return false;
        borrador_ = salidas.Borrador(ruta_, error);
        return borrador_ != nullptr;
    }

    bool Recibir(std::span<const RegistroPunto> registros, const Preparado&) override {
        bien_ = bien_ && borrador_;
        for (const RegistroPunto& reg : registros) {
            PuntosDeRegistro(*conversion_, reg, [&](const PuntoMapa& p) {
                const double lonLat[2] = {p.lon, p.lat};
                const auto tipo = static_cast<unsigned char>(p.tipo);
                bien_ = bien_ && std::fwrite(lonLat, sizeof(double), 2, borrador_) == 2 &&
                        std::fwrite(&tipo, 1, 1, borrador_) == 1;
                ++puntos_;
            });
        }
        return bien_;
    }

    bool Terminar(ObservadorLote& observador, std::string& error) override {
        observador.Fase("Dibujando el mapa");
        bool leido = std::fflush(borrador_) == 0;
        auto recorrer = [&](const std::function<void(const PuntoMapa&)>& cada) {
            leido = leido && std::fseek(borrador_, 0, SEEK_SET) == 0;
            for (std::uint64_t i = 0; leido && i < puntos_; ++i) {
                double lonLat[2];
                unsigned char tipo = 0;
                leido = std::fread(lonLat, sizeof(double), 2, borrador_) == 2 && std::fread(&tipo, 1, 1, borrador_) == 1;
                if (leido) cada({lonLat[0], lonLat[1], static_cast<TipoPunto>(tipo)});
            }
        };
        const QImage imagen = DibujarPuntos(recorrer, QSize(1200, 900), &cuenta_);
        // Encoded in memory (a few hundred KB) and written here, where every
        // write is checked: the image writer does not say when the disk is full.
        QByteArray png;
        QBuffer buffer(&png);
        bool bien = leido && !imagen.isNull() && buffer.open(QIODevice::WriteOnly) && imagen.save(&buffer, "PNG");
        if (bien) {
            std::FILE* f = std::fopen(preparada_.c_str(), "wbx");
            bien = f && std::fwrite(png.constData(), 1, static_cast<std::size_t>(png.size()), f) ==
                            static_cast<std::size_t>(png.size()) &&
                   std::fflush(f) == 0 && ::fsync(fileno(f)) == 0;
            if (f && std::fclose(f) != 0) bien = false;
        }
        if (!bien) error = "No se puede escribir el mapa " + ruta_;
        return bien;
    }

    std::string Resumen() const override {
        return "Mapa: " + ruta_ + " (" + std::to_string(cuenta_.Total()) + " puntos)";
    }

private:
    std::string ruta_;
    const Conversion* conversion_ = nullptr;
    std::string preparada_;
    std::FILE* borrador_ = nullptr;
    std::uint64_t puntos_ = 0;
    bool bien_ = true;
    CuentaPuntos cuenta_;
};

}  // namespace

std::unique_ptr<Sumidero> CrearSalidaMapa(const std::string& rutaPng) { return std::make_unique<SalidaMapa>(rutaPng); }

}  // namespace tesmaro
