#pragma once

// Re-translation of the open forms and data modules in place, after a language switch has put
// other resource sources in force: each component's form resources are read again and every
// stored value that differs from the live one is written through its published property.
// Components and collection items are never created, deleted or reordered; what the stream
// does not mention keeps its value, and what has no live counterpart is read and dropped.

#include "runtime/Exception.h"
#include "runtime/NestingGuard.h"
#include "runtime/TypInfo.h"

#include <QHash>
#include <QStringList>

#include <memory>

namespace lumotrix {

class TClassInfo;
class TComponent;
class TForm;
class TReader;

// A value that could not be written: "Could not translate TLabel.Caption: <the reason>".
class ETranslateError : public Exception {
public:
    using Exception::Exception;
};

// One instance serves one pass over the open forms.
class TLangTranslator : public TObject {
public:
    TLangTranslator();
    ~TLangTranslator() override;

    // Translates every open data module, then every open form, in the screen's order. The
    // first error ends the pass and reaches the caller; what was written before it stays.
    static void TranslateAllForms();

    // The form's own frames first (each as a root of its own), then the form.
    void TranslateForm(TForm* form);
    // The form resources of the component's class chain, the most basic first; nothing when
    // its own class has no form resource in the resource source in force.
    void TranslateComponent(TComponent* component);
    // Reads one form resource onto the component; a resource that is no binary form stream is
    // ignored.
    void TranslateResource(TComponent* component, const QString& resName);

    // A form resource named after the class in the resource source of the module that
    // defines it.
    static bool HasFormResource(const TClassInfo* cls);

    // The classes of the unnamed sections read so far in this pass, in the order met.
    const QStringList& UnnamedClasses() const { return FUnnamedClasses; }

private:
    void ReadComponent(TComponent* parent, bool isRoot);
    TComponent* FindUnnamedComponent(TComponent* owner, const QString& className, int n) const;
    void ReadProperty(TObject* obj);
    void ReadPropertyValue();
    void ReadList();
    void ReadCollection();
    // A short or long 8-bit string (tags 6 and 12) as the value to apply.
    Variant EightBitValue();
    // Writes a value read from the stream into the current property, or hands it to a
    // translation module when no property takes it.
    void ApplyValue(const Variant& value);
    void WriteProperty(const Variant& value);
    Variant IdentValue(const QByteArray& ident) const;
    TNestingGuard EnterNesting();

    TComponent* FComponent = nullptr;
    TComponent* FRoot = nullptr;
    qint32 FListIndex = 0;
    QString FPropName;
    TObject* FInstance = nullptr;
    QString FPropPath;
    const TPropInfo* FPropInfo = nullptr;
    std::unique_ptr<TReader> FReader;
    QStringList FUnnamedClasses;
    // How many of each class FUnnamedClasses holds: counting them there made a pass quadratic.
    QHash<QString, int> FUnnamedCounts;
    int FNesting = 0;
};

} // namespace lumotrix
