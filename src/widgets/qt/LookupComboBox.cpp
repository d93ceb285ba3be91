#include "widgets/qt/LookupComboBox.h"

#include "runtime/ScopeExit.h"
#include "widgets/qt/Accessibility.h"

namespace lumotrix {

LookupComboBox::LookupComboBox(QWidget* parent) : QComboBox(parent) {
    InstallAccessibles();
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (FRebuilding || index < 0)
            return;
        FKey = itemData(index);
        emit keyChanged();
    });
}

LookupComboBox::~LookupComboBox() {
    Detach();
}

void LookupComboBox::Detach() {
    if (FLookup.Table)
        FLookup.Table->DetachObserver(this);
}

void LookupComboBox::SetLookup(const TLookupSource& lookup) {
    Detach();
    FLookup = lookup;
    if (FLookup.Table)
        FLookup.Table->AttachObserver(this);
    Rebuild();
}

void LookupComboBox::TableChanged(const TTableChange& change) {
    if (change.Kind == TTableChange::TKind::Destroyed)
        FLookup.Table = nullptr;
    Rebuild();
}

void LookupComboBox::SetKeyValue(const QVariant& key) {
    bool changed = FKey != key;
    FKey = key;
    Rebuild();
    if (changed)
        emit keyChanged();
}

void LookupComboBox::Rebuild() {
    FRebuilding = true;
    const TScopeExit rebuilt([this] { FRebuilding = false; });
    clear();
    int found = -1;
    for (const auto& [key, text] : FLookup.Items()) {
        if (found < 0 && key.toLongLong() == FKey.toLongLong() && FKey.isValid())
            found = count();
        addItem(text, key);
    }
    setCurrentIndex(found);
}

} // namespace lumotrix
