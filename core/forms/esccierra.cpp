#include "core/forms/esccierra.h"

#include <QShortcut>

namespace zmk {

void CierraConEsc(QDialog& dialog) {
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), &dialog);
    esc->setObjectName(QStringLiteral("EscCierra"));
    QObject::connect(esc, &QShortcut::activated, &dialog, &QDialog::reject);
}

}  // namespace zmk
