#pragma once
// The centre the user works in: stored per database, published in the parameter block.
#include <functional>

namespace zmk {

int IDCentroActual();
void FijaCentroActual(int idCentro);
void RecargaCentroActual();
// A centre named for one run (escolia-cli --centre): stored as the current one when it exists;
// one that does not exist yet is used for the run only and the stored centre is kept.
void FijaCentroDeLaSesion(int idCentro);
// The main window's refresh of its centre label; registering replaces the previous one.
void SetCentroChangeCallback(std::function<void()> callback);

}  // namespace zmk
