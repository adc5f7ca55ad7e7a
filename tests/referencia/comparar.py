#!/usr/bin/env python3
"""Runs tesmaro-lote on point files made here with a fixed seed and compares
every result record, as text, with the second implementation of
referencia.py.

    comparar.py TESMARO_LOTE [--rejilla FILE] [--escala K] [--semilla N]
                [--carpeta DIR] [--detalle]

Prints 'N passed, M failed' and exits 1 on any mismatch.  --escala multiplies
the number of points per conversion (the default keeps the run short).

Lines that the program answers by a choice of its own, which referencia.py
does not read a second time (direct problem lines within about 6e-4 degrees
of due east or west, inverse problem pairs with a point on the equator or
whose later pass rounds the arc to nothing, the centre of the ellipsoid in
cart-geo), are counted apart, not compared.
"""

import math
import os
import random
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # leave the source tree as it is
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import referencia as ref  # noqa: E402

RAIZ = os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))

# Points per conversion at --escala 1.
CUANTOS = {
    'utm-geo': 2000, 'geo-utm': 2000, 'geo-cart': 700, 'cart-geo': 700,
    'directo': 40, 'inverso': 150, 'ed50-etrs89': 2000, 'etrs89-ed50': 700,
}


def texto_num(x):
    # repr is the shortest text that reads back as the same double.
    return repr(float(x))


def linea(nombre, *valores):
    return ','.join([nombre] + [v if isinstance(v, str) else texto_num(v)
                                for v in valores])


# --------------------------------------------------------------------------
# Point generators: the served region, its edges and well beyond.

def puntos_utm_geo(rnd, n):
    sal = []
    for i in range(n):
        zona = rnd.choice(['30', '31', '30E'])
        sur = rnd.random() < 0.25
        hem = rnd.choice(['S', 's', 'Sur', 'sur']) if sur else \
            rnd.choice(['N', 'Norte', '', 'x'])
        r = rnd.random()
        if r < 0.7:
            X = rnd.uniform(150000, 850000)
        elif r < 0.9:
            X = rnd.uniform(-500000, 1500000)
        else:
            X = 500000 + rnd.choice([0, 1e-3, -1e-3, 0.5, 225000, -225000])
        if sur:
            Y = rnd.uniform(4000000, 10000000)
        elif rnd.random() < 0.85:
            Y = rnd.uniform(3800000, 4900000)
        else:
            Y = rnd.uniform(0, 9500000)
        if rnd.random() < 0.3:
            X, Y = round(X, 3), round(Y, 3)
        sal.append(linea('U%d' % i, X, Y, zona, hem))
    return sal


def puntos_geo_utm(rnd, n):
    sal = []
    for i in range(n):
        zona = rnd.choice([27, 28, 29, 30, 31, 30, 31])
        l0 = ref.MERIDIANO_HUSO[zona]
        r = rnd.random()
        if r < 0.6:
            lon = rnd.uniform(l0 - 3.5, l0 + 3.5)
            lat = rnd.uniform(27, 44)
        elif r < 0.8:
            lon = rnd.uniform(l0 - 9, l0 + 9)
            lat = rnd.uniform(-60, 75)
        elif r < 0.9:
            lon = rnd.choice([-0.39, 0.45, -0.38, 0.44, 0, l0,
                              rnd.uniform(-0.4, 0.46)])
            lat = rnd.uniform(35, 44)
        else:
            lon = rnd.uniform(l0 - 3, l0 + 3)
            lat = rnd.choice([0.0, -1e-9, 1e-9, rnd.uniform(-1, 1)])
        huso = str(zona)
        if rnd.random() < 0.03:
            huso = rnd.choice(['26', '32', '30.5', '31.5', '29.5'])
        sal.append(linea('G%d' % i, lon, lat, huso,
                         rnd.choice(['Norte', 'Sur', 'N'])))
    return sal


def _angulo(grados, unidad):
    if unidad == 2:
        return grados * 10 / 9
    if unidad == 3:
        return grados * math.pi / 180
    return grados


def puntos_geo_cart(rnd, n, unidad):
    sal = []
    for i in range(n):
        if rnd.random() < 0.7:
            lon, lat = rnd.uniform(-10, 5), rnd.uniform(35, 45)
        else:
            lon, lat = rnd.uniform(-180, 180), rnd.uniform(-90, 90)
        h = rnd.choice([0.0, rnd.uniform(-100, 3000), rnd.uniform(-1e4, 1e6)])
        sal.append(linea('C%d' % i, _angulo(lon, unidad),
                         _angulo(lat, unidad), h))
    return sal


def puntos_cart_geo(rnd, n):
    sal = []
    for i in range(n):
        lon = math.radians(rnd.uniform(-180, 180))
        lat = math.radians(rnd.uniform(-89.9, 89.9))
        rad = rnd.uniform(6.35e6, 6.4e6) if rnd.random() < 0.8 else \
            rnd.uniform(6.0e6, 4.3e7)
        X = rad * math.cos(lat) * math.cos(lon)
        Y = rad * math.cos(lat) * math.sin(lon)
        Z = rad * math.sin(lat) * 0.9966
        if rnd.random() < 0.3:
            X, Y, Z = round(X, 3), round(Y, 3), round(Z, 3)
        sal.append(linea('K%d' % i, X, Y, Z))
    return sal


def _distancia(rnd):
    return math.exp(rnd.uniform(math.log(1.0), math.log(3.0e6)))


def puntos_directo(rnd, n, unidad):
    sal = []
    for i in range(n):
        lat = rnd.uniform(-75, 75)
        lon = rnd.uniform(-180, 180) if rnd.random() < 0.3 else \
            rnd.uniform(-10, 5)
        az = rnd.uniform(0, 360) if rnd.random() < 0.85 else \
            rnd.uniform(-360, 0)
        sal.append(linea('D%d' % i, _angulo(lon, unidad), _angulo(lat, unidad),
                         _angulo(az, unidad), _distancia(rnd)))
    return sal


def puntos_inverso(rnd, n, unidad):
    sal = []
    for i in range(n):
        latA = rnd.uniform(0.5, 75)
        lonA = rnd.uniform(-10, 5) if rnd.random() < 0.7 else \
            rnd.uniform(-180, 180)
        r = rnd.random()
        d = math.exp(rnd.uniform(math.log(1e-4), math.log(25.0)))
        ang = rnd.uniform(0, 2 * math.pi)
        latB = min(max(latA + d * math.cos(ang), 0.2), 80)
        lonB = lonA + d * math.sin(ang)
        if r < 0.45:
            latA, latB = -latA, -latB
        elif r < 0.5:
            latB = -latB  # different hemispheres: refused
        sal.append(linea('I%d' % i, _angulo(lonA, unidad),
                         _angulo(latA, unidad), _angulo(lonB, unidad),
                         _angulo(latB, unidad)))
    return sal


def puntos_rejilla(rnd, n, rej):
    """Inside the grid, near every sub-grid edge (both sides, within and
    beyond one increment) and outside."""
    sal = []
    subs = rej.subrejillas
    for i in range(n):
        r = rnd.random()
        if r < 0.5:
            lon, lat = rnd.uniform(-10, 5), rnd.uniform(35, 44.5)
        elif r < 0.9:
            sub = rnd.choice(subs)
            lado = rnd.randrange(4)
            frac = rnd.uniform(-0.5, 1.5)
            d = rnd.choice([0.0, 1e-9, -1e-9]) + rnd.uniform(-2, 2) * \
                (sub['dlat'] if lado < 2 else sub['dlon'])
            if rnd.random() < 0.2:
                d = 0.0
            latS = sub['slat'] + frac * (sub['nlat'] - sub['slat'])
            lonWS = sub['elon'] + frac * (sub['wlon'] - sub['elon'])
            if lado == 0:
                latS = sub['slat'] + d
            elif lado == 1:
                latS = sub['nlat'] + d
            elif lado == 2:
                lonWS = sub['elon'] + d
            else:
                lonWS = sub['wlon'] + d
            lon, lat = -lonWS / 3600, latS / 3600
        else:
            lon, lat = rnd.uniform(-30, 30), rnd.uniform(20, 60)
        sal.append(linea('R%d' % i, lon, lat))
    return sal


# --------------------------------------------------------------------------
# Edge lines, the same every run.

def limites_utm_geo():
    sal = []
    for zona in ('30', '31', '30E'):
        for hem in ('N', 'S'):
            for X in (500000, 500000.001, 499999.999, 725000, 275000, 0, 1e6,
                      -1e7, 1e8, 1e300):
                for Y in (0, 1, 4400000, 9999999, 10000000, 2e7, -1e6):
                    sal.append(linea('L', X, Y, zona, hem))
    return sal


def limites_geo_utm():
    sal = []
    for zona in (27, 28, 29, 30, 31):
        l0 = ref.MERIDIANO_HUSO[zona]
        for lon in (l0, l0 + 3, l0 - 3, -0.39, 0.45, -0.38, 0.44, 0.0, -0.0,
                    l0 + 30, l0 + 90, 180, -180, 1e300):
            for lat in (0.0, -0.0, -1e-300, 1e-12, -1e-12, 40, 89.999999, 90,
                        -90, 91, 1000):
                sal.append(linea('L', lon, lat, str(zona), 'N'))
    return sal


def limites_cart_geo():
    sal = []
    for X in (0.0, 4e6, -4e6, 1e-3, -1e-3):
        for Y in (0.0, 3e5, -3e5, 1e-3):
            for Z in (0.0, 4.7e6, -4.7e6, 6356752.3, 1e-3):
                sal.append(linea('L', X, Y, Z))
    return sal


def limites_geo_cart(unidad):
    sal = []
    for lon in (0, 90, -90, 180, -180, 45, -0.5):
        for lat in (0, 90, -90, 40, -40, 89.9999999):
            for h in (0, -6356752, 100):
                sal.append(linea('L', _angulo(lon, unidad),
                                 _angulo(lat, unidad), h))
    return sal


def limites_directo(unidad):
    sal = []
    for lat, lon in ((39.5, -0.4), (-39.5, -0.4), (-39.5, 0.4), (0.0, 0.4),
                     (0.0, -0.4), (-20.0, 0.0), (60.0, 0.0), (-60.0, -0.0),
                     (89.5, 10.0), (-89.5, -10.0)):
        for az in (0, 45, 135, 180, 225, 315, 360, -45, -180, -225, 400,
                   720.5, -725, 1e-9, 359.9999999, 179.9999999, 89.9, 270.1,
                   90, 270, 90.0005, 269.9995):
            for d in (0, 1e-3, 0.5, 1.0, 100000.0, 3e6, 1.5e7, -1000.0):
                sal.append(linea('L', _angulo(lon, unidad),
                                 _angulo(lat, unidad), _angulo(az, unidad), d))
    return sal


def limites_inverso(unidad):
    pares = []
    for A in ((39.5, -0.4), (-39.5, -0.4), (-39.5, 0.0), (0.0, 0.4),
              (10.0, 0.0), (-10.0, 0.0)):
        for d in ((0, 0), (1e-9, 0), (0, 1e-9), (1.5, 0), (-1.5, 0), (0, 2),
                  (0, -2), (1, 1), (-1, -1), (0.3, -0.7), (40, 0), (0, 100),
                  (-79, 0), (-20, 0), (-39.5, 1), (-0.01, 0.01), (0, 179.5)):
            pares.append((A, (A[0] + d[0], A[1] + d[1])))
    pares.append(((0.0, 0.0), (0.0, 1.0)))
    pares.append(((0.0, 1.0), (0.0, -1.0)))
    pares.append(((10.0, 0.0), (10.0, 100.0)))
    sal = []
    for (la, lo), (lb, lob) in pares:
        sal.append(linea('L', _angulo(lo, unidad), _angulo(la, unidad),
                         _angulo(lob, unidad), _angulo(lb, unidad)))
    return sal


# --------------------------------------------------------------------------

def ejecutar(lote, conversion, lineas, carpeta, extra, fin='\r\n', estado=0):
    entrada = os.path.join(carpeta, conversion + '.pts')
    with open(entrada, 'w', newline='') as f:
        f.write('Cabecera' + fin)
        for l in lineas:
            f.write(l + fin)
    salida = os.path.join(carpeta, 'salida-' + conversion)
    os.makedirs(salida, exist_ok=True)
    pr = subprocess.run([lote, conversion, entrada, '--salida', salida] + extra,
                        capture_output=True)
    if pr.returncode != estado:
        raise RuntimeError('%s %s: estado %d: %s' % (
            conversion, ' '.join(extra), pr.returncode,
            pr.stderr.decode('utf-8', 'replace')))
    txt = pr.stdout.decode('utf-8').splitlines()[0]
    if not os.path.isabs(txt):
        txt = os.path.join(salida, txt)
    with open(txt, 'rb') as f:
        datos = f.read()
    if datos and not datos.endswith(b'\r\n'):
        raise RuntimeError('%s: el último registro no acaba en CR LF' % txt)
    return datos.decode('utf-8').split('\r\n')[:-1]


class Cuenta:
    def __init__(self, detalle):
        self.bien = 0
        self.mal = 0
        self.aparte = 0
        self.detalle = detalle
        self.por_conversion = {}

    def comparar(self, etiqueta, lineas, esperado, programa, apartadas=None):
        # Lines without a record (zone outside 27..31 in geo-utm) are None.
        pares = [(k, e) for k, e in enumerate(esperado) if e is not None]
        if len(pares) != len(programa):
            self.mal += 1
            print('%s: %d records, expected %d' % (etiqueta, len(programa),
                                                   len(pares)))
            return
        bien = mal = aparte = 0
        for (k, e), p in zip(pares, programa):
            if apartadas is not None and apartadas[k]:
                aparte += 1
                continue
            if e == p:
                bien += 1
            else:
                mal += 1
                if self.detalle or mal <= 5:
                    entrada = lineas[k - 1] if k > 0 else '(header)'
                    print('MISMATCH %s\n  input:    %s\n  program:  %s\n'
                          '  expected: %s' % (etiqueta, entrada, p, e))
        self.bien += bien
        self.mal += mal
        self.aparte += aparte
        print('%-32s %6d passed %4d failed %5d not compared'
              % (etiqueta, bien, mal, aparte))


def main():
    args = sys.argv[1:]
    if not args or args[0] in ('-h', '--help'):
        print(__doc__)
        return 2
    lote = args[0]
    rejilla = os.path.join(RAIZ, 'data', 'sped2et.gsb')
    escala = 1.0
    semilla = 20240611
    carpeta = None
    detalle = False
    i = 1
    while i < len(args):
        if args[i] == '--rejilla':
            rejilla = args[i + 1]
            i += 2
        elif args[i] == '--escala':
            escala = float(args[i + 1])
            i += 2
        elif args[i] == '--semilla':
            semilla = int(args[i + 1])
            i += 2
        elif args[i] == '--carpeta':
            carpeta = args[i + 1]
            i += 2
        elif args[i] == '--detalle':
            detalle = True
            i += 1
        else:
            print('opción desconocida: ' + args[i])
            return 2
    rnd = random.Random(semilla)

    def n(clave):
        return max(1, int(CUANTOS[clave] * escala))

    tmp = None
    if carpeta is None:
        tmp = tempfile.TemporaryDirectory()
        carpeta = tmp.name
    os.makedirs(carpeta, exist_ok=True)
    c = Cuenta(detalle)

    for conv, datum in (('utm-geo-etrs89', ref.ETRS89),
                        ('utm-geo-ed50', ref.ED50)):
        lin = puntos_utm_geo(rnd, n('utm-geo'))
        c.comparar(conv, lin, ref.lote_utm_geo(lin, datum),
                   ejecutar(lote, conv, lin, carpeta, []))
    for conv, datum in (('geo-utm-etrs89', ref.ETRS89),
                        ('geo-utm-ed50', ref.ED50)):
        lin = puntos_geo_utm(rnd, n('geo-utm'))
        c.comparar(conv, lin, ref.lote_geo_utm(lin, datum),
                   ejecutar(lote, conv, lin, carpeta, []))

    casos = [(4, 1), (21, 2), (2, 3), (7, 1), (9, 1), (14, 2)]
    for elip, unidad in casos:
        extra = ['--elipsoide', str(elip), '--unidad', str(unidad)]
        et = ' e%d u%d' % (elip, unidad)
        lin = puntos_geo_cart(rnd, n('geo-cart'), unidad)
        c.comparar('geo-cart' + et, lin, ref.lote_geo_cart(lin, elip, unidad),
                   ejecutar(lote, 'geo-cart', lin, carpeta, extra))
        lin = puntos_cart_geo(rnd, n('cart-geo'))
        esperado, aparte = ref.lote_cart_geo(lin, elip, unidad)
        c.comparar('cart-geo' + et, lin, esperado,
                   ejecutar(lote, 'cart-geo', lin, carpeta, extra), aparte)
    for elip, unidad in casos[:3]:
        extra = ['--elipsoide', str(elip), '--unidad', str(unidad)]
        et = ' e%d u%d' % (elip, unidad)
        lin = puntos_directo(rnd, n('directo'), unidad)
        esperado, aparte = ref.lote_directo(lin, elip, unidad)
        c.comparar('directo' + et, lin, esperado,
                   ejecutar(lote, 'directo', lin, carpeta, extra), aparte)
        lin = puntos_inverso(rnd, n('inverso'), unidad)
        esperado, aparte = ref.lote_inverso(lin, elip, unidad)
        c.comparar('inverso' + et, lin, esperado,
                   ejecutar(lote, 'inverso', lin, carpeta, extra), aparte)

    # Quoted names and hemispheres, lines ended by LF alone, and the stop of
    # utm-geo at a zone it does not compute (exit status 1, the records
    # before it written).
    lin = puntos_utm_geo(rnd, 60)
    lin = [l.replace('U', '"U', 1).replace(',S', ',"S"').replace(',s', ',"s')
           for l in lin]
    lin.insert(40, 'Z,500000,4400000,29,N')
    c.comparar('utm-geo-etrs89 stop', lin, ref.lote_utm_geo(lin, ref.ETRS89),
               ejecutar(lote, 'utm-geo-etrs89', lin, carpeta, [], fin='\n',
                        estado=1))

    # Edge lines of every conversion.
    for conv, datum in (('utm-geo-etrs89', ref.ETRS89),
                        ('utm-geo-ed50', ref.ED50)):
        lin = limites_utm_geo()
        c.comparar(conv + ' edges', lin, ref.lote_utm_geo(lin, datum),
                   ejecutar(lote, conv, lin, carpeta, []))
    lin = limites_geo_utm()
    c.comparar('geo-utm-etrs89 edges', lin, ref.lote_geo_utm(lin, ref.ETRS89),
               ejecutar(lote, 'geo-utm-etrs89', lin, carpeta, []))
    for elip, unidad in casos[:3]:
        extra = ['--elipsoide', str(elip), '--unidad', str(unidad)]
        et = ' e%d u%d edges' % (elip, unidad)
        lin = limites_geo_cart(unidad)
        c.comparar('geo-cart' + et, lin, ref.lote_geo_cart(lin, elip, unidad),
                   ejecutar(lote, 'geo-cart', lin, carpeta, extra))
        lin = limites_cart_geo()
        esperado, aparte = ref.lote_cart_geo(lin, elip, unidad)
        c.comparar('cart-geo' + et, lin, esperado,
                   ejecutar(lote, 'cart-geo', lin, carpeta, extra), aparte)
        lin = limites_directo(unidad)
        esperado, aparte = ref.lote_directo(lin, elip, unidad)
        c.comparar('directo' + et, lin, esperado,
                   ejecutar(lote, 'directo', lin, carpeta, extra), aparte)
        lin = limites_inverso(unidad)
        esperado, aparte = ref.lote_inverso(lin, elip, unidad)
        c.comparar('inverso' + et, lin, esperado,
                   ejecutar(lote, 'inverso', lin, carpeta, extra), aparte)

    rej = ref.Rejilla(rejilla)
    for conv, inversa, clave in (('ed50-etrs89', False, 'ed50-etrs89'),
                                 ('etrs89-ed50', True, 'etrs89-ed50')):
        lin = puntos_rejilla(rnd, n(clave), rej)
        c.comparar(conv, lin, ref.lote_rejilla(lin, rej, inversa),
                   ejecutar(lote, conv, lin, carpeta, ['--rejilla', rejilla]))

    print('%d passed, %d failed' % (c.bien, c.mal))
    if c.aparte:
        print('(%d lines not compared: answered by the program\'s own choices)'
              % c.aparte)
    return 1 if c.mal else 0


if __name__ == '__main__':
    sys.exit(main())
