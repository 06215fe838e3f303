#pragma once
#include <functional>

namespace zmk {

struct TAppDefinition;

// Puts the classroom forms on screen in place of the prompt-service questions: the concept
// definition editor, the absences dialog, the bulletin formats as a selection list (from the
// application's screens) and the grade-assignment tree as a control class. The windowed
// program calls it once at start, after the procedure library is registered.
void InstallClassroomForms(std::function<const TAppDefinition&()> definicion);

}  // namespace zmk
