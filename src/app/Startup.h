#pragma once

// The program's start: runtime, application object, main window and About box.

#include <QString>
#include <memory>

namespace lumotrix {

class Application;
class TAboutBox;
class TForm1;

// Module list, format settings and the start-up language, before any form exists.
void InitialiseRuntime();

struct TProgram {
    std::unique_ptr<Application> App;
    std::unique_ptr<TForm1> MainForm;
    std::unique_ptr<TAboutBox> AboutBox;
    ~TProgram();
};

inline const QString ApplicationTitleText = QStringLiteral("Lumotrix - Windows Side of Lumotrix");

// Initialises the runtime, creates the application object (with its title), the main window
// from its form resource (running FormCreate) and the hidden About box. Nothing is shown yet.
std::unique_ptr<TProgram> StartProgram(int& argc, char** argv);

// StartProgram, then shows the main window and runs the event loop until the program ends.
int RunProgram(int& argc, char** argv);

} // namespace lumotrix
