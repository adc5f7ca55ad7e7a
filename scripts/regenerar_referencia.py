#!/usr/bin/env python3
"""The expected records of tests/referencia, regenerated only by looking.

    regenerar_referencia.py TESMARO_LOTE [--aceptar]

Runs every case of tests/referencia/casos.txt through TESMARO_LOTE (as
comparar.cmake does) and compares its text result with esperado/<case>.txt
record by record and column by column. Prints, for each case that changed, how
many records changed in each column with the first examples (line, before,
after), and any change of exit status or of the number of records. Nothing is
written unless --aceptar is given: then the new results replace the expected
ones. Read the diff before you accept it.
"""
import csv
import io
import os
import shlex
import subprocess
import sys
import tempfile

RAIZ = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
REFERENCIA = os.path.join(RAIZ, 'tests', 'referencia')
REJILLA = os.path.join(RAIZ, 'data', 'sped2et.gsb')
EJEMPLOS = 3


def registros(texto):
    return list(csv.reader(io.StringIO(texto.decode('utf-8', 'replace').replace('\r\n', '\n'))))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    lote = os.path.abspath(sys.argv[1])
    aceptar = '--aceptar' in sys.argv[2:]
    cambios = 0
    with open(os.path.join(REFERENCIA, 'casos.txt'), encoding='utf-8') as f:
        casos = [shlex.split(l) for l in f if l.strip()]
    for nombre, conversion, estado, *opciones in casos:
        opciones = [REJILLA if o == '<rejilla>' else o for o in opciones]
        with tempfile.TemporaryDirectory() as carpeta:
            r = subprocess.run([lote, conversion, os.path.join(REFERENCIA, 'casos', nombre + '.pts'),
                                '--salida', carpeta] + opciones, capture_output=True)
            txt = [n for n in os.listdir(carpeta) if n.endswith('.txt')]
            if not txt:
                print(f'{nombre}: sin resultado de texto (estado {r.returncode}): {r.stderr.decode()}')
                cambios += 1
                continue
            with open(os.path.join(carpeta, txt[0]), 'rb') as f:
                nuevo = f.read()
        esperado_ruta = os.path.join(REFERENCIA, 'esperado', nombre + '.txt')
        with open(esperado_ruta, 'rb') as f:
            viejo = f.read()
        avisos = []
        if str(r.returncode) != estado:
            avisos.append(f'estado de salida {r.returncode}, se esperaba {estado}')
        if nuevo != viejo:
            a, b = registros(viejo), registros(nuevo)
            if len(a) != len(b):
                avisos.append(f'{len(b) - 1} registros, antes {len(a) - 1}')
            titulos = b[0] if b else []
            por_columna = {}
            for i, (x, y) in enumerate(zip(a, b)):
                for k in range(max(len(x), len(y))):
                    vx = x[k] if k < len(x) else '(sin campo)'
                    vy = y[k] if k < len(y) else '(sin campo)'
                    if vx != vy:
                        por_columna.setdefault(k, []).append((i + 1, vx, vy))
            for k, lista in sorted(por_columna.items()):
                titulo = titulos[k] if k < len(titulos) else f'columna {k + 1}'
                ejemplos = '; '.join(f'línea {n}: {vx!r} -> {vy!r}' for n, vx, vy in lista[:EJEMPLOS])
                avisos.append(f'«{titulo}»: {len(lista)} registros cambian ({ejemplos})')
        if avisos:
            cambios += 1
            print(f'{nombre}:')
            for aviso in avisos:
                print(f'  {aviso}')
            if aceptar and nuevo != viejo:
                with open(esperado_ruta, 'wb') as f:
                    f.write(nuevo)
    if not cambios:
        print('Sin cambios.')
    elif aceptar:
        print(f'{cambios} casos cambiados; los resultados nuevos sustituyen a los esperados.')
    else:
        print(f'{cambios} casos cambiados; nada escrito (--aceptar para aceptarlos).')
    return 0


if __name__ == '__main__':
    sys.exit(main())
