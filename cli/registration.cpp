#include "cli/cmd_backup.h"
#include "cli/cmd_bank.h"
#include "cli/cmd_billing.h"
#include "cli/cmd_core.h"
#include "cli/cmd_db.h"
#include "cli/cmd_empresas.h"
#include "cli/cmd_import.h"
#include "cli/cmd_invoice.h"
#include "cli/cmd_massdelete.h"
#include "cli/cmd_report.h"
#include "cli/cmd_sms.h"
#include "cli/cmd_text.h"
#include "cli/cmd_update.h"
#include "cli/cmd_users.h"
#include "cli/commands.h"

namespace zmk::cli {

void RegisterAllCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterSqlCommand();
    RegisterRecordCommand();
    RegisterProcCommand();
    RegisterParamCommand();
    RegisterBankCommands();
    RegisterTextCommands();
    RegisterInvoiceCommands();
    RegisterDbCommands();
    RegisterBillingCommands();
    RegisterEmpresasCommands();
    RegisterReportCommands();
    RegisterBackupCommands();
    RegisterSmsCommands();
    RegisterMassDeleteCommand();
    RegisterUsersCommands();
    RegisterUpdateCommands();
    RegisterImportCommands();
}

}  // namespace zmk::cli
