#include "Angulos.h"

#include "Ajustes.h"

namespace tesmaro {

// Each conversion forms the product first and the quotient after it, with the
// program's π: the printed digits depend on it.

double UnidadARadianes(double valor) {
    switch (ajustes::UnidadAngular) {
        case 2:
            return (valor * PiDiezCifras) / 200;
        case 3:
            return valor;
        default:
            return (valor * PiDiezCifras) / 180;
    }
}

double RadianesAUnidad(double radianes) {
    switch (ajustes::UnidadAngular) {
        case 2:
            return (radianes * 200) / PiDiezCifras;
        case 3:
            return radianes;
        default:
            return (radianes * 180) / PiDiezCifras;
    }
}

double UnidadAGrados(double valor) {
    switch (ajustes::UnidadAngular) {
        case 2:
            return (valor * 180) / 200;
        case 3:
            return (valor * 180) / PiDiezCifras;
        default:
            return valor;
    }
}

double GradosAUnidad(double grados) {
    switch (ajustes::UnidadAngular) {
        case 2:
            return (grados * 200) / 180;
        case 3:
            return (PiDiezCifras * grados) / 180;
        default:
            return grados;
    }
}

}  // namespace tesmaro
