// The midpoint rule both geodetic problems integrate with.
#pragma once

namespace tesmaro::detalle {

// Midpoint rule for the integral of f from ta to tb with n panels: step
// h = (tb - ta) / n, first abscissa ta + h/2, then t advanced by repeated
// addition of h while t <= tb (h >= 0) or t >= tb (h < 0); the sum of h·f(t).
// The result is negative when tb < ta. The abscissae are summed, not computed
// from the panel index, and the loop is bounded by tb, not by n: the printed
// digits of both problems depend on exactly this.
//
// Where t + h rounds back to t (a step far below the spacing of doubles
// around t, or a zero step) the repeated addition would never reach tb; the
// panels not yet summed are then taken at abscissae computed from their
// index, ta + (i + 1/2)·h, so the sum still has n terms. This happens only
// where the plain loop would never end, so every sum that does end keeps its
// digits.
template <typename Funcion>
double CuadraturaPuntoMedio(const Funcion& f, double ta, double tb, int n) {
    const double h = (tb - ta) / n;
    double suma = 0;
    double t = ta + h / 2;
    int sumados = 0;
    while (h >= 0 ? t <= tb : t >= tb) {
        suma = suma + h * f(t);
        ++sumados;
        const double siguiente = t + h;
        if (siguiente == t) {
            for (int i = sumados; i < n; ++i) {
                suma = suma + h * f(ta + (i + 0.5) * h);
            }
            return suma;
        }
        t = siguiente;
    }
    return suma;
}

}  // namespace tesmaro::detalle
