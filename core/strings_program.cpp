// The program's fixed list of numbered texts (billing and records), registered at start-up
// and translated under "ExeStrings." + number. Groups: 10001.. invoice generation, 10101..
// invoice records, 10201.. billing options, 10301.. receipts and direct debits, 10401.. invoice
// functions.
//
// Entries marked "// *" carry this program's own Spanish wording: no screen fixes their text
// (several are reserved for messages not shown yet). They follow the style of the others and
// translators may reword them freely.
#include "core/strings.h"

namespace zmk {

const std::vector<std::pair<int, QString>>& DefaultProgramStrings() {
    // clang-format off
    static const std::vector<std::pair<int, QString>> pairs = {
        {10001, QStringLiteral("No se puede encontrar el ALUMNO a FACTURAR")},
        {10002, QStringLiteral("No existe el IDAlumno: %d")},
        {10003, QStringLiteral("Generar Facturas")},
        {10004, QStringLiteral("&Facturar")},
        {10005, QStringLiteral("Serie de las Facturas:")},
        {10006, QStringLiteral("Próximo nº de factura:")},  // *
        {10007, QStringLiteral("Fecha Factura:")},
        {10008, QStringLiteral("Debe seleccionar un mes")},
        {10009, QStringLiteral("No ha seleccionado ninguna série válida")},
        {10010, QStringLiteral("Facturar")},
        {10011, QStringLiteral("Iniciando proceso...")},
        {10012, QStringLiteral("Procesando los alumnos seleccionados")},
        {10013, QStringLiteral("Procesando alumnos")},
        {10014, QStringLiteral("Preparando la consulta...")},
        {10015, QStringLiteral("Recalculando Facturas")},
        {10016, QStringLiteral("No se ha generado ninguna factura\n\nNingún concepto a facturar coincide con las opciones seleccionadas.\nEs posible que tenga activada alguna opción que impida volver a facturar conceptos ya facturados.")},
        {10017, QStringLiteral("Registro %d / %d")},
        {10018, QStringLiteral("Se han creado un total de %d facturas\npor un importe total de %s %s\n\nFecha de las facturas: \"%s\"\nSerie de las facturas: \"%s\"\n\n¿Aceptar el proceso?")},
        {10019, QStringLiteral("Proceso cancelado")},
        {10020, QStringLiteral("Guardando información")},
        {10021, QStringLiteral("Espere unos instantes...")},
        {10022, QStringLiteral("%d Alumnos")},
        {10023, QStringLiteral("%d Alumno")},
        {10024, QStringLiteral("-Agrupar por alumno")},
        {10025, QStringLiteral("-Agrupar por matrícula")},
        {10026, QStringLiteral("-Numerar las facturas")},
        {10027, QStringLiteral("-No numerar las facturas")},
        {10028, QStringLiteral("-No facturar conceptos ya facturados en la misma fecha")},
        {10029, QStringLiteral("-No facturar conceptos ya facturados en el mismo mes y año")},
        {10030, QStringLiteral("-Se permite facturar el mismo concepto varias veces en el mismo mes y año")},
        {10031, QStringLiteral("-Facturar al Alumno relacionado")},
        {10032, QStringLiteral("-Comprobar la fecha de baja de las matrículas al facturar")},
        {10033, QStringLiteral("-Facturar con nombre y NIF del padre o de la madre")},
        {10034, QStringLiteral("%d Conceptos")},
        {10035, QStringLiteral("%d Concepto")},
        {10101, QStringLiteral("NO ES POSIBLE AÑADIR FACTURAS MANUALMENTE\n\nEste programa genera las facturas AUTOMÁTICAMENTE y una vez generadas las podrá modificar o borrar.\nSi en algún CASO ESPECIAL necesita crear facturas manualmente, podrá hacerlo activando dicho permiso\nen el formulario de opciones pero NO ES LO RECOMENDADO.")},
        {10102, QStringLiteral("No se ha podido determinar el estado de la factura")},
        {10103, QStringLiteral("NO PUEDE MODIFICAR LA FACTURA\n\nLa factura nº %s Serie \"%s\"\nestá cobrada y no puede modificar facturas cobradas\n\nPrimero debe DEVOLVER la factura y luego podrá realizar las modificaciones")},
        {10104, QStringLiteral("ESTA FACTURA YA ESTÁ DEVUELTA\n\nEl registro pertenece a una factura que ya está devuelta. Las facturas devueltas\nsolamente están disponibles para contabilidad. Si lo desea puede borrar la factura")},
        {10105, QStringLiteral("Eliminando las facturas")},
        {10106, QStringLiteral("Eliminando la factura nº: %s")},
        {10107, QStringLiteral("ATENCIÓN:\n\nSi BORRA un alumno perderá TODO su historial (matrículas, grupos, incidencias...)\nlas facturas emitidas NO SE BORRARÁN, pero perderá la información relacionada con el alumno\n\n¿Desea BORRAR el alumno?")},
        {10108, QStringLiteral("Para borrar las facturas utilice el formulario de\nACCIONES SOBRE LAS FACTURAS")},
        {10109, QStringLiteral("Es necesario seleccionar la serie a la cual se asignará la factura.\nEsta protección se puede desactivar desde las opciones del programa.")},  // *
        {10201, QStringLiteral("Proceso de generar facturas")},
        {10202, QStringLiteral("Proceso de cobrar facturas")},
        {10203, QStringLiteral("Numerar la factura si no tiene número")},
        {10204, QStringLiteral("Y además modificar la fecha de la factura (poner fecha de cobro)")},
        {10205, QStringLiteral("Numerar las facturas")},
        {10206, QStringLiteral("Permitir crear facturas manualmente")},
        {10207, QStringLiteral("Una sola factura para cada alumno")},
        {10208, QStringLiteral("Una factura por cada matrícula")},
        {10209, QStringLiteral("Al crear una factura manualmente obligar a que esté asignada a una serie")},
        {10301, QStringLiteral("Remesas de recibos")},  // *
        {10302, QStringLiteral("Generar la remesa de recibos (Norma 19)")},  // *
        {10303, QStringLiteral("No hay ningún recibo para incluir en la remesa")},  // *
        {10304, QStringLiteral("Se ha generado la remesa con %d recibos\npor un importe total de %s")},  // *
        {10305, QStringLiteral("Guardar el archivo de la remesa")},  // *
        {10306, QStringLiteral("No se ha podido crear el archivo:\n%s")},  // *
        {10307, QStringLiteral("Procesando recibos")},  // *
        {10308, QStringLiteral("Recibo %d / %d")},  // *
        {10309, QStringLiteral("Importar el archivo de devoluciones")},  // *
        {10310, QStringLiteral("Se han procesado %d devoluciones")},  // *
        {10311, QStringLiteral("¿Anular la remesa nº %d?\n\nLas facturas de la remesa pasarán a estar PENDIENTES DE COBRO")},  // *
        {10312, QStringLiteral("La remesa se ha anulado correctamente")},  // *
        {10313, QStringLiteral("La factura no tiene cuenta bancaria:\n%s")},  // *
        {10314, QStringLiteral("La factura no tiene mandato SEPA:\n%s")},  // *
        {10401, QStringLiteral("La factura ya está cobrada")},  // *
        {10402, QStringLiteral("Fecha de cobro")},  // *
        {10403, QStringLiteral("Fecha de devolución")},  // *
        {10404, QStringLiteral("Forma de cobro:")},  // *
        {10405, QStringLiteral("Registros")},  // *
        {10406, QStringLiteral("Imprimir factura/recibo")},  // *
        {10407, QStringLiteral("No existe la factura con ID: %d")},
        {10408, QStringLiteral("Error al procesar la devolución, estado de la factura no válido")},
        {10409, QStringLiteral("La factura no está cobrada, no se puede devolver")},
        {10410, QStringLiteral("La factura YA ESTÁ DEVUELTA, no se puede devolver")},
        {10411, QStringLiteral("La factura no está devuelta, no se puede anular la devolución")},
        {10412, QStringLiteral("La factura no está cobrada, no se puede anular el cobro")},
        {10413, QStringLiteral("¡Error! Esta factura está incluida en un archivo Norma 19, \nno se puede anular el cobro")},
        {10414, QStringLiteral("Facturas")},
        {10415, QStringLiteral("Acciones sobre las facturas")},
        {10416, QStringLiteral("Facturas:")},
        {10417, QStringLiteral("&Todas")},
        {10418, QStringLiteral("&Indicar que la factura ha sido devuelta")},
        {10419, QStringLiteral("Borrar las facturas")},
        {10420, QStringLiteral("(La misma)")},
        {10421, QStringLiteral("Nº Factura: %d")},
        {10422, QStringLiteral("Sin Número")},
        {10423, QStringLiteral(" - Sin Serie")},
        {10424, QStringLiteral(" - Serie: \"%s\"")},
        {10425, QStringLiteral(" - Para: \"%s\" - Importe: %s")},
        {10426, QStringLiteral("DEVOLUCIÓN")},
        {10427, QStringLiteral("COBRO")},
        {10428, QStringLiteral("ANULAR DEVOLUCION")},
        {10429, QStringLiteral("ATENCIÓN:\n\nLa ANULACIÓN DE DEVOLUCIONES está pensada para casos\nespeciales, no para el trabajo diario.\nLas facturas \"DEVUELTAS\" pasarán al estado de \"COBRADAS\"\n\nEsta acción puede provocar FACTURAS DUPLICADAS si antes\nno borra las facturas que se crearon automáticamente al\nrealizar la devolución.\n\n¿Continuar con el proceso?")},
        {10430, QStringLiteral("ANULAR COBRO")},
        {10431, QStringLiteral("ATENCIÓN:\n\nLa ANULACIÓN DE COBROS está pensada para casos especiales,\nno para el trabajo diario.\nLas facturas \"COBRADAS\" pasarán al estado de \"PENDIENTES DE COBRO\"\n\nEsta acción solamente se puede realizar si las facturas no están\nincluidas en ningún archivo bancario Norma 19.\n\n¿Continuar con el proceso?")},
        {10432, QStringLiteral("BORRAR")},
        {10433, QStringLiteral("No ha seleccionado ninguna acción a realizar")},
        {10434, QStringLiteral("Imposible localizar el registro con ID: %d\nSeguramente este registro ha sido borrado. Cierre la pantalla y actualice la información")},
        {10435, QStringLiteral("Cobrar facturas...")},
        {10436, QStringLiteral("ATENCIÓN:\n\nEl siguiente registro NO TIENE NUMERO DE FACTURA:\n%s\n\n¿Desea colocar automáticamente un número de factura?")},
        {10437, QStringLiteral("Cobrar facturas...")},
        {10438, QStringLiteral("ATENCIÓN:\n\n¿Quiere poner la FECHA DE COBRO como la FECHA DE LA FACTURA?\n%s\n\nFecha actual: %s\nNueva fecha: %s\n¿Poner la nueva fecha?")},
        {10439, QStringLiteral("Esta factura no está \"PENDIENTE DE COBRO\": \n%s\n\nPara poder realizar esta operación es necesario que todas las\nfacturas seleccionadas estén \"PENDIENTES DE COBRO\".\n\n¡OPERACION ABORTADA!")},
        {10440, QStringLiteral("Esta factura no está cobrada: \n%s\n\nPara poder realizar esta operación es necesario que todas las\nfacturas seleccionadas estén \"COBRADAS\".\n\n¡OPERACION ABORTADA!")},
        {10441, QStringLiteral("Esta factura no está DEVUELTA: \n%s\n\nPara poder realizar esta operación es necesario que todas las\nfacturas seleccionadas estén \"DEVUELTAS\".\n\n¡OPERACION ABORTADA!")},
        {10442, QStringLiteral("Esta factura está incluida en un archivo Norma 19.\nLas facturas incluidas en un archivo Norma 19 no pueden\ntener el estado de \"PENDIENTES DE COBRO\".\n%s\n\n¡OPERACION ABORTADA!")},
        {10443, QStringLiteral("Esta factura NO ESTÁ COBRADA: \n%s\n\nPara poder realizar esta operación es necesario que todas las\nfacturas seleccionadas estén \"COBRADAS\".\n\n¡OPERACION ABORTADA!")},
        {10444, QStringLiteral("Esta factura está incluida en un archivo Norma 19.\n%s\n\nPara poder realizar esta operación es necesario que ninguna\nde las facturas seleccionadas estén incluidas en un archivo Norma 19\".\n\n¡OPERACION ABORTADA!")},
        {10445, QStringLiteral("No ha seleccionado ninguna factura")},  // *
        {10446, QStringLiteral("COBRAR FACTURAS")},
        {10447, QStringLiteral("DEVOLVER FACTURAS")},
        {10448, QStringLiteral("ANULAR EL COBRO DE FACTURAS")},
        {10449, QStringLiteral("ANULAR LA DEVOLUCION DE FACTURAS")},
        {10450, QStringLiteral("BORRAR FACTURAS")},
        {10451, QStringLiteral("\n\nRealizado en %d Facturas")},
        {10452, QStringLiteral("\n\nRealizado en 1 Factura")},
        {10453, QStringLiteral("Proceso Realizado\n\n%s\n\nPor un importe total de %s %s\n\n¿Aceptar el proceso?")},
        {10454, QStringLiteral("Operación abortada")},
        {10455, QStringLiteral("\nNo se ha aplicado a ningún registro")},
        {10456, QStringLiteral("No se ha configurado ningún informe a utilizar en la impresión de facturas.\nPara poder imprimir una factura/recibo es necesario configurar dicho parámetro en el formulario de opciones del programa.")},
    };
    // clang-format on
    return pairs;
}

}  // namespace zmk
