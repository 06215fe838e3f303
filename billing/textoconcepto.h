#pragma once
// The texts around billing a charge concept: month and year tags in concept texts, the month
// filter of the billing screens, and the user-defined receipt (SEPA) concept format.
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "host/datasources.h"

namespace zmk {

// "Enero".."Diciembre" for 1..12; empty outside.
QString NombreMesLargo(int mes);
// The month flag column of a charge concept ("CobrarEneroT14".."CobrarDiciembreT14") for 1..12;
// empty outside.
QString CampoMesCobroT14(int mes);

// Replaces the tags "[AÑO]", "[MES]", "[MES1]".."[MES12]" and "[AÑO1]".."[AÑO12]" (any letter
// case) by the billed month's name and year; tag i names the (i-1)-th month after mes, running
// into the following year. Other text, and other tags, stay as they are.
QString ExpandirTextoConcepto(const QString& texto, int anyo, int mes);

// The values of a receipt concept, in the order they are passed.
enum TCampoConceptoRecibo {
    crNombreAlumno,
    crNombreCentro,
    crNumeroMatricula,
    crCodigoCurso,
    crNombreCurso,
    crCodigoGrupo,
    crNombreGrupo,
    crConcepto,
    crFraNumeroFactura,
    crFraFechaFactura,
    crFraNumeroMes,
    crFraNombreMes,
    crFraAnyo,
    crFraImporteTotal,
    crImporteBase,
    crUnidades,
    crPorcentajeDescuento,
    crBaseImponible,
    crPorcentajeIva,
    crImporteTotal,
    kCamposConceptoRecibo
};
using TValoresConceptoRecibo = std::array<QString, kCamposConceptoRecibo>;

// The placeholder of a value, "{nombre_alumno}" ...
QString MarcadorConceptoRecibo(TCampoConceptoRecibo campo);

struct TConceptoRecibo {
    QString texto;
    QString error;  // empty when no stray brace is left in the text
};

// Expands a receipt concept format: text between "[" and "]" is kept only when incluirOpcional
// is set (the brackets never), then every placeholder is replaced by its value.
TConceptoRecibo FormatearConceptoRecibo(bool incluirOpcional, const QString& formato,
                                        const TValoresConceptoRecibo& valores);

// The month filter form: shows the initial month and year and answers the chosen ones, or
// nullopt when cancelled. Returns the previous one; an empty function asks through the prompt
// service.
struct TMesAnyo {
    int mes = 0;
    int anyo = 0;
};
using TDialogoFiltroMes = std::function<std::optional<TMesAnyo>(TMesAnyo inicial)>;
TDialogoFiltroMes SetDialogoFiltroMes(TDialogoFiltroMes dialogo);

// Asks for the month and year to bill and publishes the filter of the concepts due in that
// month (the library procedure "FILTRO_MES_FACTURAR"). Cancelling aborts silently.
void FiltroMesFacturar();

// Editor of a concept text, created by the screens under the data-source name "TEXTO_CONCEPTO".
class TZMKDS_TextoConcepto : public TCustomZMKDataSourceAbstract {
  public:
    static inline const QString kNombre = QStringLiteral("TEXTO_CONCEPTO");
    // Longest concept text the field takes.
    static constexpr int kLongitudMaxima = 80;

    void CreateParams() override;
    void ParamsSetValor(const QString& name, const QVariant& value) override;
    QVariant ParamsGetValor(const QString& name) override;
    // Asks for the codified text; OK keeps it (cut to the field's length).
    bool Execute(const QString& action) override;

    const QString& Texto() const { return texto_; }

  private:
    QString texto_;
};

// Undoes the data-source registration made by RegisterConceptTextProcedures (at shutdown).
void UnregisterConceptTextProcedures();

}  // namespace zmk
