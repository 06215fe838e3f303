#pragma once
// Two things liborcus 0.17 gets wrong in an OpenDocument sheet, mended from its content part:
// the cells a merged cell covers are not counted, so every value after a merged cell lands one
// column (or more) to the left; and a formula's text result (=A2&", "&B2) is not handed over.
#include <string_view>

namespace zmk {

class TLibroLeido;

// contenido is the whole .ods file, already read into libro.
void CompletaContenidoOds(std::string_view contenido, TLibroLeido& libro);

}  // namespace zmk
