#include "app/About.h"

namespace lumotrix {

LUMOTRIX_REGISTER_CLASS(TAboutBox, TForm) {}

} // namespace lumotrix
