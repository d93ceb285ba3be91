// The start-up benchmark's baseline: a bare Qt Widgets window, linked with nothing but Qt.
//     lumotrix-bare-window WIDTH HEIGHT [TEXT]
// With TEXT the window shows it in a label: the reference for what text alone costs.
// Prints the report line of FirstPaint.h once the window has painted.

#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <cstdlib>

int main(int argc, char** argv) {
    const double mainMs = lumotrix::bench::NowMs();
    if (argc != 3 && argc != 4)
        return 2;
    QApplication app(argc, argv);
    QWidget window;
    window.resize(std::atoi(argv[1]), std::atoi(argv[2]));
    if (argc == 4)
        (new QLabel(QString::fromLocal8Bit(argv[3]), &window))->move(10, 10);
    window.show();
    lumotrix::bench::ReportFirstPaint(mainMs, &window);
    return 0;
}
