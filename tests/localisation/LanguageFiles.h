#pragma once

#include "localisation/LangResource.h"
#include "runtime/ModuleList.h"
#include "support/FormResourceFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace lumotrix::test {

// A scratch home (so the documents folder is ours) with a program folder, modules registered
// from it, and the language state restored afterwards.
class LanguageFilesTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString ProgramDir() const { return FHome.filePath(QStringLiteral("prog")); }
    QString TranslationsDir() const;
    // A module file in the program folder, registered with the module list.
    TModule& AddModule(const QString& fileName);
    // A resource file whose string 1 names it ("prog.DEU"), plus the given forms
    // (class name, text description).
    static void WriteResourceFile(const QString& path, const QList<TFormText>& forms = {});
    static void WriteFile(const QString& path, const QByteArray& bytes);
    // The program's own file for a language in the documents folder, where it is found when
    // there is none beside the program (this test program's folder, shared by parallel tests).
    QString ProgramTranslation(const QString& code) const;
    // String 1 of the module's resource source: which file is in force.
    static QString InForce(const TModule& module);

    QTemporaryDir FHome;
    QList<TModule*> FModules;
    QByteArray FOldHome, FOldConfig;
};

} // namespace lumotrix::test
