#pragma once

namespace lumotrix {

struct TForm1Fields;

// Gives the ribbon's tabs, the application button and the commands their key tips: each a
// message of its own, so that every language has letters that fit its captions.
void AssignKeyTips(const TForm1Fields& form);

} // namespace lumotrix
