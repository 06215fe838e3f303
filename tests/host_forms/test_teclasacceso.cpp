#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include "host/forms/teclasacceso.h"

namespace zmk {
namespace {

TEST(TeclasDeAcceso, EachSiblingGetsAFreeLetterAndKeepsTheOnesItHad) {
    // "&Aplicación" and "A&yuda" claim a and y first; the rest take their first free letter.
    EXPECT_EQ(ConTeclasDeAcceso({"&Aplicación", "Tablas", "Facturación", "Histórico", "Consultas",
                                 "A&yuda", "Alumnos"}),
              QStringList({"&Aplicación", "&Tablas", "&Facturación", "&Histórico", "&Consultas",
                           "A&yuda", "A&lumnos"}));
    // "&&" is a literal ampersand, not an access key; empty captions (separators) stay empty.
    EXPECT_EQ(ConTeclasDeAcceso({"I&&D", "", "Id"}), QStringList({"&I&&D", "", "I&d"}));
    // Letters the window's menus use are left to them.
    EXPECT_EQ(ConTeclasDeAcceso({"Facturar alumnos...", "Acciones"}, QStringLiteral("aFtc")),
              QStringList({"Fact&urar alumnos...", "Acc&iones"}));
    // With every letter taken the caption stays as it was.
    EXPECT_EQ(ConTeclasDeAcceso({"&a", "a"}), QStringList({"&a", "a"}));
}

TEST(TeclasDeAcceso, TheBarMarksItsTitlesAndAMenuEveryLevelBelowIt) {
    QMenuBar bar;
    QMenu* tablas = bar.addMenu(QStringLiteral("Tablas"));
    QMenu* ayuda = bar.addMenu(QStringLiteral("Ayuda"));
    ayuda->addAction(QStringLiteral("Manual"));
    tablas->addAction(QStringLiteral("Centros"));
    tablas->addSeparator();
    tablas->addAction(QStringLiteral("Cursos"));
    QMenu* sub = tablas->addMenu(QStringLiteral("Consultas"));
    sub->addAction(QStringLiteral("Pendientes"));
    AsignaTeclasDeAcceso(bar);
    EXPECT_EQ(tablas->title(), QStringLiteral("&Tablas"));
    EXPECT_EQ(ayuda->title(), QStringLiteral("&Ayuda"));
    EXPECT_EQ(ayuda->actions()[0]->text(), QStringLiteral("Manual"));
    EXPECT_EQ(tablas->actions()[0]->text(), QStringLiteral("Centros"));
    AsignaTeclasDeAcceso(*tablas);
    const auto acciones = tablas->actions();
    EXPECT_EQ(acciones[0]->text(), QStringLiteral("&Centros"));
    EXPECT_EQ(acciones[2]->text(), QStringLiteral("C&ursos"));
    EXPECT_EQ(acciones[3]->text(), QStringLiteral("C&onsultas"));
    EXPECT_EQ(sub->actions()[0]->text(), QStringLiteral("&Pendientes"));
}

}  // namespace
}  // namespace zmk
