#pragma once

// What assistive tools find beyond what Qt's own accessibles give: controls named with their
// inner parts, and the application menu under the button that opens it.

#include <QString>

class QWidget;

namespace lumotrix {

// Names `widget` for assistive tools; a drop-down's typed-in field and its pop-up list take the
// same name, since Qt reads a drop-down by its value otherwise.
void SetAccessibleNameWithParts(QWidget* widget, const QString& name);

// A label's caption as a name: without its mnemonic marker and its trailing colon.
QString NameFromLabel(QString caption);

// Installs what the widgets here need beyond Qt's accessibles: drop-downs read by their names,
// and the application menu, a pop-up that Qt leaves out of the window's tree, as the child of
// the application button. Installed once; later calls do nothing.
void InstallAccessibles();

} // namespace lumotrix
