#pragma once
// Creating an invoice header for a student: payment data from the enrolment that has its own or
// from the student, the SEPA check of that data, name and NIF (optionally the parent's), and
// the next number of the series.
#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>

#include "host/preparedstatement.h"

namespace zmk {

class TDataBaseZMK;

// Creates headers with statements prepared once, for a run that creates many. A series'
// counter is read on first use and then advanced in memory (and in the table, after every
// header), so the creator must live inside one transaction that holds the write lock.
class TCreadorCabeceras {
  public:
    explicit TCreadorCabeceras(TDataBaseZMK& db);
    TCreadorCabeceras(const TCreadorCabeceras&) = delete;
    TCreadorCabeceras& operator=(const TCreadorCabeceras&) = delete;

    // Returns the new IDFacturaCabT15. fecha is stored without its time. idMatricula > 0 takes
    // the payment data from that enrolment when it keeps its own.
    int Crear(int idCentro, int idAlumno, int idSerie, bool datosPadreOMadre, bool numerar,
              const QDate& fecha, int idMatricula);
    // The number given to the last header created (Null when not numbered).
    const QVariant& UltimoNumero() const { return ultimoNumero_; }

  private:
    struct TSerie {
        bool existe = false;
        QString texto;
        int siguiente = 0;  // 0: not read yet
    };
    TSerie& Serie(int idSerie);

    TDataBaseZMK& db_;
    TPreparedStatement matricula_, alumno_, insertar_, avanzarSerie_;
    QHash<int, TSerie> series_;
    QVariant ultimoNumero_;
    // The issuer every invoice of this run is issued with; empty on a file without its columns.
    QVariantList emisor_;
};

// One header, as the generation creates it (see TCreadorCabeceras::Crear).
int CrearCabeceraFactura(int idCentro, int idAlumno, int idSerie, bool datosPadreOMadre,
                         bool numerar, const QDate& fecha, int idMatricula);

}  // namespace zmk
