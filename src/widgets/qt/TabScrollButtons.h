#pragma once

class QTabBar;

namespace lumotrix {

// Names a tab bar's scroll buttons for assistive tools in the interface language. The toolkit
// words them once, when the bar is made, and only from a catalogue of its own; run again on
// every language change.
void NameTabScrollButtons(QTabBar* tabs);

} // namespace lumotrix
