// TFormato: the input-mask matcher. A mask is walked element by element against the text; groups
// hold alternatives tried in order, and the first one that fits wins (no backtracking into elements
// already matched). Positions are 1-based as in the mask language; M past its end reads as NUL.
#include "Validate.h"

#include <cstddef>
#include <cstdint>

const std::string MascaraLatitud = "#[#]\xB0 [#[#]' ][#[#][.#[#][#][#][#]]\" ]{S,N}";
const std::string MascaraLongitud = "#[#][#]\xB0 [#[#]' ][#[#][.#[#][#][#][#]]\" ]{W,E}";

TFormato *Formato = nullptr;
uint8_t FinPendiente = 0;
uint8_t ComillaPulsada = 0;

namespace {

// Masks, texts and repetition counts were 8-bit quantities; anything longer is refused rather than
// wrapped around.
constexpr std::size_t kLongitudMaxima = 255;
constexpr unsigned kCuentaMaxima = 255;

// A safety net for masks whose nested repetitions and alternatives rescan the text over and over
// (work grows like |T|^depth). The two masks in use need a few hundred steps; a 255-character mask
// on a 255-character text of ordinary shape stays below a few million.
constexpr std::uint32_t kPasosMaximos = 1u << 24;

struct PasosAgotados {};

bool EsDigito(unsigned char c) {
    return c >= '0' && c <= '9';
}
bool EsLetra(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char Mayuscula(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The characters that end the automatic fill.
bool EsEspecial(char c) {
    switch (c) {
        case '#':
        case '?':
        case '&':
        case '!':
        case '@':
        case '*':
        case '{':
        case '}':
        case '[':
        case ']':
        case ',':
            return true;
        default:
            return false;
    }
}

// Malformed: empty, ending in an unescaped ';' or '*', or with unequal numbers of '[' and ']' or of
// '{' and '}' (only the totals are compared, not the nesting). Also refused: masks over 255
// characters and repetition counts over 255.
bool SintaxisCorrecta(const std::string &m) {
    const std::size_t n = m.size();
    if (n == 0 || n > kLongitudMaxima) return false;
    if (m[n - 1] == ';') return false;
    if (m[n - 1] == '*' && (n < 2 || m[n - 2] != ';')) return false;
    int cuadrados = 0, llaves = 0;
    for (std::size_t p = 0; p < n; ++p) {
        switch (m[p]) {
            case ';':
                ++p;
                break;
            case '[':
                ++cuadrados;
                break;
            case ']':
                --cuadrados;
                break;
            case '{':
                ++llaves;
                break;
            case '}':
                --llaves;
                break;
            case '*': {
                unsigned cuenta = 0;
                while (p + 1 < n && EsDigito(static_cast<unsigned char>(m[p + 1]))) {
                    cuenta = cuenta * 10 + static_cast<unsigned>(m[p + 1] - '0');
                    if (cuenta > kCuentaMaxima) return false;
                    ++p;
                }
                break;
            }
            default:
                break;
        }
    }
    return cuadrados == 0 && llaves == 0;
}

std::string SinCorchetes(const std::string &m) {
    std::string visible;
    visible.reserve(m.size());
    for (char c : m)
        if (c != '[' && c != ']') visible.push_back(c);
    return visible;
}

// One match of the text T against the mask M: i walks M, j walks T, both from 1.
class TComparador {
  public:
    TComparador(const std::string &mascara, std::string &texto) : M_(mascara), T_(texto) {}

    std::size_t i = 1;
    std::size_t j = 1;

    // The alternatives between i and the terminator t. A complete alternative is taken only when it
    // got at least as far into the text as the first incomplete one; otherwise the match is reported
    // incomplete at that incomplete alternative's position.
    TResultadoFormato BucleAlternativas(std::size_t t) {
        bool vistoIncompleto = false;
        std::size_t iIncompleto = 0, jIncompleto = 0;
        std::size_t i0 = i;
        const std::size_t j0 = j;
        for (;;) {
            Paso();
            TResultadoFormato r = RecorrerSecuencia(t);
            if ((r == rfCompleto || r == rfAmbiguo) && vistoIncompleto && j < jIncompleto) {
                r = rfIncompleto;
                j = jIncompleto;
            }
            if (r != rfError && r != rfIncompleto)
                return (r == rfCompleto && vistoIncompleto) ? rfAmbiguo : r;

            TResultadoFormato resultado = r;
            if (r == rfIncompleto && !vistoIncompleto) {
                vistoIncompleto = true;
                iIncompleto = i;
                jIncompleto = j;
            }
            i = i0;
            j = j0;
            if (!SiguienteAlternativa(t)) {
                if (vistoIncompleto) {
                    resultado = rfIncompleto;
                    i = iIncompleto;
                    j = jIncompleto;
                }
                return resultado;
            }
            i0 = i;
        }
    }

  private:
    const std::string &M_;
    std::string &T_;
    std::uint32_t pasos_ = 0;

    char Mc(std::size_t p) const { return (p >= 1 && p <= M_.size()) ? M_[p - 1] : '\0'; }

    void Paso() {
        if (++pasos_ > kPasosMaximos) throw PasosAgotados{};
    }

    void Guardar(char x) {
        T_[j - 1] = x;
        ++j;
        ++i;
    }

    // The position just after the element that starts at p, never past the terminator t.
    std::size_t FinGrupo(std::size_t p, std::size_t t) {
        int cuadrados = 0, llaves = 0;
        for (;;) {
            if (p >= t) return t;
            Paso();
            switch (Mc(p)) {
                case '[':
                    ++cuadrados;
                    break;
                case ']':
                    --cuadrados;
                    break;
                case '{':
                    ++llaves;
                    break;
                case '}':
                    --llaves;
                    break;
                case ';':
                    ++p;
                    break;
                case '*':
                    ++p;
                    while (EsDigito(static_cast<unsigned char>(Mc(p)))) ++p;
                    p = FinGrupo(p, t);
                    if (cuadrados == 0 && llaves == 0) return p;
                    continue;
                default:
                    break;
            }
            ++p;
            if (cuadrados == 0 && llaves == 0) return p < t ? p : t;
        }
    }

    // Moves i to the start of the next alternative before t; false when none follows.
    bool SiguienteAlternativa(std::size_t t) {
        do {
            i = FinGrupo(i, t);
        } while (i < t && Mc(i) != ',');
        if (Mc(i) == ',') ++i;
        return i < t;
    }

    // The elements of one alternative, up to t or the next ','.
    TResultadoFormato RecorrerSecuencia(std::size_t t) {
        TResultadoFormato r = rfVacio;
        while (i < t && Mc(i) != ',') {
            Paso();
            if (j > T_.size()) return ComprobarFin(r, t);
            const char ch = T_[j - 1];
            const unsigned char uch = static_cast<unsigned char>(ch);
            switch (Mc(i)) {
                case '#':
                    if (!EsDigito(uch)) return rfError;
                    Guardar(ch);
                    break;
                case '?':
                    if (!EsLetra(uch)) return rfError;
                    Guardar(ch);
                    break;
                case '&':
                    if (!EsLetra(uch)) return rfError;
                    Guardar(Mayuscula(ch));
                    break;
                case '!':
                    Guardar(Mayuscula(ch));
                    break;
                case '@':
                    Guardar(ch);
                    break;
                case '*':
                    r = CoincidirRepeticion(t);
                    if (r != rfCompleto && r != rfAmbiguo) return r;
                    break;
                case '{':
                    r = CoincidirGrupo(t);
                    if (r != rfCompleto && r != rfAmbiguo) return r;
                    break;
                case '[':
                    r = CoincidirGrupo(t);
                    if (r == rfIncompleto || r == rfIncompletoSinRelleno) return r;
                    if (r == rfError) r = rfAmbiguo;  // the optional group is skipped
                    break;
                default: {
                    // A literal (the character after ';' is one even when special): same letter in
                    // either case, or a typed space, and the mask's own character is stored.
                    if (Mc(i) == ';') ++i;
                    const char m = Mc(i);
                    if (Mayuscula(m) != Mayuscula(ch) && ch != ' ') return rfError;
                    Guardar(m);
                    break;
                }
            }
            r = (r == rfAmbiguo) ? rfIncompletoSinRelleno : rfIncompleto;
        }
        return r == rfIncompletoSinRelleno ? rfAmbiguo : rfCompleto;
    }

    // The text ran out at i: the match is ambiguous (complete) when everything left before t may
    // match nothing, that is optional groups and repetitions without a count.
    TResultadoFormato ComprobarFin(TResultadoFormato r, std::size_t t) {
        if (r != rfIncompleto && r != rfIncompletoSinRelleno) return r;
        std::size_t p = i;
        for (;;) {
            bool salto = false;
            while (p < t && Mc(p) == '[') {
                p = FinGrupo(p, t);
                salto = true;
            }
            while (p < t && Mc(p) == '*' && !EsDigito(static_cast<unsigned char>(Mc(p + 1)))) {
                p = FinGrupo(p + 1, t);
                salto = true;
            }
            if (!salto) break;
        }
        if (p >= t) r = rfAmbiguo;
        return r;
    }

    // i on '[' or '{': the alternatives inside, with the closing bracket as terminator.
    TResultadoFormato CoincidirGrupo(std::size_t t) {
        const std::size_t e = FinGrupo(i, t);
        ++i;
        const TResultadoFormato r = BucleAlternativas(e - 1);
        if (r != rfIncompleto && r != rfIncompletoSinRelleno) i = e;
        return r;
    }

    // i on '*'. An iteration that takes no character would repeat itself unchanged, so the
    // repetition stops there: without a count this is what keeps "*[a]" from running forever, with
    // a count the remaining iterations would all match the same empty text.
    TResultadoFormato CoincidirRepeticion(std::size_t t) {
        ++i;
        unsigned n = 0;
        while (EsDigito(static_cast<unsigned char>(Mc(i)))) {
            n = n * 10 + static_cast<unsigned>(Mc(i) - '0');  // at most 255, see SintaxisCorrecta
            ++i;
        }
        if (i > t) return rfSintaxis;
        const std::size_t k = i;
        const std::size_t e = FinGrupo(i, t);
        TResultadoFormato r = rfVacio;
        if (n != 0) {
            for (unsigned vuelta = 0; vuelta < n; ++vuelta) {
                i = k;
                const std::size_t jAntes = j;
                r = BucleAlternativas(e);
                if (r != rfCompleto && r != rfAmbiguo) return r == rfVacio ? rfIncompleto : r;
                if (j == jAntes) break;
            }
        } else {
            for (;;) {
                i = k;
                const std::size_t jAntes = j;
                r = BucleAlternativas(e);
                if (r != rfCompleto && r != rfAmbiguo) {
                    if (r == rfVacio || r == rfError) r = rfAmbiguo;
                    break;
                }
                if (j == jAntes) {
                    r = rfAmbiguo;
                    break;
                }
            }
        }
        i = e;
        return r;
    }
};

}  // namespace

TFormato::TFormato(const std::string &mascara, bool relleno) : Mascara(mascara) {
    Estado = 0;
    Opciones = relleno ? 5 : 4;
    std::string vacio;
    if (Aplicar(vacio, false) != rfVacio) Estado = 1;
    MascaraVisible = SinCorchetes(Mascara);
}

TFormato::~TFormato() = default;

void TFormato::MostrarError() {}

std::string TFormato::TextoError() const {
    return "La Entrada No es correcta, seg\xFAn el formato:\n    " + Mascara;
}

bool TFormato::EntradaValida(std::string &texto, bool sinRelleno) {
    if (Mascara.empty()) return true;
    return Aplicar(texto, (Opciones & 1) != 0 && !sinRelleno) != rfError;
}

bool TFormato::EsValida(const std::string &texto) {
    if (Mascara.empty()) return true;
    std::string copia = texto;
    const TResultadoFormato r = Aplicar(copia, false);
    return r == rfCompleto || r == rfVacio;
}

TResultadoFormato TFormato::Aplicar(std::string &texto, bool relleno) {
    if (!SintaxisCorrecta(Mascara)) return rfSintaxis;
    if (texto.empty()) return rfVacio;
    if (texto.size() > kLongitudMaxima) return rfError;

    // Kept to give the text back untouched when the step budget runs out.
    const std::string original = texto;

    const std::size_t t = Mascara.size() + 1;
    TResultadoFormato r;
    try {
        TComparador c(Mascara, texto);
        r = c.BucleAlternativas(t);
        if (r != rfError && r != rfSintaxis && c.j <= texto.size()) r = rfError;  // characters left over

        // Append the literal run that follows the point where matching stopped (never beyond 255
        // characters), then match the longer text again from the start.
        if (r == rfIncompleto && relleno) {
            std::size_t p = c.i;
            bool anadido = false;
            while (p <= Mascara.size() && !EsEspecial(Mascara[p - 1]) && texto.size() < kLongitudMaxima) {
                if (Mascara[p - 1] == ';') ++p;
                texto.push_back(p <= Mascara.size() ? Mascara[p - 1] : '\0');
                ++p;
                anadido = true;
            }
            if (anadido) {
                c.i = 1;
                c.j = 1;
                r = c.BucleAlternativas(t);
            }
        }
    } catch (const PasosAgotados &) {
        texto = original;
        return rfError;
    }

    if (r == rfAmbiguo) return rfCompleto;
    if (r == rfIncompletoSinRelleno) return rfIncompleto;
    return r;
}

void TFormato::FijarLatitud() {
    Mascara = MascaraLatitud;
    MascaraVisible = SinCorchetes(Mascara);
}

void TFormato::FijarLongitud() {
    Mascara = MascaraLongitud;
    MascaraVisible = SinCorchetes(Mascara);
}
