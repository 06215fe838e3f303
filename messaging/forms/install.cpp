#include "messaging/forms/install.h"

#include "messaging/forms/frmenviasms.h"

namespace zmk {

void InstallMessagingForms() {
    SetDialogoEnviaSMS(MostrarEnviaSMS);
}

}  // namespace zmk
