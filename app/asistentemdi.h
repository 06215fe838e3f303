#pragma once
// TccFRMAsistenteMDI: the question of how the user wants to work, one window or several.
#include <QWidget>
#include <optional>

namespace zmk {

struct TEleccionVentanas {
    bool mdi = false;
    bool recordar = false;
};

// Shows the question; nothing when the user closed it without choosing.
std::optional<TEleccionVentanas> PreguntaModoVentanas(QWidget* parent, bool mdiActual);

}  // namespace zmk
