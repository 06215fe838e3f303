#pragma once
// Grade bulletins: locking, importing a format, the rules of the bulletins and grades screens,
// and what a screen shows of a bulletin's concepts.
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace zmk {

class TDataSet;

constexpr int kConceptosNota = 8;

// "NombreConc3T24", "ValorConc3T25" ...: a concept field's name for concept n of a table.
QString CampoConcepto(const char* prefijo, int concepto, const char* sufijo);

// Raises "El boletín de notas está BLOQUEADO ..." when the bulletin is locked.
void ExigirBoletinDesbloqueado(int idBoletin);
bool BoletinBloqueado(int idBoletin);
// Raises "La matrícula no está activa, no puede realizar cambios" for an inactive enrolment.
void ExigirMatriculaActivaNotas(int idMatricula);

// "CAMBIO_BLOQUEADO_BOLETIN" on the bulletin of the screen's query (PRMIP_TQUERYSQL).
void CambioBloqueadoBoletin();

// The selection list of bulletin formats: the key of the accepted row, or nullopt. An empty
// function asks for the key through the prompt service.
using TSeleccionFormato = std::function<std::optional<int>()>;
TSeleccionFormato SetSeleccionFormatoBoletin(TSeleccionFormato seleccion);
// "IMPORTAR_FORMATO_BOLETIN": copies a chosen format's concepts into the screen's bulletin,
// left in edit for the user to accept.
void ImportarFormatoBoletin();
// Copies the format's 24 concept fields into the data set's record (puts it in edit).
void CopiarFormatoBoletin(int idFormato, TDataSet& boletin);

// Before a definition or a grade typed by hand is stored: the items of each ValoresConc field
// of formats and bulletins and of each ValorConc field of grades are cleaned, definitions kept
// in brace form; a definition too long to store raises. Other tables are left alone.
void NormalizarCamposNota(TDataSet& ds);

// Adds the rules of the bulletins (296) and grades (300) screens.
void RegisterBoletinesRules();

}  // namespace zmk
