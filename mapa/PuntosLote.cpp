#include "PuntosLote.h"

#include <algorithm>
#include <cmath>

#include "Conversiones.h"
#include "Texto.h"

namespace tesmaro {

namespace {

// The longest text read back for one record.
constexpr std::size_t MaxTexto = 4096;
// The text of a point whose record could not be written.
constexpr std::uint64_t SinTexto = (std::uint64_t{1} << 63) - 1;

}  // namespace

PuntosLote::PuntosLote() : textos_(std::tmpfile()) { bien_ = textos_ != nullptr; }

PuntosLote::~PuntosLote() {
    if (textos_) std::fclose(textos_);
}

std::string PuntosLote::Texto(std::uint64_t desplazamiento) const {
    if (!textos_ || desplazamiento >= escrito_ || std::fflush(textos_) != 0 ||
        std::fseek(textos_, static_cast<long>(desplazamiento), SEEK_SET) != 0)
        return {};
    std::string t(std::min<std::uint64_t>(MaxTexto, escrito_ - desplazamiento), '\0');
    t.resize(std::fread(t.data(), 1, t.size(), textos_));
    t.resize(std::min(t.size(), t.find('\0')));
    return t;
}

std::string TextoRegistro(const Conversion& c, const RegistroPunto& reg) {
    // Appended piece by piece (a "literal" + string trips a false warning of GCC 12).
    std::string t(reg.nombre);
    if (reg.linea > 0) {
        t += " (línea ";
        t += std::to_string(reg.linea);
        t += ')';
    }
    if (!Convertido(reg.r.estado)) {
        t += "\nNo convertido: ";
        t += reg.r.motivo;
        return t;
    }
    for (const Columna& col : c.columnas) {
        const double v = reg.r.v[col.valor];
        std::string valor;
        switch (col.tipo) {
            case TipoColumna::Real:
            case TipoColumna::Metros:
            case TipoColumna::Angulo: valor = TextoNumero(v, '.'); break;
            case TipoColumna::Entero: valor = std::isfinite(v) ? std::to_string(std::llround(v)) : ""; break;
            case TipoColumna::NorteSur: valor = v == 0 ? "Norte" : "Sur"; break;
        }
        t += '\n';
        t += col.titulo;
        t += ": ";
        t += valor;
    }
    return t;
}

class SalidaPuntos final : public Sumidero {
public:
    explicit SalidaPuntos(std::shared_ptr<PuntosLote> destino) : d_(std::move(destino)) {}

    // Without a scratch file the points are kept all the same, without texts.
    bool Empezar(const ContextoLote& contexto, Salidas&, std::string&) override {
        conversion_ = &contexto.conversion;
        return true;
    }

    // Each record's text, ended by a NUL.
    void Preparar(const RegistroPunto& registro, Preparado& preparado) const override {
        preparado[0] += TextoRegistro(*conversion_, registro);
        preparado[0] += '\0';
    }

    bool Recibir(std::span<const RegistroPunto> registros, const Preparado& preparado) override {
        PuntosLote& d = *d_;
        const std::string& textos = preparado[0];
        // A full disk loses the texts from then on, not the points.
        d.bien_ = d.bien_ && std::fwrite(textos.data(), 1, textos.size(), d.textos_) == textos.size();
        std::size_t inicio = 0;
        for (const RegistroPunto& reg : registros) {
            const std::uint64_t texto = d.bien_ ? d.escrito_ + inicio : SinTexto;
            inicio = textos.find('\0', inicio) + 1;
            PuntosDeRegistro(*conversion_, reg, [&](const PuntoMapa& p) {
                const bool convertido = p.tipo == TipoPunto::Convertido;
                ++(convertido ? d.cuenta_.convertidos : d.cuenta_.noConvertidos);
                d.lonMin = std::min(d.lonMin, p.lon);
                d.lonMax = std::max(d.lonMax, p.lon);
                d.latMin = std::min(d.latMin, p.lat);
                d.latMax = std::max(d.latMax, p.lat);
                if (d.puntos_.size() < PuntosLote::MaxPuntos)
                    d.puntos_.push_back({static_cast<float>(p.lon), static_cast<float>(p.lat), texto, convertido ? 1u : 0u});
            });
        }
        if (d.bien_) d.escrito_ += textos.size();
        return true;
    }

    bool Terminar(ObservadorLote&, std::string&) override { return true; }

private:
    std::shared_ptr<PuntosLote> d_;
    const Conversion* conversion_ = nullptr;
};

std::unique_ptr<Sumidero> CrearSalidaPuntos(std::shared_ptr<PuntosLote> destino) {
    return std::make_unique<SalidaPuntos>(std::move(destino));
}

}  // namespace tesmaro
