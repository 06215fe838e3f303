#pragma once
// Mass deletion of a centre's data: the 22 kinds of data a user may empty in one go, the boxes
// that other boxes force, and the set-based run in a fixed order inside one transaction that
// the user accepts at the end.
#include <QString>
#include <QStringList>
#include <array>

namespace zmk {

// The boxes in the form's order.
enum TCasillaBorrado : int {
    kBorrarFacturas,
    kBorrarMatriculas,
    kBorrarCursos,
    kBorrarGrupos,
    kBorrarIncidencias,
    kBorrarAlumnos,
    kBorrarProfesores,
    kBorrarFaltasAsistencia,
    kBorrarBoletinesNotas,
    kBorrarConceptosCobro,
    kBorrarTarifasPrecios,
    kBorrarLiquidaciones,
    kBorrarNotasBoletines,
    kBorrarIncidenciasAlumnos,
    kBorrarIncidenciasProfesores,
    kBorrarIncidenciasCursos,
    kBorrarIncidenciasGrupos,
    kBorrarIncidenciasMatriculas,
    kBorrarIncidenciasFacturas,
    kBorrarConceptosCobroMatriculas,
    kBorrarConceptosCobroCursos,
    kBorrarConceptosCobroGrupos,
    kNumCasillasBorrado
};

struct TDatosCasillaBorrado {
    const char* nombre;   // the control's name
    const char* caption;  // its text on the form
    const char* clave;    // escolia-cli's key word
};
const TDatosCasillaBorrado& DatosCasillaBorrado(int casilla);
// The box of a key word (without regard to case), -1 when none.
int CasillaDeClave(const QString& clave);

// The boxes of the form: a box forced by another is checked and disabled.
class TCasillasBorrado {
  public:
    bool Marcada(int c) const { return marcada_[size_t(c)]; }
    bool Forzada(int c) const { return forzada_[size_t(c)]; }
    // The user clicked a box (enabled ones only; a forced box ignores it) and it is now
    // "marcada". Recomputes the forced boxes; checking the teachers asks first, and the box stays
    // checked only on Yes.
    void Click(int casilla, bool marcada);
    // Key words of the checked boxes.
    QStringList Claves() const;

  private:
    void Forzar(int casilla);
    void Recalcular(int origen);

    std::array<bool, kNumCasillasBorrado> marcada_{};
    std::array<bool, kNumCasillasBorrado> forzada_{};
    bool recalculando_ = false;
};

// Empties the checked kinds of data of the current centre (teachers of every centre) in one
// transaction, showing progress, and commits only when the user accepts the summary. A No
// rolls back and raises "Operación abortada". Refuses without a current centre.
void EjecutarBorradoMasivo(const TCasillasBorrado& casillas);

}  // namespace zmk
