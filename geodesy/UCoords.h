// The geodesy core in one include: numbers and angles, ellipsoids and datum shift,
// Gauss-Krüger and UTM projections, and the conversion object.
#pragma once
#include "constantes.h"
#include "numeros.h"
#include "angulo.h"
#include "proyeccion.h"
#include "elipsoide.h"
#include "coordenadas.h"
