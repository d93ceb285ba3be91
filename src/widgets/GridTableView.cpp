#include "widgets/GridTableView.h"

#include "runtime/Message.h"
#include "widgets/Application.h"
#include "widgets/qt/WidgetMessageIds.h"

namespace lumotrix {

TGridColumnDef::TGridColumnDef(TComponent* owner)
    : TComponent(owner), FItems(std::make_unique<TStringList>()) {
    FItems->OnChange = TNotifyEvent([this](TObject*) { Update(); });
}

TGridColumnDef::~TGridColumnDef() {
    if (FView) {
        FView->FColumns.removeAll(this);
        FView->FPendingColumns.removeAll(this);
    }
}

TGridColumn TGridColumnDef::Definition() const {
    TGridColumn def = FDef;
    def.Name = Name();
    static constexpr TColumnKind kinds[] = {
        TColumnKind::Text,      TColumnKind::Lookup,   TColumnKind::PickList, TColumnKind::Time,
        TColumnKind::ShortTime, TColumnKind::Progress, TColumnKind::OffOn};
    def.Kind = kinds[qBound(0, static_cast<int>(FKind), 6)];
    def.Items = FItems->ToStringList();
    // From the string table in force each time: defining the column again after a language
    // switch (its caption is set anew) brings the new words.
    if (def.Kind == TColumnKind::OffOn) {
        def.OffCaption = MessageText(msgGridOff);
        def.OnCaption = MessageText(msgGridOn);
    }
    if (FIsPreview)
        def.Visible = false;
    return def;
}

void TGridColumnDef::Update() {
    if (!FView || FColumn < 0)
        return;
    GridModel* model = FView->Grid()->Model();
    model->ReplaceColumn(FColumn, Definition());
    ShowPreview();
    FView->Grid()->ApplyColumns();
}

void TGridColumnDef::ShowPreview() const {
    // A preview column's field is shown under each row rather than as a column.
    if (!FIsPreview)
        return;
    FView->Grid()->Model()->SetPreviewField(FDef.FieldName);
    FView->Grid()->SetPreviewVisible(true);
}

void TGridColumnDef::SetItemNotes(const QStringList& notes) {
    FDef.ItemNotes = notes;
    Update();
}

void TGridColumnDef::SetCaption(const QString& caption) {
    FDef.Caption = caption;
    Update();
}
void TGridColumnDef::SetAccessibleCaption(const QString& caption) {
    FDef.AccessibleCaption = caption;
    Update();
}
void TGridColumnDef::SetFieldName(const QString& name) {
    FDef.FieldName = name;
    Update();
}
void TGridColumnDef::SetWidth(qint32 width) {
    FDef.Width = width;
    Update();
}
void TGridColumnDef::SetMinWidth(qint32 width) {
    FDef.MinWidth = width;
    Update();
}
void TGridColumnDef::SetKind(TGridColumnKind kind) {
    FKind = kind;
    Update();
}
void TGridColumnDef::SetReadOnly(bool on) {
    FDef.ReadOnly = on;
    Update();
}
void TGridColumnDef::SetVisible(bool on) {
    FDef.Visible = on;
    Update();
}
void TGridColumnDef::SetFiltering(bool on) {
    FDef.Filtering = on;
    Update();
}
void TGridColumnDef::SetMaxLength(qint32 length) {
    FDef.MaxLength = length;
    Update();
}
void TGridColumnDef::SetKeyField(const QString& field) {
    FDef.Lookup.KeyField = field;
    Update();
}
void TGridColumnDef::SetListField(const QString& field) {
    FDef.Lookup.ListField = field;
    Update();
}
void TGridColumnDef::SetLookupTable(IDataTable* table) {
    FDef.Lookup.Table = table;
    Update();
}
void TGridColumnDef::SetIsPreview(bool on) {
    FIsPreview = on;
    Update();
}

void TGridColumnDef::SetView(TGridTableView* view) {
    if (view == FView)
        return;
    // Columns are only ever added; one taken away stays as a hidden column of the model.
    if (FView) {
        FView->AddPendingColumns();
        FDef.Visible = false;
        Update();
        FView->FColumns.removeAll(this);
    }
    FView = view;
    FColumn = -1;
    if (view) {
        view->FColumns.append(this);
        if (view->IsLoading()) {
            view->FPendingColumns.append(this);
            return;
        }
        view->AddPendingColumns();
        FColumn = view->Grid()->Model()->AddColumn(Definition());
        Update();
    }
}

void TGridColumnDef::SetParentComponent(TComponent* parent) {
    if (auto* view = dynamic_cast<TGridTableView*>(parent))
        SetView(view);
}

TComponent* TGridColumnDef::GetParentComponent() const {
    return FView;
}

LUMOTRIX_REGISTER_CLASS(TGridColumnDef, TComponent) {
    Property("Caption", &TGridColumnDef::Caption, &TGridColumnDef::SetCaption);
    Property("FieldName", &TGridColumnDef::FieldName, &TGridColumnDef::SetFieldName);
    Property("Width", &TGridColumnDef::Width, &TGridColumnDef::SetWidth);
    Property("MinWidth", &TGridColumnDef::MinWidth, &TGridColumnDef::SetMinWidth);
    Property("Kind", &TGridColumnDef::Kind, &TGridColumnDef::SetKind);
    Property("ReadOnly", &TGridColumnDef::ReadOnly, &TGridColumnDef::SetReadOnly);
    Property("Visible", &TGridColumnDef::Visible, &TGridColumnDef::SetVisible);
    Property("Filtering", &TGridColumnDef::Filtering, &TGridColumnDef::SetFiltering);
    Property("MaxLength", &TGridColumnDef::MaxLength, &TGridColumnDef::SetMaxLength);
    Property("Items", &TGridColumnDef::Items);
    Property("KeyField", &TGridColumnDef::KeyField, &TGridColumnDef::SetKeyField);
    Property("ListField", &TGridColumnDef::ListField, &TGridColumnDef::SetListField);
    Property("IsPreview", &TGridColumnDef::IsPreview, &TGridColumnDef::SetIsPreview);
}

TGridTableView::TGridTableView(TComponent* owner) : TControl(owner) {
    auto* grid = new GridView;
    SetWidget(grid);
    QObject::connect(grid->Model(), &GridModel::valueRefused, grid,
                     [](const Exception& error) { ShowException(error); });
}

TGridTableView::~TGridTableView() {
    for (TGridColumnDef* column : FColumns) {
        column->FView = nullptr;
        column->FColumn = -1;
    }
}

void TGridTableView::Loaded() {
    AddPendingColumns();
    TControl::Loaded();
}

void TGridTableView::AddPendingColumns() {
    if (FPendingColumns.isEmpty())
        return;
    const QList<TGridColumnDef*> pending = std::exchange(FPendingColumns, {});
    std::vector<TGridColumn> definitions;
    definitions.reserve(static_cast<size_t>(pending.size()));
    for (const TGridColumnDef* column : pending)
        definitions.push_back(column->Definition());
    int index = Grid()->Model()->AddColumns(definitions);
    for (TGridColumnDef* column : pending) {
        column->FColumn = index++;
        column->ShowPreview();
    }
}

GridView* TGridTableView::Grid() const {
    return static_cast<GridView*>(Widget());
}
void TGridTableView::SetTable(IDataTable* table) {
    Grid()->Model()->SetTable(table);
}
bool TGridTableView::AllowDelete() const {
    return Grid()->AllowDelete();
}
void TGridTableView::SetAllowDelete(bool allow) {
    Grid()->SetAllowDelete(allow);
}

void TGridTableView::SetColumnAutoWidth(bool on) {
    FAutoWidth = on;
    Grid()->SetColumnAutoWidth(on);
}

TGridColumnDef* TGridTableView::Column(int index) const {
    if (index < 0 || index >= ColumnCount())
        throw ERangeError(DeveloperText(QStringLiteral("No column %1").arg(index)));
    return FColumns[index];
}

LUMOTRIX_REGISTER_CLASS(TGridTableView, TControl) {
    Property("AllowDelete", &TGridTableView::AllowDelete, &TGridTableView::SetAllowDelete);
    Property("ColumnAutoWidth", &TGridTableView::ColumnAutoWidth,
             &TGridTableView::SetColumnAutoWidth);
}

} // namespace lumotrix
