// Who an SMS can go to: the mobile-number check, the recipients of a grid and typed numbers.
#include <gtest/gtest.h>

#include "host/errors.h"
#include "messaging/agendasms.h"
#include "messaging/mensajesms.h"
#include "tests/messaging/datos_sms.h"

namespace zmk {
namespace {

TEST(MovilSMS, SpanishMobilesWithOrWithoutCountryCodeAreValid) {
    for (const char* numero :
         {"600111222", "700111222", "34600111222", "34711222333", "0034600111222",
          "0034 711 222 333", "600-11-12-22", " 6 0 0 1 1 1 2 2 2 "})
        EXPECT_TRUE(EsMovilValido(QString::fromUtf8(numero))) << numero;
}

TEST(MovilSMS, LandlinesShortNumbersAndPlusAreInvalid) {
    for (const char* numero :
         {"500111222", "911222333", "60011122", "+34600111222", "+600111222", "3460011122",
          "00356001112223", "346001112223", "6001112223", "", "abc"})
        EXPECT_FALSE(EsMovilValido(QString::fromUtf8(numero))) << numero;
}

TEST(AgendaSMS, GridRecipientsAreOrderedByNameWithTheirFieldsAndValidity) {
    test::AlumnosSMS a;
    TAgendaSMS agenda;
    EXPECT_EQ(agenda.CargarDeGrid(*a.grid, test::AlumnosSMS::Origen(), msgTodos), 3);
    ASSERT_EQ(agenda.Datos().size(), 3);
    EXPECT_EQ(agenda.Texto(0), QStringLiteral("Ana Gil (600 111 222)"));
    EXPECT_EQ(agenda.Texto(1), QStringLiteral("ERROR ->Blas Roca (555123456)"));
    EXPECT_EQ(agenda.Texto(2), QStringLiteral("ERROR ->Carla Pons (+34 611-222-333)"));
    EXPECT_TRUE(agenda.Datos()[0].selected);
    EXPECT_FALSE(agenda.Datos()[1].selected);
    // The extra fields are the grid's columns; a Null e-mail leaves no column.
    EXPECT_EQ(agenda.Columnas(), QStringList{QStringLiteral("CodigoT01")});
    EXPECT_EQ(agenda.Celda(0, 0), QStringLiteral("7"));
    EXPECT_EQ(agenda.Celda(0, 2), QStringLiteral("9"));
    EXPECT_EQ(a.grid->DataSet().RecNo(), 1);
}

TEST(AgendaSMS, ScopeOfTheGridDecidesTheRecords) {
    test::AlumnosSMS a;
    TAgendaSMS agenda;
    a.grid->DataSet().SetRecNo(3);
    EXPECT_EQ(agenda.CargarDeGrid(*a.grid, test::AlumnosSMS::Origen(), msgActual), 1);
    EXPECT_EQ(agenda.Datos().first().name, QStringLiteral("Carla Pons"));
    a.grid->SetSelectedKeys({2, 1});
    EXPECT_EQ(agenda.CargarDeGrid(*a.grid, test::AlumnosSMS::Origen(), msgSeleccionados), 2);
    EXPECT_EQ(agenda.Datos().first().name, QStringLiteral("Ana Gil"));
    EXPECT_EQ(a.grid->DataSet().RecNo(), 3);
}

TEST(AgendaSMS, ParentsPhonesAreFurtherRecipientsAndEmptyOnesAreLeftOut) {
    test::AlumnosSMS a;
    const QVector<TTelefonoAgenda> telefonos = TelefonosDeTabla(test::AlumnosSMS::Origen());
    ASSERT_EQ(telefonos.size(), 3);
    TAgendaSMS agenda;
    agenda.CargarDeGrid(*a.grid, test::AlumnosSMS::Origen(), msgTodos, telefonos);
    QStringList textos;
    for (int i = 0; i < agenda.Datos().size(); ++i) textos << agenda.Texto(i);
    EXPECT_EQ(textos,
              (QStringList{"Ana Gil (600 111 222)", "ERROR ->Blas Roca (555123456)",
                           "ERROR ->Carla Pons (+34 611-222-333)", "Carla Pons - padre (699000111)",
                           "Carla Pons - madre (722333444)"}));
    // Each recipient keeps its student's fields for personalisation.
    EXPECT_EQ(agenda.Celda(0, 4), QStringLiteral("9"));
    EXPECT_EQ(agenda.Destinatarios().size(), 3);
}

TEST(AgendaSMS, CheckingAnInvalidNumberAsksAndKeepsItUncheckedUnlessYes) {
    test::AlumnosSMS a;
    TAgendaSMS agenda;
    agenda.CargarDeGrid(*a.grid, test::AlumnosSMS::Origen(), msgTodos);
    a.t.prompt().Push(QStringLiteral("no"));
    a.t.prompt().Push(QStringLiteral("yes"));
    EXPECT_FALSE(agenda.Marcar(1, true));
    EXPECT_TRUE(agenda.Marcar(1, true));
    EXPECT_TRUE(a.t.prompt().Log().first().contains(QStringLiteral("no parece válido")));
    EXPECT_FALSE(agenda.Marcar(0, false));
    EXPECT_EQ(agenda.Destinatarios().size(), 1);
    EXPECT_EQ(agenda.Destinatarios().first().phone, QStringLiteral("555123456"));
}

TEST(AgendaSMS, TypedNumbersAreCheckedAndNotRepeated) {
    TAgendaSMS agenda;
    agenda.AnadirNumero(QStringLiteral("600 111 222"));
    try {
        agenda.AnadirNumero(QStringLiteral("911222333"));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("\"911222333\" no es un número de móvil válido"));
    }
    try {
        agenda.AnadirNumero(QStringLiteral("600 111 222"));
        FAIL();
    } catch (const EZMKError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("\"600 111 222\" ya está en la lista"));
    }
    agenda.AnadirNumero(QStringLiteral("0034 711222333"));
    ASSERT_EQ(agenda.Datos().size(), 2);
    EXPECT_EQ(agenda.Datos()[1].name, QStringLiteral("0034 711222333"));
    EXPECT_EQ(agenda.Datos()[1].id, 0);
    agenda.QuitarNumero(0);
    EXPECT_EQ(agenda.Destinatarios().first().phone, QStringLiteral("0034 711222333"));
}

TEST(MensajeSMS, PersonalisationUsesTheRecipientsCellsAndChecksBraces) {
    test::AlumnosSMS a;
    TAgendaSMS agenda;
    agenda.CargarDeGrid(*a.grid, test::AlumnosSMS::Origen(), msgTodos);
    EXPECT_EQ(PersonalizaMensaje(QStringLiteral("Código {CodigoT01}: {Nada} fin"), agenda, 2),
              QStringLiteral("Código 9: {Nada} fin"));
    for (const char* malo : {"Hola {CodigoT01", "Hola } {CodigoT01}", "{a{b}}", "}"}) {
        try {
            PersonalizaMensaje(QString::fromUtf8(malo), agenda, 0);
            ADD_FAILURE() << malo;
        } catch (const EZMKError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Error en el mensaje, compruebe que los "
                                                  "símbolos { y } se corresponden"));
        }
    }
    agenda.Marcar(0, false);
    agenda.Marcar(2, true);
    const TVariablesSMS v = VariablesDeAgenda(agenda);
    EXPECT_EQ(v.nombres, QStringList{QStringLiteral("{CodigoT01}")});
    EXPECT_EQ(v.valores.first(), QStringList{QStringLiteral("9")});
}

TEST(MensajeSMS, LengthCountsSemicolonTwiceAndIgnoresCarriageReturns) {
    EXPECT_EQ(LongitudSMS(QString(160, u'a')).Disponibles(), 0);
    EXPECT_EQ(LongitudSMS(QString(161, u'a')).Disponibles(), -1);
    EXPECT_EQ(LongitudSMS(QString(159, u'a') + u';').Disponibles(), -1);
    EXPECT_EQ(LongitudSMS(QStringLiteral("a\r\nb;")).longitud, 5);
    EXPECT_FALSE(LongitudSMS(QStringLiteral("Año: €5 [ok] ¿si? é")).unicode);
    EXPECT_EQ(LongitudSMS(QStringLiteral("€[]")).longitud, 6);
}

TEST(MensajeSMS, CharactersOutsideGsmMakeAUnicodeMessageOfSeventy) {
    for (const char* texto : {"Curso de francés: ç", "Plaza ocupada 😀", "Matrícula", "Ángel"}) {
        const TLongitudSMS l = LongitudSMS(QString::fromUtf8(texto));
        EXPECT_TRUE(l.unicode) << texto;
        EXPECT_EQ(l.Maximo(), 70);
    }
    EXPECT_EQ(LongitudSMS(QString(69, u'a') + QChar(0xE7)).Disponibles(), 0);
    EXPECT_EQ(LongitudSMS(QString(70, u'a') + QChar(0xE7)).Disponibles(), -1);
    // The extension characters count once in Unicode; ";" is still escaped.
    EXPECT_EQ(LongitudSMS(QStringLiteral("ç€;")).longitud, 4);
    EXPECT_TRUE(TextoMensajeLargo(true).contains(QStringLiteral("70 caracteres")));
    EXPECT_EQ(TextoMensajeLargo(false), QStringLiteral("Mensaje demasiado largo. El mensaje puede "
                                                       "tener como máximo 160 caracteres."));
}

}  // namespace
}  // namespace zmk
