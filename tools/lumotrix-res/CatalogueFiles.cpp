#include "CatalogueFiles.h"

#include "Catalogue.h"
#include "CatalogueName.h"
#include "PoCatalogue.h"
#include "runtime/Exception.h"

#include <QDir>
#include <QFileInfo>

namespace lumotrix {

namespace {

// The program looks for its translations beside itself under its own name.
const QString ProgramName = QStringLiteral("lumotrix");

QString TranslationPath(const QString& output, const QString& catalogue) {
    if (!QFileInfo(output).isDir())
        return output;
    std::string error;
    const std::string code = ResourceCodeOfCatalogue(catalogue.toStdString(), error);
    if (code.empty())
        throw EConvertError(QString::fromStdString(error));
    return QDir(output).filePath(ProgramName + u'.' + QString::fromStdString(code));
}

} // namespace

void ExtractTemplateFile(const QString& resources, const QString& templatePath) {
    WriteCatalogueTemplate(templatePath, ExtractCatalogue(TResourceFile::LoadFromFile(resources)));
}

QStringList TranslateFile(const QString& resources, const QString& catalogue,
                          const QString& output) {
    const QString target = TranslationPath(output, catalogue);
    const TResourceFile builtIn = TResourceFile::LoadFromFile(resources);
    QStringList reports;
    TranslateResources(builtIn, ReadCatalogue(catalogue), reports).SaveToFile(target);
    return reports;
}

} // namespace lumotrix
