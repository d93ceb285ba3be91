#include "FormResourceFiles.h"

#include "runtime/FormStream.h"
#include "runtime/ModuleList.h"
#include "runtime/TextForm.h"

namespace lumotrix::test {

TResourceFile FormResourceFile(const QList<TFormStream>& forms) {
    TResourceFile file;
    for (const auto& [className, stream] : forms) {
        TResourceEntry entry;
        entry.Type = RT_RCDATA;
        entry.Name = className.toUpper();
        entry.Data = stream;
        file.Add(entry);
    }
    return file;
}

TResourceFile FormTextResourceFile(const QList<TFormText>& forms) {
    QList<TFormStream> streams;
    for (const auto& [className, text] : forms)
        streams.append({className, FormTextToBinary(text)});
    return FormResourceFile(streams);
}

std::unique_ptr<TResourceFile> SavedAndLoaded(const TResourceFile& file, const QString& path) {
    file.SaveToFile(path);
    return std::make_unique<TResourceFile>(TResourceFile::LoadFromFile(path));
}

void UseResourceFile(std::unique_ptr<TResourceFile> file) {
    TModuleList::Instance().Head().SetResourceFile(std::move(file));
}

void UseResourceFile(const TResourceFile& file) {
    UseResourceFile(std::make_unique<TResourceFile>(file));
}

QByteArray CyrillicCaptionForm(const char* className, const char* name) {
    TWriter w;
    w.WriteSignature();
    w.WriteStr(className);
    w.WriteStr(name);
    w.WriteStr("Caption");
    w.WriteString("\xCF\xF0\xE8\xE2\xE5\xF2");
    w.WriteListEnd();
    w.WriteListEnd();
    return w.Data();
}

} // namespace lumotrix::test
