#pragma once
// The editor of a concept definition that the bulletin screens create under the data-source
// name "MATRICULAS_MODIFICA_NOTAS": the concept's subconcepts and its possible values.
#include <QStringList>
#include <functional>

#include "host/datasources.h"

namespace zmk {

class TZMKDS_Notas : public TCustomZMKDataSourceAbstract {
  public:
    static inline const QString kNombre = QStringLiteral("MATRICULAS_MODIFICA_NOTAS");
    static inline const QString kModificaNotas = QStringLiteral("MODIFICA_NOTAS");
    static inline const QString kModificaConceptos = QStringLiteral("MODIFICA_CONCEPTOS");

    void CreateParams() override;
    // "PRMFIELDVALUE" decodes a definition, "MODIFICA_NOTAS" takes "|"-separated values,
    // "MODIFICA_CONCEPTOS" subconcepts; a result too long to store raises and changes nothing.
    void ParamsSetValor(const QString& name, const QVariant& value) override;
    QVariant ParamsGetValor(const QString& name) override;
    // Shows the editor (the values first for "MODIFICA_NOTAS"); OK keeps what it holds.
    bool Execute(const QString& action) override;

    const QStringList& Subconceptos() const { return subconceptos_; }
    const QStringList& Valores() const { return valores_; }
    // Takes the lists as edited (one item per line of each memo) after the length check.
    void AsignarListas(const QStringList& subconceptos, const QStringList& valores);

    // The dialog: edits both lists, focusing the values when valoresPrimero; false on Cancel.
    using TDialogo =
        std::function<bool(QStringList& subconceptos, QStringList& valores, bool valoresPrimero)>;
    static TDialogo SetDialogo(TDialogo dialogo);

  private:
    QStringList subconceptos_;
    QStringList valores_;
};

// Registers the data source with the screens ("SEARCH" image), the report functions and the
// procedures and rules of bulletins and absences; the reverse at shutdown.
void RegisterClassroomProcedures();
void UnregisterClassroomProcedures();

}  // namespace zmk
