// The read options dialog answered at once for the benchmarks' files (label, latitude, longitude,
// height in decimal degrees, comma-separated), so that the window's open command runs whole.
#pragma once
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "UOpciones.h"

inline void ResponderOpcionesDecimales() {
    TFormOpciones::FijarPresentador([](TFormOpciones &f) {
        f.show();
        f.spSiguiente->click();
        f.sEditLatX->setText("2");
        f.sEditLonY->setText("3");
        f.sEditAltura->setText("4");
        f.cbModo->setCurrentIndex(1);
        f.spBotonOK->click();
        return f.result();
    });
}
