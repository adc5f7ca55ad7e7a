#include "Compromiso.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <utility>

namespace tesmaro {

namespace fs = std::filesystem;

namespace {

// The staging folder's name ("." keeps it out of sight), the folder of the
// outputs inside it, the folder of the hard links to the files replaced and
// the journal.
constexpr std::string_view Prefijo = ".tesmaro-";
constexpr const char* Nuevos = "s";
constexpr const char* Anteriores = "a";
constexpr const char* Diario = "diario";
constexpr const char* DiarioTemporal = "diario.tmp";

// A file descriptor closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { Cerrar(); }
    Descriptor(Descriptor&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& o) noexcept {
        if (this != &o) {
            Cerrar();
            fd_ = std::exchange(o.fd_, -1);
        }
        return *this;
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void Cerrar() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

int AbrirCarpeta(int en, const char* nombre) {
    return ::openat(en, nombre, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

bool Existe(int carpeta, const std::string& nombre, struct stat& st) {
    return ::fstatat(carpeta, nombre.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// Empties and removes a staging folder (its subfolders one level deep).
void Vaciar(int carpeta) {
    for (const char* sub : {Nuevos, Anteriores}) {
        Descriptor d(AbrirCarpeta(carpeta, sub));
        if (!d) continue;
        if (DIR* dir = ::fdopendir(::dup(d.get()))) {
            std::vector<std::string> nombres;
            while (const dirent* e = ::readdir(dir))
                if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) nombres.emplace_back(e->d_name);
            ::closedir(dir);
            for (const std::string& n : nombres) ::unlinkat(d.get(), n.c_str(), 0);
        }
        ::unlinkat(carpeta, sub, AT_REMOVEDIR);
    }
    ::unlinkat(carpeta, Diario, 0);
    ::unlinkat(carpeta, DiarioTemporal, 0);
}

void Eliminar(int padre, const std::string& nombre, int carpeta) {
    Vaciar(carpeta);
    ::unlinkat(padre, nombre.c_str(), AT_REMOVEDIR);
}

// One step of a commit: put a new file in place ('P') or remove a stale
// sidecar ('Q').
struct Paso {
    char tipo;
    std::string nombre;
};

std::string TextoDiario(const std::vector<Paso>& pasos) {
    std::string t;
    for (const Paso& p : pasos) {
        t += p.tipo;
        t += ' ';
        t += p.nombre;
        t += '\n';
    }
    return t;
}

// A name of the journal: a plain file name of this folder.
bool NombreValido(std::string_view n) {
    return !n.empty() && n != "." && n != ".." && n.find('/') == std::string_view::npos &&
           n.find('\0') == std::string_view::npos;
}

std::vector<Paso> LeerDiario(int carpeta) {
    std::vector<Paso> pasos;
    Descriptor f(::openat(carpeta, Diario, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!f) return pasos;
    struct stat st{};
    // A journal is a few lines; anything else is not ours.
    if (::fstat(f.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > (1 << 20)) return pasos;
    std::string t(static_cast<std::size_t>(st.st_size), '\0');
    if (::read(f.get(), t.data(), t.size()) != static_cast<ssize_t>(t.size())) return pasos;
    std::string_view resto = t;
    while (!resto.empty()) {
        const std::size_t fin = resto.find('\n');
        if (fin == std::string_view::npos) break;
        const std::string_view linea = resto.substr(0, fin);
        resto.remove_prefix(fin + 1);
        if (linea.size() > 2 && (linea[0] == 'P' || linea[0] == 'Q') && linea[1] == ' ' &&
            NombreValido(linea.substr(2)))
            pasos.push_back({linea[0], std::string(linea.substr(2))});
    }
    return pasos;
}

// Applies the journal of a staging folder whose run died after writing it.
void Completar(int carpeta, int preparacion, const std::vector<Paso>& pasos) {
    Descriptor nuevos(AbrirCarpeta(preparacion, Nuevos));
    for (const Paso& p : pasos) {
        struct stat st{};
        if (p.tipo == 'P' && nuevos && Existe(nuevos.get(), p.nombre, st))
            ::renameat(nuevos.get(), p.nombre.c_str(), carpeta, p.nombre.c_str());
        else if (p.tipo == 'Q')
            ::unlinkat(carpeta, p.nombre.c_str(), 0);
    }
    ::fsync(carpeta);
}

// The same, with the folder's lock already held.
void Recuperar(int carpeta) {
    DIR* dir = ::fdopendir(::dup(carpeta));
    if (!dir) return;
    std::vector<std::string> nombres;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view n = e->d_name;
        if (n.substr(0, Prefijo.size()) == Prefijo) nombres.emplace_back(n);
    }
    ::closedir(dir);
    for (const std::string& n : nombres) {
        Descriptor d(AbrirCarpeta(carpeta, n.c_str()));
        // Not a folder, or another user's, or locked by a run still going.
        if (!d || ::flock(d.get(), LOCK_EX | LOCK_NB) != 0) continue;
        Completar(carpeta, d.get(), LeerDiario(d.get()));
        Eliminar(carpeta, n, d.get());
    }
}

// SIGINT, SIGTERM, SIGHUP and SIGQUIT held back while outputs go in place.
class SenalesRetenidas {
public:
    SenalesRetenidas() {
        sigset_t s;
        sigemptyset(&s);
        for (const int senal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&s, senal);
        pthread_sigmask(SIG_BLOCK, &s, &antes_);
    }
    ~SenalesRetenidas() { pthread_sigmask(SIG_SETMASK, &antes_, nullptr); }

private:
    sigset_t antes_;
};

bool EscribirTodo(int fd, std::string_view t) {
    while (!t.empty()) {
        const ssize_t n = ::write(fd, t.data(), t.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        t.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

// One output folder of the run.
struct Compromiso::Carpeta {
    std::string ruta;         // absolute
    Descriptor fd;            // the folder, for its lock
    std::string preparacion;  // the staging folder's name in it
    Descriptor fdPreparacion; // locked for as long as the run lives
    Descriptor fdNuevos;      // its folder of outputs
};

// One declared file.
struct Compromiso::Salida {
    Carpeta* carpeta;
    std::string nombre;
    bool principal;      // false: a sidecar of the output before it
    std::string ruta;    // the main file's path as the caller gave it
};

Compromiso::Compromiso() = default;

Compromiso::~Compromiso() { Descartar(); }

void Compromiso::Proteger(const std::string& ruta) {
    if (ruta.empty() || ruta == "-") return;
    Protegido p;
    std::error_code ec;
    p.ruta = fs::weakly_canonical(fs::absolute(ruta, ec), ec).string();
    struct stat st{};
    if (::stat(ruta.c_str(), &st) == 0) {
        p.existe = true;
        p.dispositivo = st.st_dev;
        p.nodo = st.st_ino;
    }
    protegidos_.push_back(std::move(p));
}

Compromiso::Carpeta* Compromiso::CarpetaDe(const std::string& ruta, std::string& error) {
    for (const auto& c : carpetas_)
        if (c->ruta == ruta) return c.get();
    auto c = std::make_unique<Carpeta>();
    c->ruta = ruta;
    c->fd = Descriptor(::open(ruta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!c->fd) {
        error = "No se puede escribir en la carpeta " + ruta + ": " + std::strerror(errno);
        return nullptr;
    }
    // Under the folder's lock: what killed runs left is completed or
    // removed, and the new staging folder is locked before anyone can see it
    // unlocked.
    ::flock(c->fd.get(), LOCK_EX);
    Recuperar(c->fd.get());
    std::string plantilla = ruta + "/" + std::string(Prefijo) + "XXXXXX";
    const bool creada = ::mkdtemp(plantilla.data()) != nullptr;
    if (creada) {
        c->preparacion = fs::path(plantilla).filename().string();
        c->fdPreparacion = Descriptor(AbrirCarpeta(c->fd.get(), c->preparacion.c_str()));
        if (c->fdPreparacion) {
            ::flock(c->fdPreparacion.get(), LOCK_EX);
            if (::mkdirat(c->fdPreparacion.get(), Nuevos, 0700) == 0)
                c->fdNuevos = Descriptor(AbrirCarpeta(c->fdPreparacion.get(), Nuevos));
        }
    }
    const int fallo = errno;
    ::flock(c->fd.get(), LOCK_UN);
    if (!c->fdNuevos) {
        if (c->fdPreparacion) Eliminar(c->fd.get(), c->preparacion, c->fdPreparacion.get());
        error = "No se puede escribir en la carpeta " + ruta + ": " + std::strerror(fallo);
        return nullptr;
    }
    carpetas_.push_back(std::move(c));
    return carpetas_.back().get();
}

std::string Compromiso::Preparar(const std::string& ruta, std::span<const std::string_view> anejos,
                                 std::string& error) {
    std::error_code ec;
    const fs::path final = fs::absolute(ruta, ec);
    const std::string nombre = final.filename().string();
    if (ec || !NombreValido(nombre) || nombre.substr(0, Prefijo.size()) == Prefijo) {
        error = "Nombre de fichero de resultados no válido: " + ruta;
        return {};
    }
    const fs::path padre = fs::weakly_canonical(final.parent_path(), ec);
    if (ec || !fs::is_directory(padre, ec)) {
        error = "La carpeta de los resultados no existe: " + final.parent_path().string();
        return {};
    }
    // The names of the output: the file, and its sidecars (the same stem
    // with other extensions).
    std::vector<std::string> nombres{nombre};
    const std::string raiz = final.stem().string();
    for (const std::string_view a : anejos) nombres.push_back(raiz + std::string(a));
    bool principalExiste = false;
    for (std::size_t i = 0; i < nombres.size(); ++i) {
        const std::string rutaFinal = (padre / nombres[i]).string();
        struct stat st{};
        const bool existe = ::lstat(rutaFinal.c_str(), &st) == 0;
        if (existe && !S_ISREG(st.st_mode)) {
            error = "El fichero de resultados existe y no es un fichero normal: " + rutaFinal;
            return {};
        }
        if (i == 0) principalExiste = existe;
        if (i > 0 && existe && !principalExiste) {
            error = "No se sustituye " + rutaFinal + ": es de otro conjunto de datos, no de " + (padre / nombre).string();
            return {};
        }
        for (const Protegido& p : protegidos_) {
            if (p.ruta == rutaFinal || (existe && p.existe && p.dispositivo == st.st_dev && p.nodo == st.st_ino)) {
                error = "El fichero de entrada no puede ser también el fichero de resultados: " + rutaFinal;
                return {};
            }
        }
        for (const Salida& s : salidas_) {
            if (s.carpeta->ruta == padre.string() && s.nombre == nombres[i]) {
                error = "Dos resultados de la conversión tienen el mismo nombre: " + rutaFinal;
                return {};
            }
        }
    }
    Carpeta* carpeta = CarpetaDe(padre.string(), error);
    if (!carpeta) return {};
    for (std::size_t i = 0; i < nombres.size(); ++i) salidas_.push_back({carpeta, nombres[i], i == 0, i == 0 ? ruta : ""});
    return (padre / carpeta->preparacion / Nuevos / nombre).string();
}

std::FILE* Compromiso::Borrador(const std::string& ruta, std::string& error) {
    std::error_code ec;
    const fs::path padre = fs::weakly_canonical(fs::absolute(ruta, ec).parent_path(), ec);
    Carpeta* carpeta = CarpetaDe(padre.string(), error);
    if (!carpeta) return nullptr;
    int fd = ::openat(carpeta->fdPreparacion.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        // A file system without anonymous files: a named one, unlinked at once.
        std::string plantilla = padre.string() + "/" + carpeta->preparacion + "/borrador-XXXXXX";
        fd = ::mkstemp(plantilla.data());
        if (fd >= 0) ::unlink(plantilla.c_str());
    }
    std::FILE* f = fd >= 0 ? ::fdopen(fd, "w+b") : nullptr;
    if (!f) {
        if (fd >= 0) ::close(fd);
        error = "No se puede crear un fichero temporal en " + padre.string() + ": " + std::strerror(errno);
    }
    return f;
}

std::vector<std::string> Compromiso::Rutas() const {
    std::vector<std::string> rutas;
    for (const Salida& s : salidas_)
        if (s.principal) rutas.push_back(s.ruta);
    return rutas;
}

void Compromiso::Descartar() {
    for (const auto& c : carpetas_) Eliminar(c->fd.get(), c->preparacion, c->fdPreparacion.get());
    carpetas_.clear();
    salidas_.clear();
}

bool Compromiso::Confirmar(std::string& error) {
    const SenalesRetenidas senales;
    std::vector<Carpeta*> orden;
    for (const auto& c : carpetas_) orden.push_back(c.get());
    std::sort(orden.begin(), orden.end(), [](const Carpeta* a, const Carpeta* b) { return a->ruta < b->ruta; });
    for (Carpeta* c : orden) ::flock(c->fd.get(), LOCK_EX);

    struct Plan {
        Carpeta* carpeta;
        std::vector<Paso> pasos;
        std::vector<bool> habia;  // a file was at the final name (its hard link kept)
        std::size_t hechos = 0;
    };
    std::vector<Plan> planes;
    bool bien = true;
    for (Carpeta* c : orden) {
        Plan plan{c, {}, {}, 0};
        ::mkdirat(c->fdPreparacion.get(), Anteriores, 0700);
        Descriptor anteriores(AbrirCarpeta(c->fdPreparacion.get(), Anteriores));
        for (const Salida& s : salidas_) {
            if (s.carpeta != c) continue;
            struct stat nuevo{}, viejo{};
            const bool escrito = Existe(c->fdNuevos.get(), s.nombre, nuevo);
            const bool existe = Existe(c->fd.get(), s.nombre, viejo);
            if (existe && !S_ISREG(viejo.st_mode)) {
                error = "El fichero de resultados existe y no es un fichero normal: " + c->ruta + "/" + s.nombre;
                bien = false;
            } else if (!escrito && s.principal) {
                error = "No se ha escrito el fichero de resultados " + c->ruta + "/" + s.nombre;
                bien = false;
            }
            if (!escrito && !existe) continue;
            plan.pasos.push_back({escrito ? 'P' : 'Q', s.nombre});
            plan.habia.push_back(existe && anteriores &&
                                 ::linkat(c->fd.get(), s.nombre.c_str(), anteriores.get(), s.nombre.c_str(), 0) == 0);
        }
        planes.push_back(std::move(plan));
    }
    // The journals, before anything is touched.
    for (const Plan& p : planes) {
        if (!bien) break;
        const int prep = p.carpeta->fdPreparacion.get();
        Descriptor f(::openat(prep, DiarioTemporal, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        bien = f && EscribirTodo(f.get(), TextoDiario(p.pasos)) && ::fsync(f.get()) == 0 &&
               ::renameat(prep, DiarioTemporal, prep, Diario) == 0 && ::fsync(prep) == 0;
        if (!bien) error = "No se puede escribir en la carpeta " + p.carpeta->ruta + ": " + std::strerror(errno);
    }
    // Every output in place.
    for (Plan& p : planes) {
        if (!bien) break;
        Carpeta* c = p.carpeta;
        for (; p.hechos < p.pasos.size(); ++p.hechos) {
            const Paso& paso = p.pasos[p.hechos];
            const int r = paso.tipo == 'P'
                              ? ::renameat(c->fdNuevos.get(), paso.nombre.c_str(), c->fd.get(), paso.nombre.c_str())
                              : ::unlinkat(c->fd.get(), paso.nombre.c_str(), 0);
            if (r != 0) {
                error = "No se puede escribir el fichero de resultados " + c->ruta + "/" + paso.nombre + ": " +
                        std::strerror(errno);
                bien = false;
                break;
            }
        }
    }
    if (!bien) {
        // What was replaced goes back: nothing replaced.
        for (Plan& p : planes) {
            Carpeta* c = p.carpeta;
            Descriptor anteriores(AbrirCarpeta(c->fdPreparacion.get(), Anteriores));
            for (std::size_t i = 0; i < p.hechos; ++i) {
                const std::string& n = p.pasos[i].nombre;
                if (p.habia[i] && anteriores)
                    ::renameat(anteriores.get(), n.c_str(), c->fd.get(), n.c_str());
                else
                    ::unlinkat(c->fd.get(), n.c_str(), 0);
            }
            ::unlinkat(c->fdPreparacion.get(), Diario, 0);
        }
    }
    for (Carpeta* c : orden) ::fsync(c->fd.get());
    for (Carpeta* c : orden) {
        Eliminar(c->fd.get(), c->preparacion, c->fdPreparacion.get());
        ::flock(c->fd.get(), LOCK_UN);
    }
    carpetas_.clear();
    salidas_.clear();
    return bien;
}

void RecuperarCarpeta(const std::string& carpeta) {
    Descriptor fd(::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) return;
    ::flock(fd.get(), LOCK_EX);
    Recuperar(fd.get());
    ::flock(fd.get(), LOCK_UN);
}

}  // namespace tesmaro
