#include "app/asistentemdi.h"

#include <QCommandLinkButton>
#include <QGroupBox>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/translate.h"
#include "host/prompt.h"

namespace zmk {

namespace {
const QString kMDI = QStringLiteral("INIT/MDI");
const QString kRememberMDI = QStringLiteral("INIT/RememberMDIOption");
constexpr int kAnchoMinimoMDI = 1024;
}  // namespace

TccFRMAsistenteMDI::TccFRMAsistenteMDI(QWidget* parent, QSettings& ini)
    : QDialog(parent), ini_(ini) {
    setObjectName(QStringLiteral("TccFRMAsistenteMDI"));

    // Texts in the program's language where its language file has them.
    const QString seccion = QStringLiteral("CC_TccFRMAsistenteMDI.");
    const auto texto = [&seccion](const char* clave, const QString& espanol) {
        return Translate().ValueDef(seccion + QLatin1String(clave), espanol);
    };
    setWindowTitle(texto("Caption", QStringLiteral("¿Cómo deseas trabajar?")));
    // The program's name follows the translated greeting.
    auto* bienvenida =
        new QLabel(texto("lblBienvenido", QStringLiteral("Bienvenido a la aplicación:")) + u' ' +
                       ApplicationTitle(),
                   this);
    bienvenida->setObjectName(QStringLiteral("lblBienvenido"));
    QFont grande = bienvenida->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    grande.setBold(true);
    bienvenida->setFont(grande);

    auto* grupo =
        new QGroupBox(texto("grpModo", QStringLiteral(" Selecciona el modo de trabajo: ")), this);
    grupo->setObjectName(QStringLiteral("grpModo"));
    auto* unica = new QCommandLinkButton(
        texto("btnVentanaUnica", QStringLiteral("1 - Ventana única")),
        texto("btnVentanaUnica.Description",
              QStringLiteral("Mayor facilidad en el uso del programa, con un único espacio de "
                             "trabajo y ventanas emergentes")),
        grupo);
    unica->setObjectName(QStringLiteral("btnVentanaUnica"));
    auto* multiples = new QCommandLinkButton(
        texto("btnMultiplesVentanas", QStringLiteral("2 - Múltiples ventanas (MDI)")),
        texto("btnMultiplesVentanas.Description",
              QStringLiteral("Usuarios experimentados. Permite tener varias ventanas abiertas a "
                             "la vez. (Resolución mínima 1024*768)")),
        grupo);
    multiples->setObjectName(QStringLiteral("btnMultiplesVentanas"));
    auto* modos = new QVBoxLayout(grupo);
    modos->addWidget(unica);
    modos->addWidget(multiples);

    auto* recuerda = new QCheckBox(
        texto("chkRecuerda", QStringLiteral("&Recuerda mi selección y no me lo preguntes más")),
        this);
    recuerda->setObjectName(QStringLiteral("chkRecuerda"));
    recuerda->setChecked(ini_.value(kRememberMDI, false).toBool());
    connect(recuerda, &QCheckBox::toggled, this,
            [this](bool marcado) { ini_.setValue(kRememberMDI, marcado); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bienvenida);
    layout->addWidget(grupo);
    layout->addWidget(recuerda);
    setMinimumWidth(520);

    connect(unica, &QPushButton::clicked, this, [this] { Elige(false); });
    connect(multiples, &QPushButton::clicked, this, [this] { Elige(true); });
    for (auto [tecla, mdi] : {std::pair{Qt::Key_1, false}, std::pair{Qt::Key_F1, false},
                              std::pair{Qt::Key_2, true}, std::pair{Qt::Key_F2, true}})
        connect(new QShortcut(QKeySequence(tecla), this), &QShortcut::activated, this,
                [this, mdi] { Elige(mdi); });
}

void TccFRMAsistenteMDI::Elige(bool mdi) {
    ini_.setValue(kMDI, mdi);
    done(mdi ? QDialog::Accepted : QDialog::Rejected);
}

bool PreguntaModoVentana(QWidget* parent, QSettings& ini) {
    TccFRMAsistenteMDI dialogo(parent, ini);
    dialogo.exec();
    return ini.value(kMDI, false).toBool();
}

bool DebePreguntarModoVentana(bool allowMDI, int screenWidth, QSettings& ini) {
    return allowMDI && screenWidth >= kAnchoMinimoMDI && !ini.value(kRememberMDI, false).toBool();
}

}  // namespace zmk
