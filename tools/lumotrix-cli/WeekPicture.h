#pragma once

#include "model/WeekModel.h"

#include <QCoreApplication>
#include <QString>
#include <memory>

namespace lumotrix {

// The picture options of `week`: at most one of them names the file to write.
extern const char* const WeekPictureOptions[3]; // "--svg", "--pdf", "--png"

// The application object the command line needs: a QGuiApplication on the offscreen platform,
// whatever QT_QPA_PLATFORM says, for `week` with a picture option (painting needs fonts);
// otherwise a plain QCoreApplication, so every other command runs without a display's
// libraries being started.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv);

// Writes the week chart of `week`, as the window's week page draws it, in English, to `out`
// as `option` ("--svg" ...) asks. Throws when the file cannot be written.
void WriteWeekPicture(const TWeekModel& week, const QString& timerFile, const QString& option,
                      const QString& out);

} // namespace lumotrix
