#pragma once

#include "widgets/Forms.h"

namespace lumotrix {

class TButton;
class TImage;
class TLabel;
class TPanel;

// The About box: everything it shows comes from its form description.
class TAboutBox : public TForm {
public:
    using TForm::TForm;

    // --- published fields, set by the form loader ---
    TPanel* Panel1 = nullptr;
    TImage* ProgramIcon = nullptr;
    TLabel* ProductName = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Version = nullptr;
    TLabel* Copyright = nullptr;
    TLabel* Comments = nullptr;
    TButton* OKButton = nullptr;
};

} // namespace lumotrix
