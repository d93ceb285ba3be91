#pragma once

#include "widgets/BarItem.h"

#include <QPointer>

namespace lumotrix {

// One place where an item is shown.
class TBarItemLink : public TCollectionItem {
public:
    explicit TBarItemLink(TCollection* collection);
    TBarItem* Item() const { return FItem; }
    void SetItem(TBarItem* item) { FItem = item; }
    bool BeginGroup() const { return FBeginGroup; }
    void SetBeginGroup(bool on) { FBeginGroup = on; }
    bool NewColumn() const { return FNewColumn; }
    void SetNewColumn(bool on) { FNewColumn = on; }
    TBarItemViewSize ViewSize() const { return FViewSize; }
    void SetViewSize(TBarItemViewSize size) { FViewSize = size; }

private:
    TBarItem* FItem = nullptr;
    bool FBeginGroup = false;
    bool FNewColumn = false;
    TBarItemViewSize FViewSize = vsAuto;
};

// The links of a bar or menu; dropped when their item goes away.
class TBarItemLinks : public TCollection {
public:
    explicit TBarItemLinks(TPersistent* owner);
    TBarItemLink* AddItem(TBarItem* item, bool beginGroup = false, bool newColumn = false,
                          TBarItemViewSize size = vsAuto);
    TBarItemLink* Link(int index) const;
    void ItemRemoved(TBarItem* item);
};

// A bar: a captioned row of item links. A ribbon tab shows it as a group, the ribbon as its
// quick access toolbar, the status bar inside a panel.
class TBar : public TComponent {
public:
    explicit TBar(TComponent* owner = nullptr);
    ~TBar() override;
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TBarItemLinks* ItemLinks() const { return FLinks.get(); }
    TBarManager* BarManager() const { return FBarManager; }
    void SetBarManager(TBarManager* manager) { FBarManager = manager; }
    // Fills a ribbon group with the bar's links.
    void FillGroup(RibbonGroup* group);
    QList<QPointer<RibbonGroup>> Groups() const { return FGroups; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    QString FCaption;
    std::unique_ptr<TBarItemLinks> FLinks;
    TBarManager* FBarManager = nullptr;
    QList<QPointer<RibbonGroup>> FGroups;
};

// The application button's menu: item links and the recent-files pane.
class TApplicationMenu : public TComponent {
public:
    explicit TApplicationMenu(TComponent* owner = nullptr);
    ~TApplicationMenu() override;
    TBarItemLinks* ItemLinks() const { return FLinks.get(); }
    QString RecentCaption() const { return FRecentCaption; }
    void SetRecentCaption(const QString& caption);
    qint32 MaxRecentFiles() const { return FMaxRecent; }
    void SetMaxRecentFiles(qint32 count);
    // Fills the ribbon's pop-up with the links.
    void Fill(ApplicationMenu* menu);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TBarItemLinks> FLinks;
    QString FRecentCaption = QStringLiteral("Documenti recenti");
    qint32 FMaxRecent = 9;
    // The pop-up last filled: a caption set later (a language switch) reaches it at once.
    QPointer<ApplicationMenu> FMenu;
};

} // namespace lumotrix
