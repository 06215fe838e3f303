#include "billing/register.h"
#include "classroom/dsnotas.h"
#include "cli/cmd_backup.h"
#include "cli/cmd_bank.h"
#include "cli/cmd_billing.h"
#include "cli/cmd_core.h"
#include "cli/cmd_db.h"
#include "cli/cmd_empresas.h"
#include "cli/cmd_invoice.h"
#include "cli/cmd_massdelete.h"
#include "cli/cmd_report.h"
#include "cli/cmd_sms.h"
#include "cli/cmd_text.h"
#include "cli/commands.h"
#include "core/register.h"
#include "messaging/register.h"
#include "rules/register.h"

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
}

void RegisterAllProcedureBodies() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterCoreProcedures();
    RegisterRulesProcedures();
    RegisterBillingProcedures();
    RegisterClassroomProcedures();
    RegisterMessagingProcedures();
}

}  // namespace zmk::cli
