#pragma once
// Two centres of a teaching company built by SQL for the cascade tests, with helpers to add the
// rows that cascades remove or unlink, to dump the whole database and to record progress texts.
#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QSqlRecord>

#include "core/centroactual.h"
#include "core/splash.h"
#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/datetime.h"
#include "host/library.h"
#include "host/parametres.h"
#include "rules/cascadas.h"
#include "tests/support/testdb.h"

namespace zmk::test {

// Keeps every text the cascades show, in order.
class SplashGrabado : public TCustomSplash {
  public:
    QStringList textos;
    QStringList textosPrimerNivel;  // those of the outermost level only

  protected:
    void Update() override {
        if (!Active()) return;
        textos << Levels().last().text;
        if (Levels().size() == 1) textosPrimerNivel << Levels().last().text;
    }
};

class DatosCascadas : public ::testing::Test {
  protected:
    DatosCascadas() {
        RegisterDefaultProgramStrings();
        RegisterCascadasRules();
        REGISTER_LIBRARY(ZMKApp().Procedures());
        FijarAhora(QDateTime(QDate(2026, 10, 15), QTime(10, 30)));
        Exec(
            "INSERT INTO T20Centros (IDCentroT20, CodigoCentroT20, ActivoT20) VALUES (1, 'C1', 1)");
        Exec(
            "INSERT INTO T20Centros (IDCentroT20, CodigoCentroT20, ActivoT20) VALUES (2, 'C2', 1)");
        Exec("INSERT INTO T22TiposIva (TPCIvaT22) VALUES (21)");
        FijaCentroActual(1);
        auto splash = std::make_unique<SplashGrabado>();
        splash_ = splash.get();
        anterior_ = SetSplash(std::move(splash));
    }
    ~DatosCascadas() override {
        SetSplash(std::move(anterior_));
        FijarAhora(std::nullopt);
    }

    void Exec(const QString& sql) { tdb.db().ExecuteSQL(sql); }
    int Nuevo(const QString& sql, const char* tabla, const char* clave) {
        Exec(sql);
        return VarAEnter(
            UltimValor(tdb.db(), QString::fromLatin1(tabla), QString::fromLatin1(clave)));
    }
    int Count(const QString& sql) { return tdb.Scalar(sql).toInt(); }
    int Filas(const char* tabla, const QString& condicion = QStringLiteral("1=1")) {
        return Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2")
                         .arg(QLatin1String(tabla), condicion));
    }

    int Curso(int centro = 1, bool activo = true, const QString& codigo = QStringLiteral("CUR")) {
        return Nuevo(
            QStringLiteral("INSERT INTO T03Cursos (IDCentroT03, CodigoT03, DescripcionT03, "
                           "ActivoT03) VALUES (%1, %2, 'Curso', %3)")
                .arg(centro)
                .arg(ValorSQL(codigo), ValorSQL(activo)),
            "T03Cursos", "IDCursoT03");
    }
    int Grupo(int curso, int centro = 1, bool activo = true,
              const QString& codigo = QStringLiteral("G1")) {
        return Nuevo(QStringLiteral("INSERT INTO T05Grupos (IDCentroT05, IDCursoT05, CodigoT05, "
                                    "NombreT05, ActivoT05) VALUES (%1, %2, %3, 'Mañanas', %4)")
                         .arg(centro)
                         .arg(ValorSQL(curso), ValorSQL(codigo), ValorSQL(activo)),
                     "T05Grupos", "IDGrupoT05");
    }
    int Alumno(int centro = 1, bool activo = true) {
        return Nuevo(
            QStringLiteral("INSERT INTO T01Alumnos (IDCentroT01, NombreT01, "
                           "NombreCompletoT01, ActivoT01) VALUES (%1, 'Ana', 'Ruiz, Ana', %2)")
                .arg(centro)
                .arg(ValorSQL(activo)),
            "T01Alumnos", "IDAlumnoT01");
    }
    int Matricula(int grupo, int alumno, int centro = 1, bool activa = true) {
        return Nuevo(
            QStringLiteral("INSERT INTO T02Matriculas (IDCentroT02, IDGrupoT02, IDAlumnoT02, "
                           "NMatriculaT02, ActivaT02) VALUES (%1, %2, %3, 'M%3', %4)")
                .arg(centro)
                .arg(ValorSQL(grupo))
                .arg(alumno)
                .arg(ValorSQL(activa)),
            "T02Matriculas", "IDMatriculaT02");
    }
    // A concept owned through the given column (IDCursoT14, IDGrupoT14, IDMatriculaT14...),
    // priced by the tariff when one is given.
    int Concepto(const char* columna, int clave, int centro = 1, int tarifa = 0) {
        return Nuevo(
            QStringLiteral("INSERT INTO T14ConceptosMatricula (IDCentroT14, %1, "
                           "IDTarifaPreciosT14, ConceptoT14, ImporteBaseT14, UnidadesT14, "
                           "TPCDtoT14, BaseImponibleT14, TPCIvaT14, ImporteIvaIncluidoT14, "
                           "ActivoT14) VALUES (%2, %3, %4, 'Cuota', 100, 1, 0, 100, 21, "
                           "121, 1)")
                .arg(QLatin1String(columna))
                .arg(centro)
                .arg(clave)
                .arg(ValorSQL(tarifa > 0 ? QVariant(tarifa) : QVariant())),
            "T14ConceptosMatricula", "IDConceptoMatriculaT14");
    }
    int Factura(int centro, int alumno, int numero) {
        return Nuevo(
            QStringLiteral("INSERT INTO T15FacturasCab (IDCentroT15, IDAlumnoT15, NumeroT15, "
                           "CobradaT15, DevueltaT15) VALUES (%1, %2, %3, 0, 0)")
                .arg(centro)
                .arg(ValorSQL(alumno > 0 ? QVariant(alumno) : QVariant()))
                .arg(numero),
            "T15FacturasCab", "IDFacturaCabT15");
    }
    int Linea(int factura, int matricula, int concepto) {
        return Nuevo(QStringLiteral("INSERT INTO T16FacturasCue (IDFacturaCabT16, IDMatriculaT16, "
                                    "IDConceptoMatriculaT16) VALUES (%1, %2, %3)")
                         .arg(factura)
                         .arg(matricula)
                         .arg(concepto),
                     "T16FacturasCue", "IDFacturaCueT16");
    }
    int Boletin(int curso) {
        return Nuevo(QStringLiteral("INSERT INTO T24BoletinesNotas (IDCursoT24, BloqueadoT24) "
                                    "VALUES (%1, 0)")
                         .arg(curso),
                     "T24BoletinesNotas", "IDBoletinNotasT24");
    }
    int Incidencias(const QString& titulo) {
        return Filas("T11Incidencias", QStringLiteral("TituloT11=") + ValorSQL(titulo));
    }

    TestDatabase tdb;
    SplashGrabado* splash_ = nullptr;

  private:
    std::unique_ptr<TCustomSplash> anterior_;
};

}  // namespace zmk::test
