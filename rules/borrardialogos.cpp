#include "rules/borrardialogos.h"

#include "host/errors.h"
#include "host/prompt.h"

namespace zmk {

namespace {
TDialogoBorrar& Dialogo() {
    static TDialogoBorrar dialogo;
    return dialogo;
}
}  // namespace

TDialogoBorrar SetDialogoBorrar(TDialogoBorrar dialogo) {
    TDialogoBorrar anterior = std::move(Dialogo());
    Dialogo() = std::move(dialogo);
    return anterior;
}

TFRMBorrarOpciones::TFRMBorrarOpciones(TTextosBorrado textos, std::function<void(bool)> cascada)
    : textos_(std::move(textos)), cascada_(std::move(cascada)) {}

void TFRMBorrarOpciones::bbBorrarClick() {
    if (item_index_ < 0 || item_index_ >= textos_.opciones.size())
        throw EZMKError(QStringLiteral("Debe seleccionar una opción de borrado"));
    cascada_(item_index_ == 0);
    modal_result_ = TModalResult::Ok;
}

void TFRMBorrarOpciones::bbCancelarClick() {
    modal_result_ = TModalResult::Cancel;
}

TModalResult TFRMBorrarOpciones::ShowModal() {
    modal_result_ = TModalResult::None;
    if (Dialogo()) return Dialogo()(*this);
    QString texto = textos_.titulo + QStringLiteral("\n\n") +
                    textos_.lineas.join(QLatin1Char('\n')) + QStringLiteral("\n\n") +
                    textos_.rotuloOpciones;
    for (int i = 0; i < textos_.opciones.size(); ++i)
        texto += QStringLiteral("\n%1 - ").arg(i + 1) + textos_.opciones[i];
    // Nothing is selected at first, so the answer starts empty.
    std::optional<QString> respuesta = Prompt().InputBox(textos_.caption, texto, QString());
    if (!respuesta) {
        bbCancelarClick();
        return modal_result_;
    }
    bool ok = false;
    const int numero = respuesta->trimmed().toInt(&ok);
    SetItemIndex(ok ? numero - 1 : -1);
    bbBorrarClick();
    return modal_result_;
}

TFRMBorrarCurso::TFRMBorrarCurso(std::function<void(bool)> cascada)
    : TFRMBorrarOpciones({QStringLiteral("Borrar Curso"),
                          QStringLiteral("Importante"),
                          {QStringLiteral("Si borra el curso PERDERÁ TODA LA INFORMACIÓN"),
                           QStringLiteral("Es mejor opción tener el curso como NO ACTIVO")},
                          QStringLiteral(" Opciones de Borrado: "),
                          {QStringLiteral("Borrar también los grupos del curso"),
                           QStringLiteral("No Borrar los grupos y mantener las matrículas")}},
                         std::move(cascada)) {}

TFRMBorrarClase::TFRMBorrarClase(std::function<void(bool)> cascada)
    : TFRMBorrarOpciones(
          {QStringLiteral("Borrar Grupo"),
           QStringLiteral("Importante"),
           {QStringLiteral("Si borra el grupo PERDERÁ TODA LA INFORMACIÓN del mismo"),
            QStringLiteral("Es mejor opción tener el grupo como NO ACTIVO")},
           QStringLiteral(" Opciones de Borrado: "),
           {QStringLiteral("Borrar también las matrículas de este grupo"),
            QStringLiteral("No Borrar las matrículas, pero colocarlas como NO ACTIVAS")}},
          std::move(cascada)) {}

}  // namespace zmk
