#include "maintenance/democompany.h"

#include <QDate>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <vector>

#include "billing/funcionesinforme.h"
#include "core/bancos.h"
#include "core/importes.h"
#include "host/currency.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/preparedstatement.h"
#include "host/transactionguard.h"
#include "maintenance/demodatos.h"
#include "schema/schema.h"

namespace zmk {

namespace {

using demo::Apellidos;
using demo::Calles;
using demo::CentroDemo;
using demo::CursoDemo;
using demo::kCentros;
using demo::NombresHombre;
using demo::NombresMujer;

// Everything is dated in one fixed school year, never from the clock, so that a seed always
// gives the same file.
const QString kCursoEscolar = QStringLiteral("2026-2027");
QDate InicioCurso() {
    return QDate(2026, 9, 1);
}
QDate FinCurso() {
    return QDate(2027, 6, 30);
}

// The company that runs the centres; the CIF's control digit is valid (B 8432115 7).
const QString kEmpresa = QStringLiteral("ACADEMIAS ESCOLIA, S.L.");
const QString kCIF = QStringLiteral("B84321157");
const char kLetrasNIF[] = "TRWAGMYFPDXBNJZSQVHLCKE";
// Spanish entities whose BIC is known, for the students' and teachers' accounts.
const char* const kEntidades[] = {"2100", "0049", "0182", "0081", "2038", "0128", "2085", "0075"};

constexpr int kAlumnosPorGrupo = 20;
const char* const kDiasColumna[] = {"Lunes", "Martes", "Miercoles", "Jueves", "Viernes", "Sabado"};
const char* const kDiasTexto[] = {"Lunes", "Martes", "Miércoles", "Jueves", "Viernes", "Sábado"};

// Five digits: the centre's prefix and a district number.
QString CodigoPostal(const CentroDemo& centro, int distrito) {
    const int cifras = 5 - int(qstrlen(centro.prefijoCP));
    return QString::fromLatin1(centro.prefijoCP) +
           QStringLiteral("%1").arg(distrito, cifras, 10, QLatin1Char('0'));
}

QString Hora(int minutos) {
    return QStringLiteral("%1:%2")
        .arg(minutos / 60, 2, 10, QLatin1Char('0'))
        .arg(minutos % 60, 2, 10, QLatin1Char('0'));
}

// Plain lower-case ASCII for e-mail addresses (a table is much cheaper than normalising).
QString Ascii(const QString& text) {
    static const QString acentos = QStringLiteral("áéíóúüñçÁÉÍÓÚÜÑÇ");
    static const QString letras = QStringLiteral("aeiouuncaeiouunc");
    QString out;
    for (QChar c : text) {
        if (c.unicode() < 128) {
            if (c.isLetterOrNumber()) out += c.toLower();
        } else if (qsizetype i = acentos.indexOf(c); i >= 0) {
            out += letras[i];
        }
    }
    return out;
}

QVariant Dinero(Currency c) {
    return QVariant::fromValue(c);
}

struct Importes {
    Currency base, total;
};

// One unit without discount, by the line rule.
Importes CalcularImportes(int euros, int iva) {
    const TImportesLinea l =
        CalcularImportesLinea(Currency(euros), Currency(1), Currency(), Currency(iva));
    return {l.base, l.total};
}

// One prepared statement, run again for every row; gives the new row's key.
class Insercion {
  public:
    Insercion(TDataBaseZMK& db, const QString& sql) : q_(db, sql) {}
    Insercion(TDataBaseZMK& db, const QString& tabla, const QStringList& columnas)
        : q_(TPreparedStatement::Insert(db, tabla, columnas)) {}
    qint64 operator()(const QVariantList& valores) {
        q_.Run(valores);
        return q_.LastInsertId().toLongLong();
    }

  private:
    TPreparedStatement q_;
};

// Column names written as one text, separated by spaces.
QStringList Columnas(const char* nombres) {
    return QString::fromLatin1(nombres).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The columns that an enrolment's copy of a concept takes from its parent.
QStringList ColumnasCopiadas() {
    QStringList columnas = {
        "IDCentroT14",    "IDTarifaPreciosT14",    "FechaAltaT14", "ConceptoT14",
        "ImporteBaseT14", "UnidadesT14",           "TPCDtoT14",    "BaseImponibleT14",
        "TPCIvaT14",      "ImporteIvaIncluidoT14", "EsCuotaT14"};
    for (const char* mes : {"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio",
                            "Agosto", "Septiembre", "Octubre", "Noviembre", "Diciembre"})
        columnas << QStringLiteral("Cobrar") + QLatin1String(mes) + QStringLiteral("T14");
    return columnas << QStringLiteral("ActivoT14") << QStringLiteral("NOrdenT14");
}

struct Concepto {
    qint64 tarifa;
    QString texto;
    Importes importes;
    int iva;
    bool cuota;
    int orden;
};

struct Curso {
    const CursoDemo* def;
    qint64 id;
    std::vector<qint64> grupos;
    std::vector<Concepto> conceptos;
};

struct Centro {
    const CentroDemo* def;
    qint64 id;
    int alumnos;
    std::vector<Curso> cursos;
    std::vector<qint64> profesores;
};

struct Cuenta {
    QString iban, bic;
};

// What siblings share: surnames, parents, home, phone and the account that pays.
struct Familia {
    qint64 alumno = 0;
    QString apellido1, apellido2, padre, dniPadre, telfPadre, madre, dniMadre, telfMadre;
    QString domicilio, cp, telefono;
    qint64 formaCobro = 0;
    QString titular, nifTitular;
    Cuenta cuenta;
};

class Generador {
  public:
    Generador(TDataBaseZMK& db, const DemoOptions& opciones)
        : db_(db), opciones_(opciones), rng_(opciones.seed) {}
    DemoSummary Generar();

  private:
    int Num(int n) { return int(rng_.bounded(n)); }
    bool Prob(int porcentaje) { return Num(100) < porcentaje; }
    const QString& Uno(const QStringList& lista) { return lista[Num(int(lista.size()))]; }
    QString Digitos(int n);
    QString NIF();
    QString Movil() { return QStringLiteral("6") + Digitos(8); }
    Cuenta CuentaBancaria();

    void Auxiliares();
    void FormasCobro();
    void Centros();
    void Profesores(Centro& centro, int grupos);
    void Cursos(Centro& centro, int grupos);
    void Grupos(Centro& centro, Curso& curso, int grupos);
    void Alumnos();
    Familia NuevaFamilia(const Centro& centro, bool menor, const QString& nombre,
                         const QString& nif);
    void Matricular(const Centro& centro, Curso& curso, qint64 alumno, int codigo);
    void Parametros();

    TDataBaseZMK& db_;
    DemoOptions opciones_;
    QRandomGenerator rng_;
    std::vector<Centro> centros_;
    qint64 domiciliacion_ = 0, efectivo_ = 0, transferencia_ = 0;
    int conceptos_ = 0, tarifas_ = 0, matriculas_ = 0, grupos_ = 0, profesores_ = 0;
    std::unique_ptr<Insercion> matricula_, concepto_, copias_;
};

QString Generador::Digitos(int n) {
    QString s;
    for (int i = 0; i < n; ++i) s += QChar(u'0' + Num(10));
    return s;
}

QString Generador::NIF() {
    int numero = 10000000 + Num(70000000);
    return QString::number(numero) + QLatin1Char(kLetrasNIF[numero % 23]);
}

Cuenta Generador::CuentaBancaria() {
    QString entidad = QString::fromLatin1(kEntidades[Num(int(std::size(kEntidades)))]);
    QString oficina = Digitos(4), numero = Digitos(10);
    QString bban = entidad + oficina + DigitosControlCCC(entidad, oficina, numero) + numero;
    return {CalcularIBAN(QStringLiteral("ES"), bban, true), BuscarBIC(entidad)};
}

void Generador::Auxiliares() {
    Insercion iva(db_, QStringLiteral("T22TiposIva"),
                  {"TPCIvaT22", "DescripcionT22", "TextoLegalT22"});
    iva({Dinero(21), QStringLiteral("General"), QVariant()});
    iva({Dinero(10), QStringLiteral("Reducido"), QVariant()});
    iva({Dinero(4), QStringLiteral("Superreducido"), QVariant()});
    // Teaching is exempt from VAT: its invoices say under which article.
    iva({Dinero(0), QStringLiteral("Exento (enseñanza)"),
         QString::fromUtf8(kTextoExencionEnsenanza)});
    Insercion tipo(db_, QStringLiteral("T12TipoIncidencias"), {"DescripcionT12"});
    for (const char* t : {"General", "Académica", "Comportamiento", "Cobros", "Bajas"})
        tipo({QString::fromUtf8(t)});
}

void Generador::FormasCobro() {
    Insercion forma(
        db_, QStringLiteral("T17FormasCobro"),
        {"CodFormaCobroT17", "DescFormaCobroT17", "UsaNorma19T17", "NombrePresentadorT17",
         "NIFPresentadorT17", "SufijoT17", "AgenciaT17", "OficinaT17", "LocalidadExpedT17",
         "IBANT17", "BICT17", "AcreedorPaisT17", "AcreedorIdentificadorT17"});
    const QString entidad = QStringLiteral("2100"), oficina = QStringLiteral("0123");
    const QString numero = QStringLiteral("0200123456");
    QString iban = CalcularIBAN(
        QStringLiteral("ES"),
        entidad + oficina + DigitosControlCCC(entidad, oficina, numero) + numero, true);
    domiciliacion_ =
        forma({QStringLiteral("DOM"), QStringLiteral("Domiciliación bancaria"), true, kEmpresa,
               kCIF, QStringLiteral("000"), entidad, oficina, QStringLiteral("Madrid"), iban,
               BuscarBIC(entidad), QStringLiteral("ES"), IdentificadorAcreedorSEPA("000", kCIF)});
    QVariantList vacios(10);
    efectivo_ =
        forma(QVariantList{QStringLiteral("EFE"), QStringLiteral("Efectivo"), false} + vacios);
    transferencia_ =
        forma(QVariantList{QStringLiteral("TRF"), QStringLiteral("Transferencia bancaria"), false} +
              vacios);
}

void Generador::Centros() {
    Insercion centro(db_, QStringLiteral("T20Centros"),
                     {"CodigoCentroT20", "NombreCentroT20", "CIFT20", "DireccionT20", "CPT20",
                      "PoblacionT20", "ProvinciaT20", "Telf1T20", "EMailT20", "ActivoT20"});
    Insercion serie(db_, QStringLiteral("T18Series"),
                    {"SerieT18", "NSiguienteFacturaT18", "ActivaT18"});
    int asignados = 0;
    for (const CentroDemo& def : kCentros) {
        Centro c{&def, 0, 0, {}, {}};
        c.alumnos = &def == &kCentros[std::size(kCentros) - 1]
                        ? opciones_.students - asignados
                        : opciones_.students * def.alumnosPorDiez / 10;
        asignados += c.alumnos;
        c.id = centro({def.codigo, QString::fromUtf8(def.nombre), kCIF,
                       QString::fromUtf8(def.direccion), CodigoPostal(def, 1),
                       QString::fromUtf8(def.poblacion), QStringLiteral("Madrid"), def.telefono,
                       def.email, true});
        serie({QStringLiteral("A") + def.codigo, 1, true});
        // Enough groups for about twenty students each, at least two per course.
        int grupos =
            std::max(2, (c.alumnos * 13 / 10 / 4 + kAlumnosPorGrupo - 1) / kAlumnosPorGrupo);
        Profesores(c, grupos * 4);
        Cursos(c, grupos);
        centros_.push_back(std::move(c));
    }
}

void Generador::Profesores(Centro& centro, int grupos) {
    Insercion profesor(
        db_, QStringLiteral("T04Profesores"),
        {"IDCentroT04", "ActivoT04", "CodigoT04", "NombreT04", "ApellidosT04", "NombreCompletoT04",
         "NIFT04", "DomicilioT04", "PoblacionT04", "CPT04", "ProvinciaT04", "Telf1T04", "EMailT04",
         "CCCNombreTitularT04", "IBANT04", "BICT04"});
    for (int i = 0; i < std::max(3, (grupos + 1) / 2); ++i) {
        QString nombre = Uno(Prob(50) ? NombresHombre() : NombresMujer());
        QString apellidos = Uno(Apellidos()) + QLatin1Char(' ') + Uno(Apellidos());
        Cuenta cuenta = CuentaBancaria();
        ++profesores_;
        centro.profesores.push_back(profesor(
            {centro.id, true, QStringLiteral("P%1").arg(profesores_, 3, 10, QLatin1Char('0')),
             nombre, apellidos, apellidos + QStringLiteral(", ") + nombre, NIF(),
             Uno(Calles()) + QStringLiteral(", ") + QString::number(1 + Num(120)),
             QString::fromUtf8(centro.def->poblacion),
             CodigoPostal(*centro.def, 1 + Num(centro.def->cpVariantes)), QStringLiteral("Madrid"),
             Movil(),
             Ascii(nombre) + QLatin1Char('.') + Ascii(apellidos.section(' ', 0, 0)) +
                 QString::number(profesores_) + QStringLiteral("@example.net"),
             nombre + QLatin1Char(' ') + apellidos, cuenta.iban, cuenta.bic}));
    }
}

void Generador::Cursos(Centro& centro, int grupos) {
    Insercion curso(db_, QStringLiteral("T03Cursos"),
                    {"ActivoT03", "CodigoT03", "DescripcionT03", "InicioCursoT03", "FinCursoT03",
                     "IDCentroT03", "TotalHorasT03", "ImporteColabT03"});
    Insercion tarifa(db_, QStringLiteral("T07TarifasPrecios"),
                     {"IDCentroT07", "CodigoTarifaT07", "DescrTarifaT07", "ImporteSinIVAT07",
                      "TPCIvaT07", "ImporteConIVAT07"});
    auto nuevaTarifa = [&](const QString& codigo, const QString& texto, int euros, int iva) {
        Importes imp = CalcularImportes(euros, iva);
        ++tarifas_;
        return tarifa({centro.id, codigo, texto, Dinero(imp.base), Dinero(iva), Dinero(imp.total)});
    };
    const QString textoMatricula = QStringLiteral("Matrícula curso ") + kCursoEscolar;
    qint64 matricula = nuevaTarifa(QStringLiteral("MATRICULA"), textoMatricula, 30, 21);
    qint64 material =
        nuevaTarifa(QStringLiteral("MATERIAL"), QStringLiteral("Material didáctico"), 25, 4);
    for (const CursoDemo& def : centro.def->cursos) {
        Curso c{&def, 0, {}, {}};
        c.id = curso({true, def.codigo, QString::fromUtf8(def.descripcion), InicioCurso(),
                      FinCurso(), centro.id, Dinero(def.horas), Dinero(def.cuota * 3)});
        QString textoCuota = QStringLiteral("Cuota mensual ") + QString::fromUtf8(def.descripcion);
        qint64 cuota =
            nuevaTarifa(QStringLiteral("CUOTA-") + def.codigo, textoCuota, def.cuota, def.iva);
        c.conceptos.push_back(
            {cuota, textoCuota, CalcularImportes(def.cuota, def.iva), def.iva, true, 1});
        c.conceptos.push_back({matricula, textoMatricula, CalcularImportes(30, 21), 21, false, 2});
        if (def.material)
            c.conceptos.push_back({material, QStringLiteral("Material didáctico"),
                                   CalcularImportes(25, 4), 4, false, 3});
        for (const Concepto& k : c.conceptos) {
            QVariantList v = {centro.id,
                              k.tarifa,
                              InicioCurso(),
                              k.texto,
                              Dinero(k.importes.base),
                              Dinero(1),
                              Dinero(0),
                              Dinero(k.importes.base),
                              Dinero(k.iva),
                              Dinero(k.importes.total),
                              k.cuota};
            // A fee is charged September to June; a one-off charge goes with September's.
            for (int mes = 1; mes <= 12; ++mes) v << (k.cuota ? (mes >= 9 || mes <= 6) : mes == 9);
            v << true << k.orden << c.id;
            (*concepto_)(v);
            ++conceptos_;
        }
        Grupos(centro, c, grupos);
        centro.cursos.push_back(std::move(c));
    }
}

void Generador::Grupos(Centro& centro, Curso& curso, int grupos) {
    QStringList columnas = {"IDCursoT05", "IDCentroT05",     "IDProfesorT05", "CodigoT05",
                            "NombreT05",  "DiasHorasTxtT05", "ActivoT05",     "DescrHorarioT05"};
    for (const char* dia : kDiasColumna)
        for (const char* parte : {"MHI", "MHF", "THI", "THF"})
            columnas << QString::fromLatin1(dia) + QLatin1String(parte) + QStringLiteral("T05");
    Insercion grupo(db_, QStringLiteral("T05Grupos"), columnas);
    static const int kDias[][2] = {{0, 2}, {1, 3}, {4, -1}};
    static const int kTardes[] = {16 * 60, 17 * 60 + 30, 19 * 60};
    for (int i = 1; i <= grupos; ++i) {
        const int* dias = kDias[Num(3)];
        bool manana = curso.def->edadMin >= 18 && Prob(50);
        int inicio = manana ? 10 * 60 : kTardes[Num(3)], fin = inicio + 90;
        QVariantList horario(24);
        QString texto = QString::fromUtf8(kDiasTexto[dias[0]]);
        for (int d : {dias[0], dias[1]}) {
            if (d < 0) continue;
            horario[d * 4 + (manana ? 0 : 2)] = inicio / 1440.0;  // time of day only
            horario[d * 4 + (manana ? 1 : 3)] = fin / 1440.0;
        }
        if (dias[1] >= 0) texto += QStringLiteral(" y ") + QString::fromUtf8(kDiasTexto[dias[1]]);
        texto += QStringLiteral(" de %1 a %2").arg(Hora(inicio), Hora(fin));
        qint64 profesor = centro.profesores[size_t(grupos_) % centro.profesores.size()];
        ++grupos_;
        curso.grupos.push_back(grupo(
            QVariantList{
                curso.id, centro.id, profesor,
                QStringLiteral("%1-%2").arg(curso.def->codigo).arg(i, 2, 10, QChar(u'0')),
                QString::fromUtf8(curso.def->descripcion) + QStringLiteral(" - Grupo %1").arg(i),
                texto, true, manana ? QStringLiteral("Mañana") : QStringLiteral("Tarde")} +
            horario));
    }
}

Familia Generador::NuevaFamilia(const Centro& centro, bool menor, const QString& nombre,
                                const QString& nif) {
    Familia f;
    f.apellido1 = Uno(Apellidos());
    f.apellido2 = Uno(Apellidos());
    if (menor) {
        f.padre = Uno(NombresHombre()) + ' ' + f.apellido1 + ' ' + Uno(Apellidos());
        f.madre = Uno(NombresMujer()) + ' ' + f.apellido2 + ' ' + Uno(Apellidos());
        f.dniPadre = NIF();
        f.dniMadre = NIF();
        f.telfPadre = Movil();
        f.telfMadre = Movil();
    }
    f.domicilio = Uno(Calles()) + QStringLiteral(", ") + QString::number(1 + Num(150));
    f.cp = CodigoPostal(*centro.def, 1 + Num(centro.def->cpVariantes));
    f.telefono = QStringLiteral("91") + Digitos(7);
    int forma = Num(100);
    f.formaCobro = forma < 85 ? domiciliacion_ : forma < 95 ? efectivo_ : transferencia_;
    if (f.formaCobro == domiciliacion_) {
        f.cuenta = CuentaBancaria();
        bool padre = Prob(50);
        f.titular = !menor  ? nombre + ' ' + f.apellido1 + ' ' + f.apellido2
                    : padre ? f.padre
                            : f.madre;
        f.nifTitular = !menor ? nif : padre ? f.dniPadre : f.dniMadre;
    }
    return f;
}

void Generador::Alumnos() {
    Insercion alumno(
        db_, QStringLiteral("T01Alumnos"),
        Columnas("IDCentroT01 CodigoT01 NombreT01 ApellidosT01 NombreCompletoT01 NIFT01 "
                 "DomicilioT01 PoblacionT01 CPPoblacionT01 ProvinciaT01 Telf1T01 Telf2T01 "
                 "NombrePadreT01 DNIPadreT01 TelfPadreT01 NombreMadreT01 DNIMadreT01 TelfMadreT01 "
                 "SexoT01 EMailT01 FechaNacT01 IDFormaCobroT01 CCCNombreTitularT01 "
                 "NIFTitularCuentaT01 IBANT01 BICT01 ReferenciaMandatoT01 FechaMandatoT01 "
                 "IDAlumnoRelacionadoT01 ActivoT01"));
    std::vector<std::vector<Familia>> familias(centros_.size());
    int codigo = 0;
    for (size_t c = 0; c < centros_.size(); ++c) {
        Centro& centro = centros_[c];
        for (int n = 0; n < centro.alumnos; ++n) {
            ++codigo;
            Curso& primero = centro.cursos[size_t(Num(int(centro.cursos.size())))];
            int edad = primero.def->edadMin + Num(primero.def->edadMax - primero.def->edadMin + 1);
            bool menor = edad < 18;
            bool hombre = Prob(50);
            QString nombre = Uno(hombre ? NombresHombre() : NombresMujer());
            QString nif = NIF();
            bool hermano = menor && !familias[c].empty() && Prob(15);
            Familia f = hermano ? familias[c][size_t(Num(int(familias[c].size())))]
                                : NuevaFamilia(centro, menor, nombre, nif);
            QString apellidos = f.apellido1 + ' ' + f.apellido2;
            bool domicilia = f.formaCobro == domiciliacion_;
            auto siDomicilia = [&](const QVariant& v) { return domicilia ? v : QVariant(); };
            qint64 id =
                alumno({centro.id,
                        codigo,
                        nombre,
                        apellidos,
                        apellidos + QStringLiteral(", ") + nombre,
                        nif,
                        f.domicilio,
                        QString::fromUtf8(centro.def->poblacion),
                        f.cp,
                        QStringLiteral("Madrid"),
                        f.telefono,
                        menor ? f.telfMadre : Movil(),
                        f.padre,
                        f.dniPadre,
                        f.telfPadre,
                        f.madre,
                        f.dniMadre,
                        f.telfMadre,
                        hombre ? QStringLiteral("H") : QStringLiteral("M"),
                        Ascii(nombre) + '.' + Ascii(f.apellido1) + QString::number(codigo) +
                            QStringLiteral("@example.com"),
                        QDate(2026 - edad - 1, 9, 1).addDays(Num(365)),
                        f.formaCobro,
                        siDomicilia(f.titular),
                        siDomicilia(f.nifTitular),
                        siDomicilia(f.cuenta.iban),
                        siDomicilia(f.cuenta.bic),
                        siDomicilia(QStringLiteral("A%1").arg(codigo, 15, 10, QLatin1Char('0'))),
                        siDomicilia(InicioCurso().addDays(-Num(730))),
                        hermano ? QVariant(f.alumno) : QVariant(),
                        true});
            if (menor && !hermano) {
                f.alumno = id;
                familias[c].push_back(f);
            }
            Matricular(centro, primero, id, codigo);
            if (Prob(30)) {
                // A second course that suits the student's age, if the centre has one.
                std::vector<Curso*> otros;
                for (Curso& k : centro.cursos)
                    if (&k != &primero && edad >= k.def->edadMin && edad <= k.def->edadMax)
                        otros.push_back(&k);
                if (!otros.empty())
                    Matricular(centro, *otros[size_t(Num(int(otros.size())))], id, codigo);
            }
        }
    }
}

// The enrolment and its inherited copies of the course's concepts.
void Generador::Matricular(const Centro& centro, Curso& curso, qint64 alumno, int codigo) {
    qint64 grupo = curso.grupos[size_t(Num(int(curso.grupos.size())))];
    qint64 id = (*matricula_)({grupo, centro.id, alumno, QString::number(codigo), false, true,
                               InicioCurso(), kCursoEscolar});
    ++matriculas_;
    (*copias_)({id, curso.id});
    conceptos_ += int(curso.conceptos.size());
}

void Generador::Parametros() {
    Insercion parametro(
        db_, QStringLiteral("T99ParametrosAplicacion"),
        {"IDParamAplicT99", "NombreParametroT99", "NombreCampoValorT99", "ValorIntegerT99"});
    parametro({1, QStringLiteral("NuevoCodigoAlumno"), QStringLiteral("ValorIntegerT99"),
               opciones_.students + 1});
    parametro({2, QStringLiteral("PRMIDCentroActual"), QStringLiteral("ValorIntegerT99"),
               centros_.front().id});
    // Invoices print with the shipped invoice report (101), so a new user can print one at once.
    parametro({3, QStringLiteral("DefaultFormatoFactura"), QStringLiteral("ValorIntegerT99"), 101});
}

DemoSummary Generador::Generar() {
    matricula_ = std::make_unique<Insercion>(
        db_, QStringLiteral("T02Matriculas"),
        QStringList{"IDGrupoT02", "IDCentroT02", "IDAlumnoT02", "NMatriculaT02",
                    "DatosCobroEnMatriculaT02", "ActivaT02", "FechaAltaT02", "CursoEscolarT02"});
    QString copiadas = ColumnasCopiadas().join(QStringLiteral(", "));
    concepto_ = std::make_unique<Insercion>(db_, QStringLiteral("T14ConceptosMatricula"),
                                            ColumnasCopiadas() << QStringLiteral("IDCursoT14"));
    // One statement copies all of a course's concepts into a new enrolment.
    copias_ = std::make_unique<Insercion>(
        db_, QStringLiteral("INSERT INTO T14ConceptosMatricula (%1, IDMatriculaT14, "
                            "IDConcMatrPadreT14) SELECT %1, ?, IDConceptoMatriculaT14 FROM "
                            "T14ConceptosMatricula WHERE IDCursoT14=? ORDER BY NOrdenT14")
                 .arg(copiadas));
    Auxiliares();
    FormasCobro();
    Centros();
    Alumnos();
    Parametros();
    DemoSummary s;
    s.centros = int(centros_.size());
    for (const Centro& c : centros_) s.cursos += int(c.cursos.size());
    s.grupos = grupos_;
    s.profesores = profesores_;
    s.alumnos = opciones_.students;
    s.matriculas = matriculas_;
    s.tarifas = tarifas_;
    s.conceptos = conceptos_;
    return s;
}

}  // namespace

DemoSummary CrearEmpresaDemo(const QString& path, const DemoOptions& options) {
    if (options.students < 1)
        throw EZMKError(QStringLiteral("El número de alumnos debe ser mayor que cero"));
    std::unique_ptr<TDataBaseZMK> db = schema::CreateCompanyDatabase(path);
    try {
        TTransactionGuard transaction(*db);
        DemoSummary summary = Generador(*db, options).Generar();
        transaction.Commit();
        return summary;
    } catch (...) {
        // A half-filled demo is worse than none.
        db.reset();
        for (const char* suffix : {"", "-wal", "-shm"}) QFile::remove(path + suffix);
        throw;
    }
}

QString ResumenEmpresa(TDataBaseZMK& db) {
    QStringList lineas;
    lineas << QStringLiteral("Empresa: ") + db.FileName() << QStringLiteral("Centros:");
    QSqlQuery centros = db.Query(
        QStringLiteral("SELECT CodigoCentroT20, NombreCentroT20, "
                       "(SELECT COUNT(*) FROM T01Alumnos WHERE IDCentroT01=IDCentroT20), "
                       "(SELECT COUNT(*) FROM T02Matriculas WHERE IDCentroT02=IDCentroT20) "
                       "FROM T20Centros ORDER BY CodigoCentroT20, IDCentroT20"));
    while (centros.next())
        lineas << QStringLiteral("  %1 %2: %3 alumnos, %4 matrículas")
                      .arg(centros.value(0).toString(), centros.value(1).toString(),
                           centros.value(2).toString(), centros.value(3).toString());
    for (const schema::Table& t : schema::Tables()) {
        if (t.caption.isEmpty() || !db.TableExists(t.name)) continue;
        QSqlQuery q = db.Query(QStringLiteral("SELECT COUNT(*) FROM ") + t.name);
        q.next();
        lineas << t.caption + QStringLiteral(": ") + q.value(0).toString();
    }
    return lineas.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace zmk
