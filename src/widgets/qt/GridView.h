#pragma once

#include "runtime/DataTable.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <map>
#include <memory>

namespace lumotrix {

// How a grid column shows and edits its field.
enum class TColumnKind {
    Text,      // plain text editor
    Lookup,    // fixed drop-down over another table: stores the key, shows the list field
    PickList,  // fixed drop-down over a list of texts
    Time,      // time of day, hh:mm:ss
    ShortTime, // time, hh:mm
    Progress,  // a time as a bar from 0 to a whole day; read-only
    OffOn      // a boolean as the radio pair "Off" / "On"
};

struct TGridColumn {
    QString Name;      // the column's component name
    QString FieldName; // the table field it shows
    QString Caption;   // header text
    int Width = 80;
    int MinWidth = 20;
    TColumnKind Kind = TColumnKind::Text;
    bool ReadOnly = false;
    bool Visible = true;
    bool Filtering = true; // offered in the header's filter menu
    int MaxLength = 0;     // text editors; 0 = unlimited
    QStringList Items;     // PickList
    TLookupSource Lookup;  // Lookup
    QString OffCaption = QStringLiteral("Off");
    QString OnCaption = QStringLiteral("On");
};

// The fraction of a day that a time value stands for (QTime, or a day fraction as a double).
double DayFraction(const QVariant& value);
QTime ToTime(const QVariant& value);

// A table model over an IDataTable with the columns above. Display role gives the text a user
// sees (lookup text, "On"/"Off", formatted times), edit role the stored value, SortRole a value
// that sorts naturally, PreviewRole the row's preview text.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole + 1;
    static constexpr int PreviewRole = Qt::UserRole + 2;

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    void SetTable(IDataTable* table);
    IDataTable* Table() const { return FTable; }
    int AddColumn(const TGridColumn& column);
    // Appends the columns in one insertion (the header measures once); returns the first's index.
    int AddColumns(const std::vector<TGridColumn>& columns);
    int ColumnCount() const { return static_cast<int>(FColumns.size()); }
    const TGridColumn& Column(int index) const;
    int ColumnByName(const QString& name) const;
    void SetColumnCaption(int index, const QString& caption);
    // Replaces every setting of a column at once.
    void ReplaceColumn(int index, const TGridColumn& column);
    void SetColumnLookup(int index, const TLookupSource& lookup);
    void SetPreviewField(const QString& fieldName);
    QString PreviewField() const { return FPreviewField; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // An "Off"/"On" column got other words for its choices (a language switch); the new ones are
    // in force when this is sent.
    void ChoicesReworded(int column, const QString& oldOff, const QString& oldOn);

private:
    // Follows one table for the model: the grid's own or a lookup column's.
    class TTableWatch final : public ITableObserver {
    public:
        TTableWatch(GridModel& model, IDataTable& table);
        ~TTableWatch();
        void TableChanged(const TTableChange& change) override;

    private:
        GridModel& FModel;
        IDataTable& FTable;
    };

    void Observe(IDataTable* table);
    void Unobserve();
    void OnTableChange(IDataTable* table, const TTableChange& change);
    int FieldOf(int column) const;

    IDataTable* FTable = nullptr;
    std::vector<TGridColumn> FColumns;
    QString FPreviewField;
    std::map<IDataTable*, std::unique_ptr<TTableWatch>> FObserved;
};

// Sorting by SortRole and one exact-text filter per column.
class GridFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit GridFilterModel(QObject* parent = nullptr);
    void SetColumnFilter(int column, const QString& text); // empty text clears it
    QString ColumnFilter(int column) const;
    void ClearFilters();
    bool HasFilters() const { return !FFilters.empty(); }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::map<int, QString> FFilters;
};

// Paints and edits the cells by column kind; leaves the row's preview strip to the view.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridDelegate(GridModel* model, QObject* parent = nullptr);
    void SetPreviewHeight(int height) { FPreviewHeight = height; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Rectangles of the "Off" and "On" halves of a radio cell.
    static std::pair<QRect, QRect> RadioRects(const QRect& cell);

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    QRect CellRect(const QRect& rowRect) const;
    GridModel* FModel;
    int FPreviewHeight = 0;
};

// The row indicator: a triangle at the current row, a pencil mark while it is edited.
class RowIndicator : public QHeaderView {
    Q_OBJECT
public:
    explicit RowIndicator(QWidget* parent = nullptr);
    void SetEditing(bool editing);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    bool FEditing = false;
};

// The grid: a table view over GridModel through GridFilterModel, with a preview strip above
// each row, a row indicator, click-to-sort headers, a filter menu on the header's context menu,
// columns sharing the view's width, no adding rows, and deleting rows (Ctrl+Del) only where
// allowed.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    GridModel* Model() const { return FModel; }
    GridFilterModel* FilterModel() const { return FFilter; }
    GridDelegate* Delegate() const { return FDelegate; }

    void SetPreviewVisible(bool visible);
    bool PreviewVisible() const { return FPreviewVisible; }
    int PreviewHeight() const;
    void SetAllowDelete(bool allow) { FAllowDelete = allow; }
    bool AllowDelete() const { return FAllowDelete; }
    void SetColumnAutoWidth(bool on);
    void ApplyColumns(); // widths, visibility, after columns were added or changed
    // The filter menu of a column (caller owns it): "(Tutti)" and each distinct shown text.
    QMenu* CreateFilterMenu(int column);
    // The source row of the current cell, -1 when none.
    int CurrentRow() const;
    // Writes the text of an open cell editor into the table and closes the editor, as leaving
    // the cell would.
    void PostEditor();
    std::function<bool(int row)> OnConfirmDelete;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void FitColumns();
    void UpdateRowHeights();

    GridModel* FModel;
    GridFilterModel* FFilter;
    GridDelegate* FDelegate;
    RowIndicator* FIndicator;
    bool FPreviewVisible = false;
    bool FAllowDelete = false;
    bool FAutoWidth = true;
};

} // namespace lumotrix
