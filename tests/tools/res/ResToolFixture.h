#pragma once

// lumotrix-res and a scratch folder, as the tests of the tool use them.

#include "ToolRun.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace lumotrix::test {

class TResToolFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Tool = BuildDir() + QStringLiteral("/tools/lumotrix-res/lumotrix-res");
        ASSERT_TRUE(QFile::exists(Tool)) << Tool.toStdString();
    }

    QString Path(const char* name) const { return Dir.filePath(QString::fromUtf8(name)); }

    void Write(const char* name, const QByteArray& bytes) { WriteFileBytes(Path(name), bytes); }
    QByteArray Read(const char* name) const { return FileBytes(Path(name)); }

    // Any program, started in the scratch folder.
    TRun RunProgram(const QString& program, const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(Dir.path());
        p.start(program, args);
        return Finish(p);
    }

    TRun Run(const QStringList& args) { return RunProgram(Tool, args); }

    QTemporaryDir Dir;
    QString Tool;
};

} // namespace lumotrix::test
