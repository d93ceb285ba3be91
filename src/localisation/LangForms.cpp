#include "localisation/LangForms.h"

#include "localisation/LangTranslator.h"
#include "runtime/ModuleList.h"

namespace lumotrix {

bool LoadBuiltInForm(TForm* form, const Exception& mismatch) {
    const TModule& module = FindClassHInstance(form->ClassType());
    if (module.UsesOwnResources())
        return false;
    const TResourceEntry* builtIn =
        module.OwnResources().Find(RT_RCDATA, TResourceId(form->ClassName()));
    if (!builtIn)
        return false;
    qWarning("%s: the form %s cannot be read from it (%s); it is built from the built-in "
             "resources and translated from the file",
             qUtf8Printable(module.ResourceFile()->FileName()), qUtf8Printable(form->ClassName()),
             qUtf8Printable(mismatch.Message()));
    form->LoadFromStream(builtIn->Data);
    try {
        TLangTranslator().TranslateForm(form);
    } catch (const Exception& error) {
        // What was translated stays; the rest keeps the built-in text.
        qWarning("%s: %s", qUtf8Printable(form->ClassName()), qUtf8Printable(error.Message()));
    }
    return true;
}

} // namespace lumotrix
