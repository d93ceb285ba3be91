#include "widgets/PageControl.h"

#include "widgets/qt/PageControlWidget.h"

#include <QTabBar>

namespace lumotrix {

TTabSheet::TTabSheet(TComponent* owner) : TControl(owner) {
    SetWidget(new QWidget);
}

TTabSheet::~TTabSheet() {
    SetPageControl(nullptr);
}

void TTabSheet::SetCaption(const QString& caption) {
    FCaption = caption;
    int index = PageIndex();
    if (index >= 0)
        FPageControl->Pages()->SetPageCaption(index, caption);
    else if (Widget())
        Widget()->setAccessibleName(caption);
}

int TTabSheet::PageIndex() const {
    return FPageControl && Widget() ? FPageControl->Pages()->indexOf(Widget()) : -1;
}

void TTabSheet::SetPageControl(TPageControl* control) {
    if (control == FPageControl)
        return;
    if (FPageControl) {
        FPageControl->FSheets.removeAll(this);
        int index = PageIndex();
        if (index >= 0)
            FPageControl->Pages()->removeTab(index);
        if (Widget())
            Widget()->setParent(nullptr);
    }
    FPageControl = control;
    if (control && Widget()) {
        control->FSheets.append(this);
        // Adding the first tab measures the tab row: a page control being read gets its pages
        // once it has been read, with their captions.
        if (!control->IsLoading())
            control->AddPage(this);
    }
}

void TTabSheet::SetParentComponent(TComponent* parent) {
    if (auto* control = dynamic_cast<TPageControl*>(parent))
        SetPageControl(control);
}

LUMOTRIX_REGISTER_CLASS(TTabSheet, TControl) {
    Property("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
    Property("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl);
}

TPageControl::TPageControl(TComponent* owner) : TControl(owner) {
    auto* pages = new PageControlWidget;
    SetWidget(pages);
    QObject::connect(pages, &QTabWidget::currentChanged, pages, [this] {
        // Pages that arrive with the form (added in Loaded, still loading) are no change.
        if (!IsLoading())
            Fire(OnChange);
    });
}

TPageControl::~TPageControl() {
    for (TTabSheet* sheet : FSheets)
        sheet->SetPageControl(nullptr);
}

PageControlWidget* TPageControl::Pages() const {
    return static_cast<PageControlWidget*>(Widget());
}

void TPageControl::SetTabPosition(TTabPosition position) {
    FTabPosition = position;
    static constexpr QTabWidget::TabPosition positions[] = {QTabWidget::North, QTabWidget::South,
                                                            QTabWidget::West, QTabWidget::East};
    Pages()->setTabPosition(positions[qBound(0, static_cast<int>(position), 3)]);
}

TTabSheet* TPageControl::ActivePage() const {
    for (TTabSheet* sheet : FSheets)
        if (sheet->Widget() == Pages()->currentWidget())
            return sheet;
    return nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    // A reference read from a form may arrive before the sheet is on the control.
    FPendingActive = page;
    if (page && page->PageControl() == this)
        Pages()->setCurrentWidget(page->Widget());
}

void TPageControl::AddPage(TTabSheet* sheet) {
    Pages()->addTab(sheet->Widget(), sheet->Caption());
    sheet->Widget()->setAccessibleName(sheet->Caption());
    if (FPendingActive == sheet)
        SetActivePage(sheet);
}

void TPageControl::Loaded() {
    // Before the control is shown: a hidden tab row does not tell its layout that it grew.
    for (TTabSheet* sheet : FSheets)
        if (sheet->PageIndex() < 0)
            AddPage(sheet);
    TControl::Loaded();
}

TTabSheet* TPageControl::Page(int index) const {
    if (index < 0 || index >= PageCount())
        throw ERangeError(DeveloperText(QStringLiteral("No page %1").arg(index)));
    return FSheets[index];
}

LUMOTRIX_REGISTER_CLASS(TPageControl, TControl) {
    Property("TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition);
    Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    Property("OnChange", &TPageControl::OnChange);
}

} // namespace lumotrix
