#pragma once

// Creating a form in the language in force, tolerating a translation older than the program.

#include "runtime/Exception.h"
#include "widgets/Forms.h"

#include <memory>

namespace lumotrix {

// Reads the built-in description of the form's class into `form` and translates it from the
// resource file in force, reporting `mismatch` on standard error. False (nothing read) when no
// resource file is in force for the class or the class has no built-in description: then the
// mismatch is the program's own fault.
bool LoadBuiltInForm(TForm* form, const Exception& mismatch);

// CreateForm<T>, except that a translated description that does not fit the class (a component
// missing or of another class, because the file is older than the program) does not stop the
// program: the form is created from the built-in description and translated from the file.
template <typename T> T* CreateFormInLanguage(TComponent* owner = nullptr) {
    try {
        return CreateForm<T>(owner);
    } catch (const Exception& mismatch) {
        auto form = std::make_unique<T>(owner);
        if (!LoadBuiltInForm(form.get(), mismatch))
            throw;
        form->DoCreate();
        return form.release();
    }
}

} // namespace lumotrix
