#include "app/WeekPage.h"

#include "app/TemperaturePage.h"
#include "model/Configuration.h"
#include "model/ModelMessageIds.h"
#include "runtime/Paths.h"
#include "weekchart/WeekChartMessageIds.h"
#include "widgets/Application.h"
#include "widgets/Button.h"
#include "widgets/Dialogs.h"
#include "widgets/GridTableView.h"
#include "widgets/PageControl.h"
#include "widgets/Ribbon.h"
#include "widgets/WeekChart.h"
#include "widgets/qt/RibbonBar.h"
#include "widgets/qt/WeekChart.h"
#include "widgets/qt/WeekChartExport.h"

#include <QFileInfo>

namespace lumotrix {

TWeekPage::TWeekPage(const TForm1Fields& fields, TConfiguration& configuration,
                     const TTemperaturePage& temperature, std::function<QString()> fileName)
    : F(fields), FConfiguration(configuration), FTemperature(temperature),
      FFileName(std::move(fileName)) {}

TWeekPage::~TWeekPage() {
    if (FBound) {
        FConfiguration.Timers.DetachObserver(this);
        FConfiguration.Ports.DetachObserver(this);
    }
}

void TWeekPage::Bind() {
    if (FBound)
        return;
    FBound = true;
    FConfiguration.Timers.AttachObserver(this);
    FConfiguration.Ports.AttachObserver(this);
    WeekChart* chart = F.WeekChart1->Chart();
    const auto refresh = [this] { Guarded([this] { Refresh(); }); };
    // The regulated ports follow the temperature page's editors as they are, saved or not.
    FTemperature.WatchEdits(chart, refresh);
    RibbonBar* ribbon = F.Ribbon->Bar();
    chart->SetColorScheme(ribbon->ColorSchemeName());
    QObject::connect(ribbon, &RibbonBar::colorSchemeChanged, chart,
                     [chart, ribbon] { chart->SetColorScheme(ribbon->ColorSchemeName()); });
    QObject::connect(chart, &WeekChart::shown, chart, GuardedHandler([this] {
                         if (FStale)
                             Rebuild();
                     }));
    QObject::connect(chart, &WeekChart::barActivated, chart,
                     GuardedHandler([this](int row) { OpenTimer(row); }));
}

void TWeekPage::TableChanged(const TTableChange& change) {
    using TKind = TTableChange::TKind;
    if (change.Kind == TKind::Reset || change.Kind == TKind::RowChanged)
        Refresh();
}

void TWeekPage::Refresh() {
    FStale = true;
    if (F.WeekChart1 && F.WeekChart1->Chart()->isVisible())
        Rebuild();
}

TWeekChartData TWeekPage::ChartData() const {
    const TWeekModel week = BuildWeekModel(FConfiguration, FTemperature.Read());
    const QString file = FFileName ? FFileName() : QString();
    const QString title =
        file.isEmpty()
            ? MessageText(msgWeekTitle)
            : MessageText(TMessage(msgWeekTitleFile, {QFileInfo(file).completeBaseName()}));
    return FillWeekChart(week, FormatSettingsDayNames(), title);
}

void TWeekPage::Rebuild() {
    FStale = false;
    F.WeekChart1->Chart()->SetData(ChartData());
}

void TWeekPage::OpenTimer(int row) {
    if (row < 1 || row > FConfiguration.Timers.RecordCount())
        return;
    F.PageControl1->SetActivePage(F.TabSheet1);
    FConfiguration.Timers.SetRecNo(row);
    F.Grid1DBTableView1->Widget()->setFocus(Qt::OtherFocusReason);
}

void TWeekPage::Export() {
    const QString file = FFileName ? FFileName() : QString();
    const QString folder =
        file.isEmpty() ? GetSpecialFolderPath(CSIDL_PERSONAL) : QFileInfo(file).path();
    const QString name =
        file.isEmpty() ? MessageText(msgWeekTitle) : QFileInfo(file).completeBaseName();
    QString target = folder + QLatin1Char('/') + name + QStringLiteral(".svg");
    if (!FileDialogs().GetSaveFileName(MessageText(msgWeekExportCaption), target,
                                       MessageText(msgWeekExportFilter), QStringLiteral("svg"),
                                       target))
        return;
    TMessage reason;
    if (!ExportWeekChart(ChartData(), F.Ribbon->ColorSchemeName(), WeekChartFormatOf(target),
                         target, reason))
        throw Exception(MessageText(TMessage(msgNothingWritten, {target, reason})));
}

} // namespace lumotrix
