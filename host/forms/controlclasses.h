#pragma once
// Control classes that an application file places by class name (its "type"), beyond the
// built-in edits, boxes and panels: a subsystem registers a factory, the screens build them.
// A control that is also an IDataEventSink hears the screen's data set as the screen does.
#include <QString>
#include <QWidget>
#include <functional>

#include "host/forms/appdefinition.h"

namespace zmk {

class TDataSet;

// Builds the control for its definition; dataSet answers the screen's data set (nullptr while
// no query is open).
using TControlFactory = std::function<QWidget*(
    const TControlDef& def, const std::function<TDataSet*()>& dataSet, QWidget* parent)>;

// Registering a class name again replaces its factory. kind is the class's family (14: data
// controls), kept for the designer's lists.
void RegistraClasse(int kind, const QString& className, TControlFactory factory);
void UnRegistraClasse(const QString& className);
// The factory of a class name (compared without regard to case), or an empty function.
TControlFactory ClaseControl(const QString& className);

}  // namespace zmk
