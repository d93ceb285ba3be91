#pragma once

#include "widgets/Control.h"

namespace lumotrix {

class PageControlWidget;
class TPageControl;

// A page of a page control; its parent in a form description is the page control.
class TTabSheet : public TControl {
public:
    explicit TTabSheet(TComponent* owner = nullptr);
    ~TTabSheet() override;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* control);
    int PageIndex() const;
    void SetParentComponent(TComponent* parent) override;

private:
    QString FCaption;
    TPageControl* FPageControl = nullptr;
};

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
LUMOTRIX_ENUM_NAMES(TTabPosition, "tpTop", "tpBottom", "tpLeft", "tpRight")

// Pages with tabs; tabs along the bottom by default.
class TPageControl : public TControl {
public:
    explicit TPageControl(TComponent* owner = nullptr);
    ~TPageControl() override;
    PageControlWidget* Pages() const;
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition position);
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);
    int PageCount() const { return static_cast<int>(FSheets.size()); }
    TTabSheet* Page(int index) const;
    TNotifyEvent OnChange;

protected:
    void Loaded() override;

private:
    friend class TTabSheet;
    void AddPage(TTabSheet* sheet);
    TTabPosition FTabPosition = tpBottom;
    QList<TTabSheet*> FSheets;
    TTabSheet* FPendingActive = nullptr;
};

} // namespace lumotrix
