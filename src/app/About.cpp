#include "app/About.h"

#include "widgets/Button.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"

namespace lumotrix {

LUMOTRIX_REGISTER_CLASS(TAboutBox, TForm) {
    Field("Panel1", &TAboutBox::Panel1);
    Field("ProgramIcon", &TAboutBox::ProgramIcon);
    Field("ProductName", &TAboutBox::ProductName);
    Field("Label1", &TAboutBox::Label1);
    Field("Version", &TAboutBox::Version);
    Field("Copyright", &TAboutBox::Copyright);
    Field("Comments", &TAboutBox::Comments);
    Field("OKButton", &TAboutBox::OKButton);
}

} // namespace lumotrix
