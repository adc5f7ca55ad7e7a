#!/usr/bin/env python3
"""Second, independent implementation of Tesmaro's computations and of the
records its batch processors write.

Written from the formulas alone, without looking at the C++ of core/, grid/
or batch/, so that comparing both catches a step transcribed in another order
or grouping, or a wrong constant.  Python floats are IEEE doubles and math
calls the same C library as the program, so both must agree to the last bit.

Rules kept throughout: every operation in the order and grouping written;
a power written as a power is math.pow; "square root" is math.sqrt; pi is
3.141592654 (ten digits) wherever angles change unit, product first.

Only the standard library is used.
"""

import math
import struct

PI = 3.141592654

# Datum ellipsoids of the UTM conversions: (a, 1/f).
ETRS89 = (6378137.0, 298.257222101)
ED50 = (6378388.0, 297.0)

ELIPSOIDES = [
    (6377563.396, 299.3249646), (6377340.189, 299.3249646),
    (6378388.0, 297.0), (6378135.0, 298.26),
    (6378137.0, 298.257223563), (6378160.0, 298.25),
    (6377483.865, 299.1528128), (6377397.155, 299.1528128),
    (6378206.4, 294.9786982), (6378249.145, 293.465),
    (6377276.345, 300.8017), (6377298.556, 300.8017),
    (6377301.243, 300.8017), (6377295.664, 300.8017),
    (6377304.063, 300.8017), (6377309.613, 300.8017),
    (6378155.0, 298.3), (6378200.0, 298.3),
    (6378270.0, 297.0), (6378160.0, 298.247),
    (6378245.0, 298.3), (6378137.0, 298.257222101),
    (6378160.0, 298.25), (6378137.0, 298.257222101),
]



def pw(x, y):
    # A square is x * x, as the compiler evaluates std::pow(x, 2) (glibc's
    # pow(x, 2.0) differs from x * x in the last bit about once in 1000).
    if y == 2:
        return x * x
    return math.pow(x, y)

sin, cos, tan, atan, sqrt, floor = (math.sin, math.cos, math.tan, math.atan,
                                    math.sqrt, math.floor)


class NoCalculable(Exception):
    """The line cannot be answered: its record gets empty computed columns."""


class Aparte(Exception):
    """A line whose answer the program builds by a choice of its own that
    this module does not read a second time: not compared."""


def finitos(*valores):
    for v in valores:
        if not math.isfinite(v):
            raise NoCalculable()
    return valores


def redondeo5(x):
    # Half to even on the double x * 1e5, as nearbyint does.
    return round(x * 1e5) / 1e5


# --------------------------------------------------------------------------
# UTM to geographic

BANDAS_HUSO30 = [
    (37, 38, 1.00045477), (38, 38.25, 1.0004489), (38.25, 38.5, 1.00044302),
    (38.5, 38.75, 1.00043713), (38.75, 39, 1.00043123),
    (39, 39.25, 1.00042532), (39.25, 39.5, 1.0004194),
    (39.5, 39.75, 1.00041347), (39.75, 40, 1.00040753),
    (40, 40.25, 1.00040158), (40.25, 40.5, 1.00039563),
    (40.5, 40.75, 1.00038966), (40.75, 41, 1.00038369),
]


def utm_a_geodesicas(X, Y, huso, sur, extendido, elipsoide, sur_antes=False):
    """Returns (longitud, latitud, convergencia, anamorfosis) in degrees.

    sur_antes negates a southern latitude before the zone-30 band rule, as
    the batch does; the window negates it afterwards."""
    a, rf = elipsoide
    if huso == 30:
        l0 = -3.0
    elif huso == 31:
        l0 = 3.0
    else:
        return None
    s0 = -1.0 if l0 < 0 else 1.0
    if sur:
        Y = 10000000 - Y
    Ep = X - 500000
    q = Ep / 1000000
    n = 1 / ((2 * rf) - 1)
    e2 = ((2 * rf) - 1) / pw(rf, 2)
    ep2 = e2 / (1 - e2)
    A = (a * pw(1 + (1 / 8) * pw(n, 2), 2)) / (1 + n)
    mu = (Y / A) / 0.9996
    c1 = (1.5 * n) - ((27 / 32) * pw(n, 3))
    c2 = (21 / 16) * pw(n, 2)
    c3 = (151 / 96) * pw(n, 3)
    f1 = ((mu + c1 * sin(mu + mu)) + c2 * sin(mu * 4)) + c3 * sin(mu * 6)
    t = tan(f1)
    c = cos(f1)
    s = sin(f1)
    N1 = a / sqrt(1 - e2 * pw(s, 2))
    VII = (((t * (1 + ep2 * pw(c, 2))) * pw(10, 12)) / 2) / pw(N1 * 0.9996, 2)
    VIII = ((((pw(10, 24) * t) / 24) / pw(N1, 4)) / pw(0.9996, 4)) * (
        ((((((pw(t, 2) * 3) + 5) + (6 * ep2) * pw(c, 2))
           - (6 * ep2) * pw(s, 2))
          - (3 * pw(ep2, 2)) * pw(c, 4))
         - 9 * pw((ep2 * c) * s, 2)))
    D6 = (((pw(((pw(10, 6) * q) / N1) / 0.9996, 6) * t) / 720) * (
        ((((pw(t, 4) * 45) + ((pw(t, 2) * 90) + 61))
          + (107 * ep2) * pw(c, 2))
         - (162 * ep2) * pw(s, 2))
        - (45 * ep2) * pw(t * s, 2)))
    IX = ((pw(10, 6) / N1) / c) / 0.9996
    X3 = ((((pw(10, 18) * (((pw(t, 2) + pw(t, 2)) + 1) + ep2 * pw(c, 2)))
            / c) / 6) / pw(N1, 3)) / pw(0.9996, 3)
    E5 = ((((pw(10, 30) * ((((pw(t, 4) * 24) + ((pw(t, 2) * 28) + 5))
                            + (6 * ep2) * pw(c, 2)) + (8 * ep2) * pw(s, 2)))
            * pw(q, 5)) / 120) / pw(N1 * 0.9996, 5)) / c
    fi = (((pw(q, 4) * VIII) + (f1 - pw(q, 2) * VII)) - D6) * 57.29577951
    dl = (((IX * q) - pw(q, 3) * X3) + E5) * 57.29577951
    L = abs(l0 + dl) * s0
    qk = q / (N1 * 0.9996)
    G1 = ((pw(10, 10) * q) * t) / N1
    G3 = pw(10, 22) * t
    G5 = pw(10, 34) * t
    g = ((((G1 / 0.04848136811) / 0.9996)
          - ((((G3 / 0.04848136811) * pw(qk, 3)) / 3)
             * (((pw(t, 2) + 1) - ep2 * pw(c, 2))
                - (2 * pw(ep2, 2)) * pw(c, 4))))
         + ((((G5 / 0.04848136811) * pw(qk, 5)) / 15)
            * ((pw(t, 4) * 3) + ((pw(t, 2) * 5) + 2)))) / 3600
    g = abs(g)
    gd = floor(g)
    gm = floor((g - gd) * 60)
    gs = floor(((((g - gd) * 60) - gm) * 60) * 1000) / 1000
    g = ((gm / 60) + gd) + gs / 3600
    fr = fi * 0.01745329252
    k = floor((0.9996 * ((1 + ((((pw(10, 12) * pw(q, 2))
                                 * (1 + ep2 * pw(cos(fr), 2))) / 2)
                               / pw(N1, 2)) / pw(0.9996, 2))
                         + pw(q, 4) * 3e-05)) * pw(10, 8)) / pw(10, 8)
    if sur and sur_antes:
        fi = -fi
    if l0 < 0 and g > 0 and L > l0:
        for inf, sup, umbral in BANDAS_HUSO30:
            if fi >= inf and fi <= sup and k >= umbral:
                L = -L
    if sur and not sur_antes:
        fi = -fi
    if L < l0:
        g = -g
    if L > 0 and huso == 30:
        L = -L
    if extendido:
        L = abs(L)
    return finitos(L, fi, g, k)


# --------------------------------------------------------------------------
# Geographic to UTM

MERIDIANO_HUSO = {27: -21, 28: -15, 29: -9, 30: -3, 31: 3}


def geodesicas_a_utm(lon, lat, huso, elipsoide):
    """Returns (X, Y, convergencia, anamorfosis) or None for a zone outside
    27..31."""
    a, rf = elipsoide
    if huso not in MERIDIANO_HUSO:
        return None
    l0 = MERIDIANO_HUSO[huso]
    s1 = 0.04848136811
    rho = 20.62648062
    k0 = 0.9996
    lam = (lon * PI) / 180
    fi = (lat * PI) / 180
    l0r = (l0 * PI) / 180
    dl = lam - l0r
    n = 1 / ((rf + rf) - 1)
    e2 = ((rf + rf) - 1) / pw(rf, 2)
    ep2 = e2 / (1 - e2)
    A = (a * pw(1 + pw(n, 2) / 8, 2)) / (1 + n)
    c = 1 - (3 / 8) * pw(n, 2)
    s = sin(fi)
    co = cos(fi)
    t = tan(fi)
    nu = a / pw(1 - e2 * pw(s, 2), 0.5)
    ep4 = pw(ep2, 2)
    corchete = (((((1.5 * n) * sin(2 * fi))
                  - ((15 / 16) * pw(n, 2)) * sin(4 * fi))
                 + ((35 / 48) * pw(n, 3)) * sin(6 * fi))
                - ((315 / 512) * pw(n, 4)) * sin(8 * fi))
    K1 = (A * (fi - c * corchete)) * k0
    K2 = (pw(s1, 2) * ((s * nu) * co)) * 0.4998
    K3 = ((pw(s1, 4) * ((pw(co, 3) * s) * nu)) * 0.04165) * (
        ((5 - pw(t, 2)) + (9 * ep2) * pw(co, 2)) + (4 * ep4) * pw(co, 4))
    K4 = ((nu * s1) * co) * k0
    K5 = (pw(co, 3) * ((pw(s1, 3) * nu) * 0.1666)) * (
        (1 - pw(t, 2)) + ep2 * pw(co, 2))
    p = rho * dl
    B5 = (((pw((co * s1) * p, 5) * nu)
           * ((((5 - 18 * pw(t, 2)) + pw(t, 2)) + (14 * ep2) * pw(co, 2))
              - (58 * ep2) * pw(s, 2))) * k0) / 120
    A6 = (((((pw(co, 5) * s) * nu) * pw(p * s1, 6)) * k0) / 120) * (
        (((61 - 58 * pw(t, 2)) + pw(t, 4)) + (270 * ep2) * pw(co, 2))
        - (330 * ep2) * pw(s, 2))
    X = (pw(p, 3) * K5 + (K4 * p + 500000)) + B5
    X = redondeo5(X)
    Y = (pw(p, 4) * K3 + (pw(p, 2) * K2 + K1)) + A6
    if fi < 0:
        Y = Y + 10000000
    Y = redondeo5(Y)
    C5 = ((2 - pw(t, 2)) * ((pw(co * s1, 4) * (pw(10, 4) * pw(p, 5))) * s)) / 15
    T1 = (pw(10, 4) * p) * s + C5
    T3 = (pw(co * s1, 2) * (pw(10, 4) * pw(p, 3))) * s
    conv = (T1 + (T3 * ((1 + (3 * ep2) * pw(co, 2))
                        + (2 * ep4) * pw(co, 4))) / 3) / 3600
    q = (X - 500000) / pw(10, 6)
    kp = k0 * ((1 + ((((pw(10, 12) * pw(q, 2)) * (1 + ep2 * pw(co, 2))) / 2)
                     / pw(nu, 2)) / pw(k0, 2)) + pw(q, 4) * 0.00003)
    k = floor(kp * pw(10, 8)) / pw(10, 8)
    if -0.39 < lon < 0.45:
        k = k - 0.0000002
    return finitos(X, Y, conv, k)


# --------------------------------------------------------------------------
# Geographic <-> geocentric Cartesian


def _excentricidad(rf):
    e2 = ((rf + rf) - 1) / pw(rf, 2)
    e = sqrt(e2)
    return e, pw(e, 2)


def calculo_geo_cart(fi, lam, h, a, rf):
    _, E2 = _excentricidad(rf)
    N = a / pw(1 - E2 * pw(sin(fi), 2), 0.5)
    X = ((h + N) * cos(fi)) * cos(lam)
    Y = ((h + N) * cos(fi)) * sin(lam)
    Z = (N * (1 - E2) + h) * sin(fi)
    return finitos(X, Y, Z)


def calculo_cart_geo(X, Y, Z, a, rf):
    """Bowring in one step.  The longitude of X < 0 lies on the point's own
    meridian (pi of ten digits added or taken off the plain arctangent); the
    polar axis gives latitude +-90, longitude 0, h = |Z| - b."""
    p = sqrt(pw(X, 2) + pw(Y, 2))
    b = (rf * a - a) / rf
    if p == 0:
        if Z == 0:
            raise Aparte()  # the centre of the ellipsoid: not compared
        return finitos(math.copysign(PI / 2, Z), 0.0, abs(Z) - b)
    th = atan((a * Z) / (p * b))
    e, E2 = _excentricidad(rf)
    ep = sqrt((pw(a, 2) - pw(b, 2)) / pw(b, 2))
    ep2 = pw(ep, 2)
    fi = atan((Z + (ep2 * b) * pw(sin(th), 3))
              / (p - pw(cos(th), 3) * (E2 * a)))
    if X == 0:
        lam = math.copysign(PI / 2, Y)
    else:
        lam = atan(Y / X)
    if X < 0:
        lam = lam + PI if Y >= 0 else lam - PI
    N = a / pw(1 - E2 * pw(sin(fi), 2), 0.5)
    h = p / cos(fi) - N
    return finitos(fi, lam, h)


# --------------------------------------------------------------------------
# Midpoint quadrature of the geodetic problems


def punto_medio(f, ta, tb, n):
    """Midpoint rule, abscissae advanced by repeated addition while t has not
    passed tb.  Where t + h rounds back to t the plain loop would never end:
    the panels not yet summed are then taken at ta + (i + 1/2) h, so the sum
    still has n terms (the program's own end of that loop)."""
    h = (tb - ta) / n
    suma = 0.0
    t = ta + h / 2
    sumados = 0
    while (t <= tb) if h >= 0 else (t >= tb):
        suma = suma + h * f(t)
        sumados += 1
        t2 = t + h
        if t2 == t:
            for i in range(sumados, n):
                suma = suma + h * f(ta + (i + 0.5) * h)
            return suma
        t = t2
    return suma


# --------------------------------------------------------------------------
# Direct geodetic problem


def _reducir360(x):
    x = math.fmod(x, 360.0)
    if x < 0:
        x = x + 360
    if x >= 360:
        x = x - 360
    return x


def _separacion(a, b):
    d = abs(math.fmod(a - b, 360.0))
    return 360 - d if d > 180 else d


def _pasos_directo(fi1, lam1, alfa, s, a, F):
    """The fixed steps, with the given azimuth (within one turn of [0, 360))
    kept for the final check.  Returns (fi2, lam2, rho, working latitude,
    working azimuth, arc, reflected, due east-west)."""
    alfa_in = alfa
    caso = 0
    if fi1 < 0:
        if lam1 < 0:
            alfa = alfa + 180
            caso = 3
        else:
            alfa = alfa - 180
            caso = 6
        fi1 = -fi1
        lam1 = -lam1
    if alfa < 0:
        alfa = alfa + 360
    if alfa >= 360:
        alfa = alfa - 360
    if alfa < 0 or alfa >= 360:
        alfa = _reducir360(alfa)
    q = -1.0 if 90 < alfa < 270 else 1.0
    ar = (alfa * PI) / 180
    # Within about 6e-4 degrees of due east or west the program rebuilds the
    # line in its own way: not compared.
    if abs(cos(ar)) < 1e-5:
        raise Aparte()
    U1 = atan(((F - 1) / F) * tan(fi1))
    sig1 = abs(atan(tan(U1) / cos(ar)))
    a0 = atan(tan(ar) * cos(sig1))
    b = ((F - 1) * a) / F
    S = s / b
    ep2 = ((F + F) - 1) / pw(F - 1, 2.0)
    k2 = pw(cos(a0), 2) * ep2

    def w(t):
        return sqrt(1 + k2 * pw(sin(t), 2))

    g0 = sig1 + q * S
    I0 = abs(punto_medio(w, sig1, g0, 1000))
    g1 = g0 + q * (S - I0)
    J1 = abs(punto_medio(w, g1, g0, 10))
    g2 = g1 + q * ((S - I0) + J1)
    J2 = abs(punto_medio(w, g1, g2, 10))
    g3 = g2 + q * (((S - I0) + J1) - J2)
    h = (g2 - g3) / 10
    if -1e-16 < h < 1e-16:
        J3 = 0.0
    else:
        J3 = abs(punto_medio(w, g3, g2, 10))
    g4 = g3 + q * ((((S - I0) + J1) - J2) + J3)
    sig2 = (g4 + g3) / 2
    sinU2 = sin(sig2) * cos(a0)
    U2 = atan(sinU2 / sqrt(1 - pw(sinU2, 2)))
    fi2 = (atan((tan(U2) * F) / (F - 1)) * 180) / PI
    h = (sig2 - sig1) / 5000
    if -1e-16 < h < 1e-16:
        Lam = 0.0
    else:
        def g(t):
            return ((((F - 1) / F) * sin(a0)) * sqrt(1 + k2 * pw(sin(t), 2))) \
                / (1 - pw(sin(t) * cos(a0), 2))
        Lam = punto_medio(g, sig1, sig2, 5000)
    lam2 = ((lam1 + Lam) * 180) / PI
    D = sig2 - sig1
    rho = (atan(((cos(U1) * sin(ar)) * sin(D)) / ((sin(U2) * cos(D)) - sin(U1)))
           * 180) / PI
    ad = (ar * 180) / PI
    if rho >= 0 and ad < 90:
        rho = rho + 180
    if rho < 180 and ad < 90:
        rho = rho + 360
    if 90 < ad < 180:
        rho = 360 - rho
    if 180 < ad < 270:
        rho = -rho
    if ad > 270 and rho < 0:
        rho = rho + 180
    if caso == 3:
        lam2, fi2, rho = -lam2, -fi2, rho + 180
    elif caso == 6:
        lam2, fi2, rho = -lam2, -fi2, rho - 180
    if 180 < alfa_in < 360 and 180 < rho < 360:
        rho = rho - 180
    if alfa_in < 180 and 0 < rho < 180:
        rho = rho + 180
    if rho < 0:
        rho = rho + 360
    return fi2, lam2, rho, fi1, alfa, abs(D), caso != 0


def _inverso_esfera(fi1, alfa, arco, F):
    """Azimuth at the end of an arc of the auxiliary sphere back towards its
    start, in degrees, by spherical trigonometry (only to tell a right
    reverse azimuth from one half a turn off)."""
    U1 = math.atan(((F - 1) / F) * math.tan(fi1))
    ar = math.radians(alfa)
    en_b = math.atan2(math.cos(U1) * math.sin(ar),
                      math.cos(U1) * math.cos(arco) * math.cos(ar)
                      - math.sin(U1) * math.sin(arco))
    return _reducir360(math.degrees(en_b) + 180)


def problema_directo(fi1, lam1, alfa, s, a, F):
    """Returns (fi2, lam2, rho) in degrees.

    The reverse azimuth of the fixed steps is kept where it names the right
    direction; where the steps leave it half a turn off (negative azimuths,
    some cardinal ones) it is turned by 180 and brought into [0, 360)."""
    if s < 0:
        alfa, s = alfa + 180, -s
    if s == 0:
        return finitos((fi1 * 180) / PI, (lam1 * 180) / PI,
                       _reducir360(alfa + 180))
    fi2, lam2, rho, fit, alfat, arco, reflejado = _pasos_directo(
        fi1, lam1, alfa, s, a, F)
    ref = _inverso_esfera(fit, alfat, arco, F)
    if reflejado:
        ref = _reducir360(ref + 180)
    if math.isfinite(rho) and _separacion(rho, ref) < 90:
        if rho < 0 or rho >= 360:
            rho = _reducir360(rho)
    elif math.isfinite(rho) and _separacion(rho + 180, ref) < 90:
        rho = _reducir360(rho + 180)
    else:
        raise Aparte()
    return finitos(fi2, lam2, rho)


# --------------------------------------------------------------------------
# Inverse geodetic problem

EPSILON = [
    # (eQ, eP, eQ', eP')
    (1e-11, 1e-10, 1e-13, 1e-12),
    (10 / pw(10, 12), 9.999999999999 / pw(10, 12), 1e-12,
     9.99999999999999 / pw(10, 12)),
    (1e-10, 1e-11, 1e-10, 9.99999999999999 / pw(10, 12)),
]


def problema_inverso(fi1, lam1, fi2, lam2, a, F):
    """Returns (s, A1, A2), azimuths in degrees.  Refuses (NoCalculable)
    pairs in different hemispheres and pairs 90 degrees of arc apart or
    more; coincident points give (0, 0, 0)."""
    if fi1 == fi2 and lam1 == lam2:
        return (0.0, 0.0, 0.0)
    # A point on the equator: the program places it on the side of the other
    # point in its own way (not compared).
    if fi1 == 0 or fi2 == 0:
        raise Aparte()
    if (fi1 < 0) != (fi2 < 0):
        raise NoCalculable()
    giro = None
    if fi1 < 0 and fi2 < 0:
        giro = 'E' if lam1 >= 0 else 'W'
        fi1, lam1, fi2, lam2 = -fi1, -lam1, -fi2, -lam2
    U1 = atan(((F - 1) / F) * tan(fi1))
    U2 = atan(((F - 1) / F) * tan(fi2))
    L = lam2 - lam1
    b = ((F - 1) * a) / F
    ep2 = ((F + F) - 1) / pw(F - 1, 2.0)
    Lam = [0.0, 0.0]
    sig0 = 0.0
    for r in range(3):
        if r == 0:
            om = L
        elif r == 1:
            om = 2 * L - Lam[0]
        else:
            om = (3 * L - Lam[0]) - Lam[1]
        cp = cos((U1 + U2) / 2)
        sp = sin((U1 + U2) / 2)
        cm = cos((U1 - U2) / 2)
        sm = sin((U1 - U2) / 2)
        cosS = sin(U1) * sin(U2) + (cos(U2) * cos(U1)) * cos(om)
        if cosS <= 0:
            raise NoCalculable()
        # cos σ at 1 (or rounded just above it) or sin σ of 0: the same point,
        # in the first pass or when the first pass's arc was already tiny;
        # otherwise the passes broke down (a line over a pole).
        if not cosS < 1:
            if r == 0 or sig0 < 1e-6:
                return (0.0, 0.0, 0.0)
            raise NoCalculable()
        sinS = sqrt(1 - pw(cosS, 2))
        sig = atan(sinS / cosS)
        if sin(sig) == 0:
            if r == 0 or sig0 < 1e-6:
                return (0.0, 0.0, 0.0)
            raise NoCalculable()
        if r == 0:
            sig0 = sig
        sa0 = ((cos(U1) * sin(om)) * cos(U2)) / sin(sig)
        eQ, eP, eQp, ePp = EPSILON[r]
        P = atan((cm / sp) / tan(om / 2 + eP))
        Q = atan((sm / cp) / tan(om / 2 + eQ))
        a1 = Q + P
        Pp = atan((cm / sp) / tan(om / 2 + ePp))
        Qp = atan((sm / cp) / tan(om / 2 + eQp))
        a2 = (Qp + PI) - Pp
        s1 = atan(tan(U1) / cos(a1))
        if s1 < 0:
            s1 = s1 + PI
        s2 = atan(tan(U2) / cos(a2))
        if s2 < 0:
            s2 = s2 + PI
        k2 = ep2 * (1 - pw(sa0, 2))
        if r < 2:
            def g(t):
                return (sqrt(1 + k2 * pw(sin(t), 2)) * sa0) \
                    / (1 - (1 - pw(sa0, 2)) * pw(sin(t), 2))
            Lam[r] = (punto_medio(g, s1, s2, 1000) * (F - 1)) / F

    def w(t):
        return sqrt(1 + k2 * pw(sin(t), 2))

    s = punto_medio(w, s1, s2, 1000) * b
    A1 = (a1 * 180) / PI
    if A1 < 0:
        A1 = A1 + 360
    if A1 > 360:
        A1 = A1 - 360
    A2 = ((a2 * 180) / PI) + 180
    if A2 < 0:
        A2 = A2 + 360
    if A2 > 360:
        A2 = A2 - 360
    if giro is not None:
        if giro == 'E':
            A1, A2 = A1 + 180, A2 - 180
        else:
            A1, A2 = A1 - 180, A2 + 180
        if A1 < 0:
            A1 = A1 + 360
        if A1 > 360:
            A1 = A1 - 360
        if A2 < 0:
            A2 = A2 + 360
        if A2 > 360:
            A2 = A2 - 360
    return finitos(s, A1, A2)


# --------------------------------------------------------------------------
# NTv2 grid


class Rejilla:
    """The sub-grid headers and node shifts of an NTv2 file in seconds."""

    def __init__(self, ruta):
        with open(ruta, 'rb') as f:
            datos = f.read()
        self.datos = datos
        num = struct.unpack_from('<i', datos, 40)[0]
        self.subrejillas = []
        pos = 176
        for _ in range(min(num, 150)):
            slat, nlat, elon, wlon, dlat, dlon = (
                struct.unpack_from('<d', datos, pos + off)[0]
                for off in (72, 88, 104, 120, 136, 152))
            cuenta = struct.unpack_from('<i', datos, pos + 168)[0]
            filas = round((nlat - slat) / dlat) + 1
            cols = round((wlon - elon) / dlon) + 1
            self.subrejillas.append(dict(slat=slat, nlat=nlat, elon=elon,
                                         wlon=wlon, dlat=dlat, dlon=dlon,
                                         filas=filas, cols=cols,
                                         nodos=pos + 176))
            pos = pos + 176 + 16 * cuenta

    def nodo(self, sub, n):
        return struct.unpack_from('<ff', self.datos, sub['nodos'] + (n - 1) * 16)

    def busca_celda(self, lonE, lat):
        """Cell lookup.  A sub-grid that really contains the point wins over
        one that only reaches it by truncation toward zero (the point lies
        less than one increment south or east of it); among equals the
        finest LAT_INC wins, the first in the file on a tie."""
        lonW = -lonE
        elegida = None
        mejor = (1, 1000000.0)
        for sub in self.subrejillas:
            r = math.trunc((lat - sub['slat']) / sub['dlat']) + 1
            c = math.trunc((lonW - sub['elon']) / sub['dlon']) + 1
            if c >= 1 and r >= 1 and r < sub['filas'] and c < sub['cols']:
                contiene = lat >= sub['slat'] and lonW >= sub['elon']
                clave = (0 if contiene else 1, sub['dlat'])
                if clave < mejor:
                    mejor = clave
                    elegida = (sub, r, c)
        if elegida is None:
            return None
        sub, r, c = elegida
        cols = sub['cols']
        i = (r - 1) * cols + c
        n1 = self.nodo(sub, i)
        n2 = self.nodo(sub, i + 1)
        n3 = self.nodo(sub, i + cols)
        n4 = self.nodo(sub, i + cols + 1)
        lonW1 = sub['elon'] + (c - 1) * sub['dlon']
        lat1 = sub['slat'] + (r - 1) * sub['dlat']
        X = (lonW - lonW1) / sub['dlon']
        Y = (lat - lat1) / sub['dlat']
        return n1, n2, n3, n4, X, Y


def _f32(x):
    return struct.unpack('f', struct.pack('f', x))[0]


def _desplazamiento(d1, d2, d3, d4, X, Y):
    a0 = d1
    a1 = _f32(d2 - d1)
    a2 = _f32(d3 - d1)
    a3 = _f32(((d4 + d1) - d2) - d3)
    return ((a0 + a1 * X) + a2 * Y) + (a3 * X) * Y


def rejilla_ed50_a_etrs89(rej, lonE, lat):
    celda = rej.busca_celda(lonE, lat)
    if celda is None:
        return None
    n1, n2, n3, n4, X, Y = celda
    slat = _desplazamiento(n1[0], n2[0], n3[0], n4[0], X, Y)
    slon = _desplazamiento(n1[1], n2[1], n3[1], n4[1], X, Y)
    lat2 = lat + slat
    lonW2 = (-lonE) + slon
    return -lonW2, lat2


def rejilla_etrs89_a_ed50(rej, lon0, lat0):
    lon, lat = lon0, lat0
    for _ in range(15):
        r = rejilla_ed50_a_etrs89(rej, lon, lat)
        if r is None:
            return 0.0, 0.0
        lonF, latF = r
        lon = lon - (lonF - lon0)
        lat = lat - (latF - lat0)
    return lon, lat


# --------------------------------------------------------------------------
# Records of the batch processors


def numero(x):
    """A number as the record writer puts it: 15 significant digits, point,
    exponent form as %G, and no negative zero."""
    t = '%.15G' % x
    return '0' if t == '-0' else t


def texto(s):
    return '"' + s + '"'


def registro(campos):
    return ','.join(campos)


def leer_numero(s):
    """Enough of the number reader for the files these tests write."""
    s = s.strip()
    return float(s) if s else 0.0


def extraer_campo(linea, indice):
    partes = linea.split(',')
    return partes[min(indice, len(partes) - 1)]


def nombre(linea):
    return extraer_campo(linea, 0).replace('"', '')


def _vacios(n):
    return [''] * n


def lote_geo_utm(lineas, datum):
    sal = [registro(map(texto, ["Nombre", "Coordenada X", "Coordenada Y",
                                "Huso", "Latitud Norte-Sur",
                                "Convergencia de meridianos",
                                "Anamorfosis lineal"]))]
    for l in lineas:
        lon = leer_numero(extraer_campo(l, 1))
        lat = leer_numero(extraer_campo(l, 2))
        huso = round(leer_numero(extraer_campo(l, 3)))
        if huso not in MERIDIANO_HUSO:
            sal.append(None)  # no record
            continue
        hem = "Sur" if (lat * PI) / 180 < 0 else "Norte"
        try:
            X, Y, cv, k = geodesicas_a_utm(lon, lat, huso, datum)
            val = [numero(X), numero(Y)]
            fin = [numero(cv), numero(k)]
        except (NoCalculable, OverflowError, ValueError, ZeroDivisionError):
            val, fin = _vacios(2), _vacios(2)
        sal.append(registro([texto(nombre(l))] + val + [str(huso), texto(hem)]
                            + fin))
    return sal


def lote_utm_geo(lineas, datum):
    sal = [registro(map(texto, ["Nombre", "Longitud", "Latitud", "Huso"]))]
    for l in lineas:
        X = leer_numero(extraer_campo(l, 1))
        Y = leer_numero(extraer_campo(l, 2))
        zona = extraer_campo(l, 3)
        hem = extraer_campo(l, 4).replace('"', '')
        if zona not in ("30", "31", "30E"):
            break
        huso = 31 if zona == "31" else 30
        sur = hem[:1].lower() == 's'
        try:
            L, fi, _, _ = utm_a_geodesicas(X, Y, huso, sur, zona == "30E",
                                           datum, sur_antes=True)
            val = [numero(L), numero(fi)]
        except (NoCalculable, OverflowError, ValueError, ZeroDivisionError):
            val = _vacios(2)
        sal.append(registro([texto(nombre(l))] + val + [str(huso)]))
    return sal


def _a_radianes(v, unidad):
    if unidad == 2:
        return (v * PI) / 200
    if unidad == 3:
        return v
    return (v * PI) / 180


def _de_radianes(v, unidad):
    if unidad == 2:
        return (v * 200) / PI
    if unidad == 3:
        return v
    return (v * 180) / PI


def _de_grados(x, unidad):
    if unidad == 2:
        return (x * 200) / 180
    if unidad == 3:
        return (PI * x) / 180
    return x


def lote_geo_cart(lineas, elipsoide, unidad):
    a, rf = ELIPSOIDES[elipsoide]
    sal = [registro(map(texto, ["Nombre", "Coordenada X", "Coordenada Y",
                                "Coordenada Z", "Semieje a", "1/f"]))]
    for l in lineas:
        lon = leer_numero(extraer_campo(l, 1))
        lat = leer_numero(extraer_campo(l, 2))
        h = leer_numero(extraer_campo(l, 3))
        try:
            X, Y, Z = calculo_geo_cart(_a_radianes(lat, unidad),
                                       _a_radianes(lon, unidad), h, a, rf)
            val = [numero(X), numero(Y), numero(Z)]
        except (NoCalculable, OverflowError, ValueError, ZeroDivisionError):
            val = _vacios(3)
        sal.append(registro([texto(nombre(l))] + val + [numero(a), numero(rf)]))
    return sal


def lote_cart_geo(lineas, elipsoide, unidad):
    a, rf = ELIPSOIDES[elipsoide]
    sal = [registro(map(texto, ["Nombre", "Longitud", "Latitud", "Huso",
                                "Hemisferio", "Altura_elipsoidal",
                                "Semieje a", "1/f"]))]
    aparte = [False]
    for l in lineas:
        X = leer_numero(extraer_campo(l, 1))
        Y = leer_numero(extraer_campo(l, 2))
        Z = leer_numero(extraer_campo(l, 3))
        try:
            fi, lam, h = calculo_cart_geo(X, Y, Z, a, rf)
            lam = _de_radianes(lam, unidad)
            fi = _de_radianes(fi, unidad)
            val = [numero(lam), numero(fi), '30' if lam <= 0 else '31',
                   texto("Norte" if fi > 0 else "Sur"), numero(h)]
        except Aparte:
            val = ['?'] * 5
        except (NoCalculable, OverflowError, ValueError, ZeroDivisionError):
            val = _vacios(5)
        aparte.append(val[0] == '?')
        sal.append(registro([texto(nombre(l))] + val + [numero(a), numero(rf)]))
    return sal, aparte


def lote_directo(lineas, elipsoide, unidad):
    """Records, and for each line whether it is left uncompared."""
    a, F = ELIPSOIDES[elipsoide]
    sal = [registro(map(texto, ["Nombre", "Longitud", "Latitud",
                                "Acimut inverso", "Semieje a", "1/f"]))]
    aparte = [False]
    for l in lineas:
        lon = leer_numero(extraer_campo(l, 1))
        lat = leer_numero(extraer_campo(l, 2))
        az = leer_numero(extraer_campo(l, 3))
        s = leer_numero(extraer_campo(l, 4))
        if unidad == 2:
            az = (az * 180) / 200
        elif unidad == 3:
            az = (az * 180) / PI
        apartada = False
        try:
            f2, l2, rho = problema_directo(_a_radianes(lat, unidad),
                                           _a_radianes(lon, unidad),
                                           az, s, a, F)
            val = [numero(_de_grados(l2, unidad)), numero(_de_grados(f2, unidad)),
                   numero(_de_grados(rho, unidad))]
        except Aparte:
            apartada = True
            val = ['?', '?', '?']
        except (NoCalculable, OverflowError, ValueError, ZeroDivisionError):
            val = _vacios(3)
        aparte.append(apartada)
        sal.append(registro([texto(nombre(l))] + val + [numero(a), numero(F)]))
    return sal, aparte


def lote_inverso(lineas, elipsoide, unidad):
    a, F = ELIPSOIDES[elipsoide]
    sal = [registro(map(texto, [
        "Nombre", "Longitud A", "Latitud A", "Acimut directo (A-B)",
        "Distancia (A-B)", "Longitud (B)", "Latitud (B)",
        "Acimut inverso (B-A)", "Semieje a", "1/f",
        "Cálculo válido sólo para puntos en un mismo hemisferio"]))]
    aparte = [False]
    for l in lineas:
        lonA = leer_numero(extraer_campo(l, 1))
        latA = leer_numero(extraer_campo(l, 2))
        lonB = leer_numero(extraer_campo(l, 3))
        latB = leer_numero(extraer_campo(l, 4))
        apartada = False
        try:
            s, A1, A2 = problema_inverso(
                _a_radianes(latA, unidad), _a_radianes(lonA, unidad),
                _a_radianes(latB, unidad), _a_radianes(lonB, unidad), a, F)
            az1 = numero(_de_grados(A1, unidad))
            dist = numero(s)
            az2 = numero(_de_grados(A2, unidad))
        except Aparte:
            apartada = True
            az1 = dist = az2 = '?'
        except (NoCalculable, OverflowError, ValueError, ZeroDivisionError):
            az1 = dist = az2 = ''
        aparte.append(apartada)
        sal.append(registro([texto(nombre(l)), numero(lonA), numero(latA), az1,
                             dist, numero(lonB), numero(latB), az2,
                             numero(a), numero(F)]))
    return sal, aparte


def _huso_rejilla(lon):
    if lon > 0:
        return '31'
    if lon < 0:
        return '30'
    return '0'


def lote_rejilla(lineas, rej, inversa):
    sal = [registro(map(texto, ["Nombre", "Longitud", "Latitud", "Huso"]))]
    for l in lineas:
        lon = leer_numero(extraer_campo(l, 1)) * 3600
        lat = leer_numero(extraer_campo(l, 2)) * 3600
        if inversa:
            lon2, lat2 = rejilla_etrs89_a_ed50(rej, lon, lat)
        else:
            r = rejilla_ed50_a_etrs89(rej, lon, lat)
            lon2, lat2 = r if r is not None else (0.0, 0.0)
        lon2 = lon2 / 3600
        lat2 = lat2 / 3600
        sal.append(registro([texto(nombre(l)), numero(lon2), numero(lat2),
                             _huso_rejilla(lon2)]))
    return sal
