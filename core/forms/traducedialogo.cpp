#include "core/forms/traducedialogo.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "core/translate.h"

namespace zmk {

void TraduceDialogo(QWidget* dialogo, const QString& seccion) {
    auto texto = [&](const QObject* o, const QString& actual) {
        return Translate().ValueDef(seccion + u'.' + o->objectName(), actual);
    };
    dialogo->setWindowTitle(
        Translate().ValueDef(seccion + QStringLiteral(".Caption"), dialogo->windowTitle()));
    for (QLabel* l : dialogo->findChildren<QLabel*>())
        if (!l->objectName().isEmpty()) l->setText(texto(l, l->text()));
    for (QAbstractButton* b : dialogo->findChildren<QAbstractButton*>())
        if (!b->objectName().isEmpty()) b->setText(texto(b, b->text()));
    for (QGroupBox* g : dialogo->findChildren<QGroupBox*>())
        if (!g->objectName().isEmpty()) g->setTitle(texto(g, g->title()));
}

}  // namespace zmk
