#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "core/translate.h"
#include "host/forms/translatewidget.h"

using namespace zmk;

namespace {

QLabel* Label(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

TEST(TranslateWidget, NamedTextsAndTheDialogsCaptionFollowTheLanguageAndComeBackToSpanish) {
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Configurar moneda"));
    QLabel* symbol = Label(&dialog, QStringLiteral("lblSimbolo"), QStringLiteral("Símbolo"));
    QLabel* unnamed = Label(&dialog, QString(), QStringLiteral("Sin nombre"));
    QLabel* data = Label(&dialog, QStringLiteral("lblDato"), QStringLiteral("(01) - Centro"));
    data->setProperty("zmkNoTranslate", true);  // a value, not a caption
    auto* ok = new QPushButton(QStringLiteral("Aceptar"), &dialog);
    ok->setObjectName(QStringLiteral("bbAceptar"));
    auto* group = new QGroupBox(QStringLiteral("Opciones"), &dialog);
    group->setObjectName(QStringLiteral("gbOpciones"));
    auto* menu = new QMenu(QStringLiteral("Idioma"), &dialog);
    menu->setObjectName(QStringLiteral("mnuIdioma"));
    auto* action = new QAction(QStringLiteral("Cerrar"), &dialog);
    action->setObjectName(QStringLiteral("ActCerrar"));

    const QString s = QStringLiteral("CC_Prueba");
    for (const char* key :
         {"Caption", "lblSimbolo", "lblDato", "bbAceptar", "gbOpciones", "mnuIdioma", "ActCerrar"})
        Translate().SetValue(s + u'.' + QLatin1String(key),
                             QStringLiteral("EN ") + QLatin1String(key));
    Translate().SetValue(s + QStringLiteral("."), QStringLiteral("EN unnamed"));

    // The main window keeps the caption it builds itself.
    TranslateWidget(&dialog, s);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Configurar moneda"));
    TranslateWidget(&dialog, s, TCaptionTranslation::Translate);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("EN Caption"));
    EXPECT_EQ(symbol->text(), QStringLiteral("EN lblSimbolo"));
    EXPECT_EQ(unnamed->text(), QStringLiteral("Sin nombre"));
    EXPECT_EQ(data->text(), QStringLiteral("(01) - Centro"));
    EXPECT_EQ(ok->text(), QStringLiteral("EN bbAceptar"));
    EXPECT_EQ(group->title(), QStringLiteral("EN gbOpciones"));
    EXPECT_EQ(menu->title(), QStringLiteral("EN mnuIdioma"));
    EXPECT_EQ(action->text(), QStringLiteral("EN ActCerrar"));

    // Back to the built-in language: the Spanish texts return, not the last translation.
    Translate().Init(QString());
    TranslateWidget(&dialog, s, TCaptionTranslation::Translate);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Configurar moneda"));
    EXPECT_EQ(symbol->text(), QStringLiteral("Símbolo"));
    EXPECT_EQ(ok->text(), QStringLiteral("Aceptar"));
    EXPECT_EQ(group->title(), QStringLiteral("Opciones"));
    EXPECT_EQ(action->text(), QStringLiteral("Cerrar"));
}
