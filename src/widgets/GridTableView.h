#pragma once

#include "widgets/Control.h"
#include "widgets/qt/GridView.h"

namespace lumotrix {

class TGridTableView;

enum TGridColumnKind { ckText, ckLookup, ckPickList, ckTime, ckShortTime, ckProgress, ckOffOn };
LUMOTRIX_ENUM_NAMES(TGridColumnKind, "ckText", "ckLookup", "ckPickList", "ckTime", "ckShortTime",
                    "ckProgress", "ckOffOn")

// A column of a grid view; its parent in a form description is the view. A preview column
// shows its field as the line above each row instead of as a column.
class TGridColumnDef : public TComponent {
public:
    explicit TGridColumnDef(TComponent* owner = nullptr);
    ~TGridColumnDef() override;

    QString Caption() const { return FDef.Caption; }
    void SetCaption(const QString& caption);
    // The header's name for assistive tools where it shows no caption (a picture column).
    QString AccessibleCaption() const { return FDef.AccessibleCaption; }
    void SetAccessibleCaption(const QString& caption);
    QString FieldName() const { return FDef.FieldName; }
    void SetFieldName(const QString& name);
    qint32 Width() const { return FDef.Width; }
    void SetWidth(qint32 width);
    qint32 MinWidth() const { return FDef.MinWidth; }
    void SetMinWidth(qint32 width);
    TGridColumnKind Kind() const { return FKind; }
    void SetKind(TGridColumnKind kind);
    bool ReadOnly() const { return FDef.ReadOnly; }
    void SetReadOnly(bool on);
    bool Visible() const { return FDef.Visible; }
    void SetVisible(bool on);
    bool Filtering() const { return FDef.Filtering; }
    void SetFiltering(bool on);
    qint32 MaxLength() const { return FDef.MaxLength; }
    void SetMaxLength(qint32 length);
    TStringList* Items() const { return FItems.get(); }
    // Display-only notes beside the items (GridColumn.h); not a published property.
    QStringList ItemNotes() const { return FDef.ItemNotes; }
    void SetItemNotes(const QStringList& notes);
    QString KeyField() const { return FDef.Lookup.KeyField; }
    void SetKeyField(const QString& field);
    QString ListField() const { return FDef.Lookup.ListField; }
    void SetListField(const QString& field);
    void SetLookupTable(IDataTable* table);
    bool IsPreview() const { return FIsPreview; }
    void SetIsPreview(bool on);

    TGridTableView* View() const { return FView; }
    void SetView(TGridTableView* view);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    int ModelColumn() const { return FColumn; }
    TGridColumn Definition() const;

private:
    friend class TGridTableView;
    void Update();
    void ShowPreview() const;
    TGridColumn FDef;
    TGridColumnKind FKind = ckText;
    std::unique_ptr<TStringList> FItems;
    bool FIsPreview = false;
    TGridTableView* FView = nullptr;
    int FColumn = -1;
};

// A grid over a table (SetTable from code): rows are edited in place, never added; deleting
// rows (Ctrl+Del) only with AllowDelete; sorting and filtering from the headers.
class TGridTableView : public TControl {
public:
    explicit TGridTableView(TComponent* owner = nullptr);
    ~TGridTableView() override;
    GridView* Grid() const;
    void PostEditor() { Grid()->PostEditor(); }
    void SetTable(IDataTable* table);
    bool AllowDelete() const;
    void SetAllowDelete(bool allow);
    bool ColumnAutoWidth() const { return FAutoWidth; }
    void SetColumnAutoWidth(bool on);
    int ColumnCount() const { return static_cast<int>(FColumns.size()); }
    TGridColumnDef* Column(int index) const;
    void Loaded() override;

private:
    friend class TGridColumnDef;
    void AddPendingColumns();
    QList<TGridColumnDef*> FColumns;
    // Columns read with the view join its model together in Loaded: one by one, the header
    // would measure itself again after each.
    QList<TGridColumnDef*> FPendingColumns;
    bool FAutoWidth = true;
};

} // namespace lumotrix
