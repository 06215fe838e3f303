// The shared string table: texts of the common modules (configuration, database selection,
// backup, users, SMS, ...), translated under "CC." + key. Unused slots keep number 0.
//
// Entries marked "// *" carry this program's own Spanish wording: no screen fixes their text
// (several are reserved for messages not shown yet). They follow the style of the others and
// translators may reword them freely.
#include "core/strings.h"

namespace zmk {

namespace {

// clang-format off
constexpr std::array<TSharedString, kSharedStringSlots> kSharedStrings = {{
    {100, "Common.continue", "¿Continuar?"},  // *
    {101, "Common.error", "Error"},  // *
    {102, "Common.filenotfound", "No se encuentra el archivo %s"},  // *
    {103, "Common.overwritefile", "El archivo %s ya existe, sobreescribir?"},
    {104, "Common.cannotdelete", "No se pudo eliminar el archivo %s"},
    {105, "Common.retry", "¿Reintentar?"},
    {106, "Common.yes", "Si"},
    {107, "Common.no", "No"},
    {108, "Common.DefaultLanguage", "(Defecto)"},
    {1002, "TFRMMenuLevel0Ext.confirm_close_application", "¿Cerrar la Aplicación %s ?"},
    {1003, "TFRMMenuLevel0Ext.alert_changed_MDI_style", "ATENCIÓN:\n\nHa modificado el ESTILO de mostrar las ventanas en la aplicación\n\nEste cambio aparecerá cuando REINICIE la aplicación"},
    {1004, "TFRMMenuLevel0Ext.database_read_only", "SOLO LECTURA"},
    {1005, "TFRMMenuLevel0Ext.confirm_new_language", "Cambiar el programa al nuevo idioma: %s"},
    {1100, "UtilsZMK.error_corruptedfile", "El archivo %s está dañado o no tiene un formato válido"},  // *
    {1101, "UtilsZMK.error_cannot_restore_mdr", "No se ha podido restaurar el archivo de recursos:\n%s"},  // *
    {1102, "UtilsZMK.error_saving_mdr", "Error al guardar el archivo de recursos:\n%s"},  // *
    {1104, "UtilsZMK.error_idnode_default_not_valid", "El nodo por defecto (%d) no es válido"},  // *
    {1200, "UtilsDBGrid.no_records", "No hay registros"},  // *
    {1201, "UtilsDBGrid.field_not_found", "No se encuentra el campo %s"},  // *
    {1202, "UtilsDBGrid.fields_not_found", "No se encuentran los campos %s"},  // *
    {1300, "Norma19.no_nif", "No se ha indicado el NIF del presentador"},  // *
    {1301, "Norma19.invalid_date", "La fecha de cargo no es válida"},  // *
    {1302, "Norma19.no_valid_CCC", "La cuenta bancaria no es válida: %s"},  // *
    {1303, "Norma19.no_ordenante", "No se ha indicado el ordenante"},  // *
    {1304, "Norma19.invalid_162", "El registro no tiene la longitud correcta (162 caracteres)"},  // *
    {1310, "Norma19.dev_txt_0", "Importe a cero"},
    {1311, "Norma19.dev_txt_1", "Incorriente"},
    {1312, "Norma19.dev_txt_2", "No domiciliado o cuenta cancelada"},
    {1313, "Norma19.dev_txt_3", "Oficina domiciliataria inexistente"},
    {1314, "Norma19.dev_txt_4", "Aplicación R.D. 338/90, sobre el NIF"},
    {1315, "Norma19.dev_txt_5", "Por orden del cliente: error o baja en la domiciliación"},
    {1316, "Norma19.dev_txt_6", "Por orden del cliente: disconformidad con el importe"},
    {1317, "Norma19.dev_txt_7", "Adeudo duplicado, indebido, erróneo o faltan datos"},
    {1318, "Norma19.dev_txt_8", "Sin utilizar"},
    {1319, "Norma19.dev_txt_9", "(Código de motivo desconocido)"},
    {1320, "Norma19.invalid_DC_revising", "Dígito de control no válido, revise la cuenta bancaria: %s"},  // *
    {1400, "ZMKDBVersions.invalid_bbdd_name", "El archivo NO PERTENECE A ESTA APLICACIÓN\n\nArchivo: %s\nAplicación del archivo: %s\nAplicación esperada: %s"},  // *
    {1401, "ZMKDBVersions.version_low", "La base de datos pertenece a una versión POSTERIOR del programa\n\nArchivo: %s\nVersión de la base de datos: %d\nVersión del programa: %d\n\nEs necesario actualizar el programa para poder abrirla"},  // *
    {1402, "ZMKDBVersions.version_low_do_import", "La base de datos pertenece a una versión ANTERIOR del programa\n\nArchivo: %s\nVersión de la base de datos: %d\n\nEs necesario traspasar los datos a la versión actual"},  // *
    {1405, "ZMKDBVersions.Splash_cons_import", "Consultas de importación"},
    {1406, "ZMKDBVersions.ci_step1", "Conectando con la base de datos"},
    {1407, "ZMKDBVersions.ci_step2", "Extraiendo las consultas existentes"},
    {1408, "ZMKDBVersions.ci_step3", "Ordenando las consultas (%d)"},
    {1409, "ZMKDBVersions.ci_step4", "Colocando el directorio activo"},
    {1410, "ZMKDBVersions.ci_step5", "Creando un TADOStoredProc"},
    {1411, "ZMKDBVersions.ci_step6", "Asignando la conexión a ASP"},
    {1412, "ZMKDBVersions.ci_step7", "Ejecutando la consulta: \"%s\" %d / %d"},
    {1415, "ZMKDBVersions.ci_error1", "Error ejecutando las consultas de importación"},
    {1416, "ZMKDBVersions.ci_error2", "No se ha encontrado ninguna consulta de importación"},  // *
    {1420, "ZMKDBVersions.Importar_err_const", "Error en el proceso de importar datos\nArchivo Origen: \"%s\"\nArchivo Destino: \"%s\""},
    {1422, "ZMKDBVersions.Importar_err_not_valid_version", "No es posible importar datos del programa %s versión %d a la versión %d\nOPERACION ABORTADA"},
    {1426, "ZMKDBVersions.Importar_err_6", "No existe el directorio de bases de datos vacías:\n%s"},  // *
    {1427, "ZMKDBVersions.Importar_err_7", "No se puede crear el directorio temporal"},  // *
    {1428, "ZMKDBVersions.Importar_err_8", "No se puede copiar el archivo %s en el directorio temporal %s"},  // *
    {1429, "ZMKDBVersions.Importar_err_9", "No existe la base de datos vacía de la versión actual:\n%s"},  // *
    {1430, "ZMKDBVersions.Importar_err_10", "No se puede copiar el archivo %s\\%s en %s"},
    {1431, "ZMKDBVersions.Importar_err_11", "No se puede eliminar el archivo temporal:\n%s"},  // *
    {1432, "ZMKDBVersions.Importar_err_12", "No se ha encontrado el formato de origen en la cadena de importación\nOPERACION ABORTADA"},  // *
    {1433, "ZMKDBVersions.Importar_err_13", "No es posible leer la tabla de versiones de la base de datos a importar. \n¿Quiere proceder a una importación manual?"},
    {1434, "ZMKDBVersions.Importar_err_msg1", "Importación Manual"},
    {1435, "ZMKDBVersions.Importar_err_msg2", "Nombre del programa:"},
    {1436, "ZMKDBVersions.Importar_err_14", "¡ERROR! No se reconoce el formato de la base de datos: %s"},
    {1437, "ZMKDBVersions.Importar_err_15", "No se puede leer la versión de la base de datos: %s"},  // *
    {1438, "ZMKDBVersions.Importar_err_16", "La base de datos vacía no contiene la tabla de versiones de importación"},  // *
    {1439, "ZMKDBVersions.Importar_err_17", "No se conoce la base de datos vacía del programa %s"},  // *
    {1440, "ZMKDBVersions.Importar_err_18", "El archivo %s no indica cómo importar datos del programa %s versión %d"},  // *
    {1441, "ZMKDBVersions.Importar_err_19", "No existe la base de datos vacía intermedia:\n%s"},  // *
    {1442, "ZMKDBVersions.Importar_info1", "Los datos han sido importados\nSe han ejecutado %d consultas de importación."},
    {1500, "ZMKAppConfig.ConnectAccessDataBaseEx_error1", "No existe el archivo de la base de datos:\n%s"},  // *
    {1501, "ZMKAppConfig.ConnectAccessDataBaseEx_error2", "No se puede abrir la base de datos:\n%s\n\nProveedor: %s\nError: %s\n%s"},  // *
    {1503, "ZMKAppConfig.ConnectAccessDataBase_error1", "No existe el archivo de la base de datos:\n%s"},  // *
    {1504, "ZMKAppConfig.ConnectAccessDataBase_error2", "No se puede abrir la base de datos:\n%s\n\nProveedor: %s\nError: %s\n%s"},  // *
    {1505, "ZMKAppConfig.ConnectExternalDataBase_error2", "No se puede conectar con la base de datos externa:\n%s"},  // *
    {1506, "ZMKAppConfig.ConnectAccessDataBaseWithPasswords_not_allowed", "No tiene permiso para abrir la base de datos"},
    {1507, "ZMKAppConfig.DoReadZMKAppFile_error", "Error al leer el archivo de la aplicación:\n%s"},  // *
    {1550, "ZMKAppConfig.TCustomZMKPasswords.CheckValid1", "El nombre de usuario no tiene valor"},
    {1551, "ZMKAppConfig.TCustomZMKPasswords.CheckValid2", "El nombre de usuario sólo puede tener letras y números (a..z y 0..9)"},
    {1552, "ZMKAppConfig.TCustomZMKPasswords.CheckValid3", "La contraseña sólo puede tener letras y números (a..z y 0..9)\n\nImportante: Tenga en cuenta que la contraseña diferencia mayúsculas y minúsculas"},
    {1560, "ZMKAppConfig.CreateDefaultUserName", "ATENCIÓN:\n\nSe ha creado un usuario por defecto\nNombre de usuario: \"%s\"\nContraseña: \"%s\"\n\nSi desea cambiar la contraseña debe ir a\nusuarios y permisos"},
    {1570, "ZMKAppConfig.TZMKPasswordsDataBase.admin", "Administrador"},
    {1571, "ZMKAppConfig.TZMKPasswordsDataBase.read_write", "Lectura/Escritura"},
    {1572, "ZMKAppConfig.TZMKPasswordsDataBase.read_only", "Sólo lectura"},
    {1591, "ZMKAppConfig.error_on_init", "Error al iniciar la aplicación:\n\n%s"},  // *
    {1592, "ZMKAppConfig.init.splash_caption", "Leyendo aplicación"},
    {1593, "ZMKAppConfig.init.splash1", "Cargando ArchivoAplicación"},
    {1594, "ZMKAppConfig.init.splash2", "Cargando BPL"},
    {1595, "ZMKAppConfig.init.splash3", "Convirtiendo Arbol virtual"},
    {1596, "ZMKAppConfig.init.splash4", "Registrando librerías"},
    {1597, "ZMKAppConfig.init.splash5", "Leyendo recursos"},
    {1598, "ZMKAppConfig.init.splash6", "Abriendo la Base de datos"},
    {1600, "ZMKAppConfig.bbdini.splash_caption", "Base de Datos"},
    {1601, "ZMKAppConfig.bbdini.splash1", "Conectando la base de datos"},
    {1602, "ZMKAppConfig.bbdini.splash2", "Usuarios y permisos..."},
    {1603, "ZMKAppConfig.bbdini.splash3", "Conectando ..."},
    {1609, "ZMKAppConfig.bbdini.error_cannot_connect", "No se puede conectar con la base de datos:\n%s"},  // *
    {1611, "ZMKAppConfig.Check_ZMKFile_ValidNode", "ERROR:\nEl archivo ZMK no pertenece a esta aplicación\nNecesario: %s\nEncontrado: %s"},
    {1650, "TorvanZip.restore_mdr_alert", "ESTA APUNTO DE RECUPERAR UN ARCHIVO DE RECURSOS\nLOS ARCHIVOS DE RECURSOS CONTIENEN ENTRE OTROS DATOS: INFORMES, VISTAS Y FILTROS CREADOS POR EL USUARIO.\nSI RESTAURA DICHO ARCHIVO LOS DATOS ACTUALES SE SUSTITUIRAN POR LOS DE LA COPIA Y NO LOS PODRA RECUPERAR\nSI NO ESTA SEGURO DE LO QUE VA A HACER RESPONDA \"NO\""},
    {1651, "TorvanZip.restore_mdr_title", "ALERTA DE RESTAURACION DE UN ARCHIVO DE RECURSOS"},
    {1652, "TorvanZip.restore_mdr_error", "NO SE RECONOCE EL FORMATO DE DEL ARCHIVO"},
    {1653, "TorvanZip.cannot_obtain_dirinfo", "No se puede obtener información del directorio destino\n%s"},
    {1654, "TorvanZip.unit_empty", "La unidad está llena.\nSeleccione otro destino o cambie la unidad."},
    {1655, "TorvanZip.empty_unit_new", "Unidad llena, retire unidad e inserte una nueva.\nCopiar la parte: %d"},
    {1656, "TorvanZip.error_on_copy", "ERROR AL REALIZAR COPIA DE SEGURIDAD"},
    {1680, "FRMUserValues.caption", "Usuario de \"%s\""},
    {1681, "FRMUserValues.right_1", "Ver"},
    {1682, "FRMUserValues.right_2", "Añadir"},
    {1683, "FRMUserValues.right_3", "Modificar"},
    {1684, "FRMUserValues.right_4", "Borrar"},
    {1700, "FRMSplash.cancel_process", "¿Cancelar el proceso?"},
    {1701, "FRMSplash.process_canceled", "Proceso cancelado por el usuario"},
    {1720, "FRMSelDataBase.no_db_selected", "No hay ninguna Base de Datos seleccionada"},
    {1721, "FRMSelDataBase.confirm_update_db", "Esta base de datos pertenece a una versión anterior del programa\n\n¿Desea crear una copia de dicha base de datos y traspasar los datos a la versión actual?"},
    {1722, "FRMSelDataBase.raise_only_db_manager", "Solamente el administrador de la base de datos \"%s\" puede realizar esta operación"},  // *
    {1723, "FRMSelDataBase.raise_source_file_not_exists", "No existe el archivo de origen"},  // *
    {1724, "FRMSelDataBase.raise_dest_file_allready_exists", "El archivo de destino ya existe"},  // *
    {1725, "FRMSelDataBase.raise_cannot_create_dest_dir", "No se puede crear el directorio de destino"},  // *
    {1726, "FRMSelDataBase.raise_cannot_copy_source_file", "No se puede copiar el archivo\n%s\nen\n%s"},  // *
    {1727, "FRMSelDataBase.raise_cannot_duplicate_file", "No se puede duplicar el archivo de la base de datos"},  // *
    {1728, "FRMSelDataBase.error_cannot_delete_net_files", "No se pueden borrar archivos que se encuentran en otro ordenador de la red"},  // *
    {1729, "FRMSelDataBase.confirm_delete_db_file", "ATENCIÓN:\n\nSe BORRARÁ el archivo y se eliminarán TODOS LOS DATOS de la base de datos\n\n¿Desea continuar?"},  // *
    {1730, "FRMSelDataBase.raise_vinc_file_nf", "No se encuentra el archivo de la base de datos"},  // *
    {1731, "FRMSelDataBase.raise_cannot_delete_file", "No se puede borrar el archivo de la base de datos"},  // *
    {1733, "FRMSelDataBase.modify_db_action", "Modificar la base de datos"},
    {1734, "FRMSelDataBase.raise_close_open_db", "Cierre antes la base de datos: \"%s\" es la que está abierta y su archivo no se puede borrar.\n\nPulse \"Sin Base de datos seleccionada\" (o abra otra empresa) y vuelva a borrarla."},
    {1735, "FRMSelDataBase.db_file_info", "Empresa: %s\nArchivo: %s\nTamaño: %s\nÚltimo cambio: %s"},
    {1736, "FRMSelDataBase.confirm_backup_before_delete", "Antes de borrar \"%s\" puede hacer una copia de seguridad de sus datos.\n\n¿Desea hacer ahora la copia de seguridad?"},
    {1737, "FRMSelDataBase.delete_without_backup", "No se ha hecho la copia de seguridad: la base de datos \"%s\" no se ha borrado.\n\nVuelva a borrarla cuando tenga la copia, o conteste No a la copia."},
    {1750, "FRMRestaurarCopiaSeg.error_no_application", "No pertenece a la aplicación, imposible recuperar"},
    {1751, "FRMRestaurarCopiaSeg.no_file_selected", "No ha seleccionado ningún archivo para recuperar"},
    {1752, "FRMRestaurarCopiaSeg.confirm_selected_files", "Ha marcado un total de %d archivo/s\n\n¿Recuperar los archivos?"},
    {1753, "FRMRestaurarCopiaSeg.file_info", "Archivo %d/%d : %s (%d bytes)"},
    {1754, "FRMRestaurarCopiaSeg.message_ok", "Copia de seguridad restaurada con éxito\n\nArchivos Recuperados: %d de %d"},
    {1755, "FRMRestaurarCopiaSeg.info_invalid_appzip_version", "COPIA DE SEGURIDAD DE OTRA APLICACIÓN/VERSIÓN:\n\nLa copia de seguridad no pertenece a la aplicación actual\n\nPertenece a \"%s\" y no a \"%s\""},
    {1800, "FRMRealizarCopiaSeg.label_info_task.comprimiendo", "Comprimiendo archivos..."},
    {1801, "FRMRealizarCopiaSeg.error.no_selected_file", "No se ha encontrado ningún archivo para realizar la copia"},
    {1802, "FRMRealizarCopiaSeg.label_info_task.saving", "Guardando en disco..."},
    {1803, "FRMRealizarCopiaSeg.message.ok", "Copia de seguridad de:\n%s\n\nRealizada con éxito en: \n%s"},
    {1850, "FRMPassword.access_invalid_login", "El nombre de usuario o la contraseña no son correctos"},
    {1860, "FRMPasswords.delete_user", "Eliminar el usuario \"%s\"\n\n¿Continuar?"},
    {1861, "FRMPasswords.effect_on_restart", "Atención:\n\nLos cambios realizados tendrán efecto la\npróxima vez que inicie la aplicación."},
    {1900, "FRMEditDataBase.raise_edit_no_file", "Es necesario indicar el nombre del archivo"},  // *
    {1901, "FRMEditDataBase.raise_invalid_dir", "El archivo no puede estar en el directorio:\n%s"},  // *
    {1905, "FRMEditDataBase.action_name", "Nombre Empresa"},
    {1906, "FRMEditDataBase.action_accion", "Acción"},
    {1907, "FRMEditDataBase.action_where", "Ubicar Datos"},
    {1908, "FRMEditDataBase.action_import", "Importar Datos"},
    {1909, "FRMEditDataBase.action_modify", "Modificar"},
    {1910, "FRMEditDataBase.action_delete", "Borrado"},
    {1911, "FRMEditDataBase.action_confirm", "Confirmación"},  // *
    {1912, "FRMEditDataBase.msg_new", "Se creará una nueva base de datos (sin datos)"},  // *
    {1913, "FRMEditDataBase.msg_diplicate", "Se creará una copia de la base de datos"},  // *
    {1914, "FRMEditDataBase.msg_rights_table", "Se utilizará un archivo de permisos de usuarios"},  // *
    {1915, "FRMEditDataBase.msg_no_rights_table", "No se utilizará ningún archivo de permisos de usuarios"},  // *
    {1916, "FRMEditDataBase.msg_import", "Se creará una nueva base de datos con los datos importados"},  // *
    {1917, "FRMEditDataBase.msg_vincular", "Se vinculará al programa una base de datos ya existente"},  // *
    {1918, "FRMEditDataBase.msg_del_assign", "Se borrará el vínculo del programa con la base de datos (el archivo no se borrará)"},  // *
    {1919, "FRMEditDataBase.msg_delete", "Se BORRARÁ el archivo y se eliminarán TODOS LOS DATOS de la base de datos"},  // *
    {1920, "FRMEditDataBase.msg_modify", "Se modificarán los datos de la base de datos"},  // *
    {1921, "FRMEditDataBase.info_1", "Escriba el nombre de la empresa a la que pertenece la base de datos"},  // *
    {1922, "FRMEditDataBase.info_2", "Seleccione la acción que desea realizar"},  // *
    {1923, "FRMEditDataBase.info_3", "Seleccione el archivo de una base de datos ya existente"},  // *
    {1924, "FRMEditDataBase.info_4", "Seleccione el archivo de la versión anterior o del otro programa ZMK del que desea importar los datos"},  // *
    {1925, "FRMEditDataBase.info_5", "Modifique el nombre, el archivo o el archivo de permisos de la base de datos"},  // *
    {1926, "FRMEditDataBase.info_6", "Seleccione qué desea borrar"},  // *
    {1927, "FRMEditDataBase.info_7", "Revise los datos y pulse Siguiente para realizar la operación"},  // *
    {1928, "FRMEditDataBase.info_8", "Indique el nombre y el archivo de la copia de la base de datos"},  // *
    {1929, "FRMEditDataBase.info_9", "Indique el archivo de permisos de usuarios (opcional)"},  // *
    {1930, "FRMEditDataBase.next_error_no_name", "Es necesario indicar el nombre de la empresa"},  // *
    {1931, "FRMEditDataBase.next_error_no_option", "Es necesario seleccionar una opción"},  // *
    {1932, "FRMEditDataBase.next_error_no_empresa_name", "No ha indicado el nombre de la empresa"},  // *
    {1933, "FRMEditDataBase.next_error_another_file_name", "El nuevo archivo debe ser distinto del archivo actual"},  // *
    {1934, "FRMEditDataBase.init_copy_of", "Copia de:"},
    {1935, "FRMEditDataBase.init_modify", "MODIFICACIÓN"},
    {1936, "FRMEditDataBase.init_adding", "AÑADIENDO"},
    {1937, "FRMEditDataBase.init_delete", "BORRADO"},
    {1938, "FRMEditDataBase.init_duplicate", "DUPLICADO"},
    {1939, "FRMEditDataBase.init_import", "IMPORTAR"},
    {2000, "FRMConfigZMKUpdate.action.actualiza", "Actualizaciones"},
    {2001, "FRMConfigZMKUpdate.message_first_time", "Actualizaciones automáticas de %s\n\nEl programa necesita conectar a internet para instalar la última versión disponible\nde %s en su ordenador\n\nNOTA: Es posible que aparezca un mensaje de Windows pidiendo autorización.\nTambién puede desactivar las actualizaciones en la opción del menú \"Configurar > Actualizaciones\"\n\n¿Desea continuar?"},
    {2002, "FRMConfigZMKUpdate.message_files_found", "Existe una actualización de %s disponible\n(necesita descargar %d archivos de internet)\n\nPara actualizar es necesario cerrar el programa\n¿Continuar y actualizar?"},
    {2003, "FRMConfigZMKUpdate.error_no_ZMKUpdate", "El programa ZMK-Update no se encuentra instalado en su ordenador\nPuede descargarlo e instalarlo desde la página web de Torvanware"},
    {2004, "FRMConfigZMKUpdate.version_ok", "La versión instalada está actualizada"},
    {2005, "FRMConfigZMKUpdate.never", "(nunca)"},
    {2006, "FRMConfigZMKUpdate.invalid_proxy_port", "Puerto del proxy no válido"},
    {2007, "FRMConfigZMKUpdate.invalid_proxy_name", "Nombre del servidor proxy no válido"},
    {2008, "FRMEditDataBase.notify_clipboard_copy", "Se ha copiado la ubicación del archivo al portapapeles"},  // *
    {2009, "FRMEditDataBase.msg_info", "Información de la base de datos"},  // *
    {2101, "FRMEnviaSMS.Error_Internet_Conection", "ERROR AL CONECTAR A INTERNET\nCompruebe que dispone de conexión a internet\ny que el firewall de Windows le permita acceder\na internet desde este programa"},
    {2102, "FRMEnviaSMS.Correct_Send", "ENVÍO CORRECTO"},
    {2103, "FRMEnviaSMS.Code_No_Autent", "USUARIO/PASSWORD INCORRECTO: %s"},
    {2104, "FRMEnviaSMS.Code_Error_Remitente", "ERROR EN EL REMITENTE: %s"},
    {2105, "FRMEnviaSMS.Code_No_Credit", "CREDITO INSUFICIENTE: %s"},
    {2106, "FRMEnviaSMS.Code_Unknown", "ERROR INDEFINIDO: %s"},
    {2107, "FRMEnviaSMS.Cannot_Connect_sms_server", "No se pudo conectar al servidor"},
    {2110, "FRMEnviaSMS.Confirm_send", "El mensaje se enviará a %s teléfonos.\nEs necesario que el programa tenga acceso a Internet.\n¿Aceptar el proceso?"},
    {2111, "FRMEnviaSMS.Send_start", "Enviando %s SMS"},
    {2112, "FRMEnviaSMS.Sends_ok", "SMS enviados: %s"},
    {2113, "FRMEnviaSMS.Sends_error", "SMS no enviados: %s"},
    {2114, "FRMEnviaSMS.Send_Error_Msg", "Mensaje de error:"},
    {2115, "FRMEnviaSMS.Send_Coste", "Coste del envio: %s"},
    {2116, "FRMEnviaSMS.Send_Saldo", "Saldo restante: %s *"},
    {2117, "FRMEnviaSMS.Send_Saldo_Descr", "* El saldo restante es aproximado. Puede consultar el saldo real en su cuenta de usuario de la web de SMS de Torvanware"},
    {2118, "FRMEnviaSMS.Send_Error_Process", "Error en el proceso:"},
    {2119, "FRMEnviaSMS.Send_End", "Fin del proceso de envio"},
    {2120, "FRMEnviaSMS.Send_End_Msg_ok", "El proceso terminó correctamente y envió %s SMS"},
    {2121, "FRMEnviaSMS.Send_End_Msg_Err", "El proceso finalizó con errores:\nSMS enviados: %s\nSMS no enviados: %s"},
    {2130, "FRMEnviaSMS.Invalid_number_query", "El número de teléfono de este registro no parece válido.\n¿Está seguro de que quiere seleccionarlo?"},
    {2131, "FRMEnviaSMS.Need_1_number", "Es necesario seleccionar como mínimo un destinatario"},
    {2132, "FRMEnviaSMS.No_message", "Es necesario introducir un texto en el mensaje."},
    {2133, "FRMEnviaSMS.Message_max_length", "Mensaje demasiado largo. El mensaje puede tener como máximo 160 caracteres."},
    {2134, "FRMEnviaSMS.Need_username", "Es necesario introducir un nombre de usuario."},
    {2135, "FRMEnviaSMS.Need_Password", "Es necesario introducir un password."},
    {2136, "FRMEnviaSMS.Error_In_message_source", "Error en el mensaje, compruebe que los símbolos { y } se corresponden"},
    {2137, "FRMEnviaSMS.Number_in_list", "\"%s\" ya está en la lista"},
    {2138, "FRMEnviaSMS.Number_invalid", "\"%s\" no es un número de móvil válido"},
}};
// clang-format on

}  // namespace

const std::array<TSharedString, kSharedStringSlots>& SharedStringTable() {
    return kSharedStrings;
}

}  // namespace zmk
