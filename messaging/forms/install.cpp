#include "messaging/forms/install.h"

#include "messaging/forms/enviasms.h"

namespace zmk {

void InstallMessagingForms() {
    SetDialogoEnviaSMS(MostrarEnviaSMS);
}

}  // namespace zmk
