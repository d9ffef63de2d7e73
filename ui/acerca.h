// The "Acerca de ..." page: a logo and a banner drawn here, the program's name and version, credits.
#pragma once

class QWidget;

// Fills the page with its controls.
void CrearAcercaDe(QWidget *pagina);
