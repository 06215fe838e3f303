#include "classroom/forms/install.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "classroom/boletines.h"
#include "classroom/dsnotas.h"
#include "classroom/faltas.h"
#include "classroom/forms/arbolasignacionnotas.h"
#include "classroom/forms/datasource_notas.h"
#include "classroom/forms/faltasasistencia.h"
#include "classroom/forms/hojaasistencia.h"
#include "classroom/forms/hojanotas.h"
#include "host/forms/appdefinition.h"
#include "host/forms/screen.h"

namespace zmk {

namespace {

constexpr int kNodoFormatosBoletin = 11632;

// The bulletin formats screen opened as a selection list: the key of the row accepted.
std::optional<int> SeleccionarFormato(const TAppDefinition& app) {
    auto it = app.nodeScreens.find(kNodoFormatosBoletin);
    if (it == app.nodeScreens.end() || !app.screens.contains(it.value())) return std::nullopt;
    const TScreenDef& def = app.screens[it.value()];
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(def.caption);
    auto* layout = new QVBoxLayout(&dialog);
    auto* screen = new TZMKScreen(def, kNodoFormatosBoletin, &dialog);
    screen->setObjectName(QStringLiteral("DadesQry"));
    screen->setAttribute(Qt::WA_DeleteOnClose, false);
    layout->addWidget(screen);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        if (screen->CanClose()) dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(screen->Grid(), &QTableView::doubleClicked, &dialog, [&] {
        if (screen->CanClose()) dialog.accept();
    });
    layout->addWidget(buttons);
    screen->OpenQuery();
    dialog.resize(820, 520);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    TDataSet* data = screen->DataSet();
    if (!data || data->RecNo() == 0) return std::nullopt;
    return data->FieldByName(QStringLiteral("IDFormatoBoletinNotasT23")).AsInteger();
}

}  // namespace

void InstallClassroomForms(std::function<const TAppDefinition&()> definicion) {
    TZMKDS_Notas::SetDialogo(MostrarDataSourceNotas);
    SetDialogoFaltas(MostrarFaltasAsistencia);
    SetSeleccionFormatoBoletin([definicion] { return SeleccionarFormato(definicion()); });
    SetDialogoHojaNotas(MostrarHojaNotas);
    SetDialogoHojaAsistencia(MostrarHojaAsistencia);
    SetVistaResumenFaltas(MostrarResumenFaltas);
    RegistraArbolAsignacionNotas();
}

}  // namespace zmk
