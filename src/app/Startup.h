#pragma once

// The program's start: runtime, application object and main window.

#include <QString>
#include <memory>

namespace lumotrix {

class Application;
class TForm1;

// Module list, format settings and the start-up language, before any form exists.
void InitialiseRuntime();

struct TProgram {
    std::unique_ptr<Application> App;
    std::unique_ptr<TForm1> MainForm;
    ~TProgram();
};

inline const QString ApplicationTitleText = QStringLiteral("Lumotrix - Windows Side of Lumotrix");

// Initialises the runtime, creates the application object (with its title) and the main window
// from its form resource (running FormCreate). Nothing is shown yet; the main window makes its
// About box when it is first asked for.
std::unique_ptr<TProgram> StartProgram(int& argc, char** argv);

// StartProgram, then shows the main window and runs the event loop until the program ends.
int RunProgram(int& argc, char** argv);

} // namespace lumotrix
