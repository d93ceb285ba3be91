#pragma once

#include "widgets/Forms.h"

namespace lumotrix {

// The About box: everything it shows comes from its form description.
class TAboutBox : public TForm {
public:
    using TForm::TForm;
};

} // namespace lumotrix
