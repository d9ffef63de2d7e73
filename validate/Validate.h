// TFormato: the input-mask language for typed angles. Checks a text against the mask in force,
// completes it where only one continuation is possible and rewrites typed characters.
// Texts are Windows-1252 bytes; the degree sign is byte 176.
#pragma once
#include <cstdint>
#include <string>

enum TResultadoFormato : uint8_t {
    rfCompleto = 0,
    rfIncompleto = 1,
    rfVacio = 2,
    rfError = 3,
    rfSintaxis = 4,
    rfAmbiguo = 5,              // internal: complete, more could be taken; reported as rfCompleto
    rfIncompletoSinRelleno = 6  // internal: incomplete where no fill applies; reported as rfIncompleto
};

extern const std::string MascaraLatitud;   // #[#]° [#[#]' ][#[#][.#[#][#][#][#]]" ]{S,N}
extern const std::string MascaraLongitud;  // #[#][#]° [#[#]' ][#[#][.#[#][#][#][#]]" ]{W,E}

class TFormato {
  public:
    std::string Mascara;
    std::string MascaraVisible;  // Mascara without '[' and ']'
    uint16_t Estado = 0;         // 1 when the mask given at construction is malformed
    uint16_t Opciones = 4;       // bit value 1: automatic fill

    TFormato(const std::string &mascara, bool relleno);
    virtual ~TFormato();

    // The class's own message; the core shows nothing, a window overrides this hook.
    virtual void MostrarError();
    virtual bool EntradaValida(std::string &texto, bool sinRelleno);
    virtual bool EsValida(const std::string &texto);
    virtual TResultadoFormato Aplicar(std::string &texto, bool relleno);

    void FijarLatitud();
    void FijarLongitud();

    // "La Entrada No es correcta, según el formato:" + LF + four spaces + Mascara (Windows-1252).
    std::string TextoError() const;
};

// The program's one validator (absent until the main window creates it) and the two flags with
// which the window defers a caret move until Shift is released.
extern TFormato *Formato;
extern uint8_t FinPendiente;
extern uint8_t ComillaPulsada;
