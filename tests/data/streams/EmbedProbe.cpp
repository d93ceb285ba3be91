// Prints what the program's embedded resources hold, for the resource tool's tests.
#include "runtime/ModuleList.h"
#include "runtime/TextForm.h"

#include <cstdio>

int main() {
    using namespace lumotrix;
    const TModule& head = TModuleList::Instance().Head();
    std::printf("%s\n", qPrintable(LoadResString(65504)));
    const QByteArray* form = head.FindRCData(QStringLiteral("TProbeForm"));
    std::printf("%s", form ? FormBinaryToText(*form).toUtf8().constData() : "no form\n");
    return 0;
}
