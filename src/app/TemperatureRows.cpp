#include "app/TemperatureRows.h"

#include "runtime/ScopeExit.h"
#include "widgets/Label.h"
#include "widgets/LookupComboBox.h"
#include "widgets/SpinEdit.h"

#include <QEvent>
#include <QWidget>
#include <initializer_list>

namespace lumotrix {

namespace {

// Room between a label and the editor after it, and inside the group box's right border.
constexpr int Gap = 6;
constexpr int BorderRoom = 10;

} // namespace

void TTemperatureRows::Watch() {
    TControl* group = F.Label10->Parent();
    if (!group || !group->Widget())
        return;
    group->Widget()->installEventFilter(this);
    FDesignLeft.clear();
    FDesignWidth = 0;
}

bool TTemperatureRows::eventFilter(QObject* watched, QEvent* event) {
    // A label whose text changed asks its parent for a new layout; the page being shown is the
    // first time its fonts are known.
    if (event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest)
        Arrange();
    return QObject::eventFilter(watched, event);
}

void TTemperatureRows::Arrange() {
    TControl* group = F.Label10->Parent();
    if (FArranging || !group || !group->Widget())
        return;
    FArranging = true;
    const TScopeExit done([this] { FArranging = false; });
    using TRow = std::initializer_list<TControl*>;
    const std::initializer_list<TRow> rows = {{F.Label1, F.MinTemp, F.Label7, F.MaxTemp},
                                              {F.Label8, F.TempIdeale, F.Label9, F.Isteresi},
                                              {F.TempMon},
                                              {F.Label10, F.PrimaPt},
                                              {F.Label11, F.SecondaPt}};
    if (FDesignLeft.empty()) {
        for (const TRow& row : rows)
            for (TControl* control : row)
                FDesignLeft[control] = control->Left();
        FDesignWidth = group->Width();
    }
    int right = 0;
    for (const TRow& row : rows) {
        int x = 0;
        for (TControl* control : row) {
            const int left = qMax(FDesignLeft[control], x);
            int width = control->Width();
            if (auto* label = dynamic_cast<TLabel*>(control); label && label->AutoSize()) {
                const QSize text = label->Widget()->sizeHint();
                width = text.width();
                label->SetBounds(left, label->Top(), width, qMax(label->Height(), text.height()));
            } else if (left != control->Left()) {
                control->SetLeft(left);
            }
            x = left + width + Gap;
            right = qMax(right, left + width);
        }
    }
    const int needed = qMax(FDesignWidth, right + BorderRoom);
    if (group->Width() != needed)
        group->SetWidth(needed);
}

} // namespace lumotrix
