#pragma once
// The centre the user works in: stored per database, published in the parameter block.
#include <functional>

namespace zmk {

int IDCentroActual();
void FijaCentroActual(int idCentro);
void RecargaCentroActual();
// The main window's refresh of its centre label; registering replaces the previous one.
void SetCentroChangeCallback(std::function<void()> callback);

}  // namespace zmk
