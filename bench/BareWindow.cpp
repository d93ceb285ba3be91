// The start-up benchmark's baseline: a bare Qt Widgets window, linked with nothing but Qt.
//     lumotrix-bare-window WIDTH HEIGHT
// Prints the report line of FirstPaint.h once the window has painted.

#include "FirstPaint.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    const double mainMs = lumotrix::bench::NowMs();
    if (argc != 3)
        return 2;
    QApplication app(argc, argv);
    QWidget window;
    window.resize(std::atoi(argv[1]), std::atoi(argv[2]));
    window.show();
    lumotrix::bench::ReportFirstPaint(mainMs, &window);
    return 0;
}
