#include "billing/forms/ask.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace zmk {

TFRMAsk::TFRMAsk(const QString& titulo, const QString& mensaje, int permitidas, bool mostrarSiempre,
                 QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow(),
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(titulo.isEmpty() ? QStringLiteral("Pregunta...") : titulo);
    auto* layout = new QGridLayout(this);
    auto* imagen = new QLabel(this);
    imagen->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    layout->addWidget(imagen, 0, 0, Qt::AlignTop);
    lblMensaje = new QLabel(mensaje, this);
    lblMensaje->setWordWrap(true);
    // As wide as the widest line of the message.
    lblMensaje->setMinimumWidth(
        lblMensaje->fontMetrics().boundingRect(QRect(), 0, mensaje).width());
    layout->addWidget(lblMensaje, 0, 1);

    cbSiempre = new QCheckBox(QStringLiteral("&Responder siempre lo mismo"), this);
    cbSiempre->setVisible(mostrarSiempre);
    cbSiempre->setEnabled(mostrarSiempre);
    layout->addWidget(cbSiempre, 1, 1);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    bbSi = new QPushButton(QStringLiteral("Si"), this);
    bbNo = new QPushButton(QStringLiteral("No"), this);
    bbCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    const QList<std::pair<QPushButton*, TRespuestaAsk>> todos{
        {bbSi, raSi}, {bbNo, raNo}, {bbCancelar, raCancelar}};
    const int bits[] = {kPermiteSi, kPermiteNo, kPermiteCancelar};
    const Qt::Key teclas[] = {Qt::Key_S, Qt::Key_N, Qt::Key_Escape};
    const QString textos[] = {QStringLiteral("Si"), QStringLiteral("No"),
                              QStringLiteral("Cancelar")};
    QPushButton* primero = nullptr;
    for (int i = 0; i < 3; ++i) {
        QPushButton* b = todos[i].first;
        const TRespuestaAsk r = todos[i].second;
        const bool permitido = (permitidas & bits[i]) != 0;
        b->setEnabled(permitido);
        b->setAutoDefault(false);
        botones->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, r] { Responde(r); });
        if (permitido && !primero) primero = b;
        // The context menu offers the same commands; their keys work anywhere in the dialog.
        auto* accion = new QAction(textos[i], this);
        accion->setEnabled(permitido);
        if (teclas[i] != Qt::Key_Escape) accion->setShortcut(QKeySequence(teclas[i]));
        connect(accion, &QAction::triggered, this, [this, r] { Responde(r); });
        addAction(accion);
    }
    if (mostrarSiempre) {
        auto* siempre = new QAction(cbSiempre->text(), this);
        siempre->setCheckable(true);
        connect(siempre, &QAction::toggled, cbSiempre, &QCheckBox::setChecked);
        connect(cbSiempre, &QCheckBox::toggled, siempre, &QAction::setChecked);
        addAction(siempre);
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
    if (primero) {
        primero->setDefault(true);
        primero->setFocus();
    }
    layout->addLayout(botones, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFRMAsk::Responde(TRespuestaAsk respuesta) {
    respuesta_ = respuesta;
    accept();
}

void TFRMAsk::reject() {
    if (bbCancelar->isEnabled()) Responde(raCancelar);
}

TResultadoAsk TFRMAsk::Resultado() const {
    return {respuesta_, cbSiempre->isEnabled() && cbSiempre->isChecked()};
}

TResultadoAsk MostrarDialogoAsk(const QString& titulo, const QString& mensaje, int permitidas,
                                bool mostrarSiempre) {
    TFRMAsk dialogo(titulo, mensaje, permitidas, mostrarSiempre);
    dialogo.exec();
    return dialogo.Resultado();
}

}  // namespace zmk
