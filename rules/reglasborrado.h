#pragma once
// What a screen's delete of a centre, student, enrolment, course, group, teacher, tariff,
// incidence or settlement asks and removes before the row goes.
#include <functional>

namespace zmk {

// Runs a deletion cascade that also deletes the row itself, in one transaction of the default
// database (or inside the one already open, which its owner commits): a failure anywhere
// changes nothing. The screen's data set then deletes a row that is already gone.
void BorrarEnUnaTransaccion(const std::function<void()>& cascadaConFila);

// Adds the BEFOREDELETE rules of those tables.
void RegisterReglasBorrado();

}  // namespace zmk
