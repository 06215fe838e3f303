#pragma once
// The report functions that print grade bulletins: a concept definition's subconcepts and
// possible values, and a grade's values, by position.
#include "host/reports.h"

namespace zmk {

class TfrZMKEscoliaFunctionLibrary : public TfrFunctionLibrary {
  public:
    static inline const QString kCategoria = QStringLiteral("ZMK-Escolia");
    TfrZMKEscoliaFunctionLibrary();

  protected:
    void DoFunction(int fnNumber, const QVariantList& args, QVariant& result) override;
};

// NOTA(def, grade): the grade as text, one "subconcept = value" line per subconcept (CR LF).
QString TextoNota(const QString& definicion, const QString& nota);

}  // namespace zmk
