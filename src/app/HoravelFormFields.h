#pragma once

// The components of the main window that its code uses, one typed pointer each, set by the form
// loader when the component of that name is created. The window's parts (temperature page,
// configuration files, appearance) work on these without seeing the whole window.

namespace lumotrix {

class TBarButton;
class TBarEdit;
class TBarItem;
class TBarLargeButton;
class TBarStatic;
class TCheckBox;
class TComLed;
class TComPort;
class TGridColumnDef;
class TGridTableView;
class TLabel;
class TLookupComboBox;
class TOpenDialog;
class TPageControl;
class TProgressBar;
class TRibbon;
class TRibbonTab;
class TSaveDialog;
class TSpinEdit;
class TStatusBar;
class TTabSheet;

struct TForm1Fields {
    TBarLargeButton* BarButtonOpen = nullptr;
    TBarLargeButton* BarButtonSave = nullptr;
    TBarLargeButton* BarButtonPrint = nullptr;
    TBarLargeButton* BarButtonClear = nullptr;
    TBarLargeButton* BarButtonExit = nullptr;
    TBarLargeButton* BarButtonInvio = nullptr;
    TBarLargeButton* BarButtonRicevi = nullptr;
    TBarLargeButton* buttonDate = nullptr;
    TBarLargeButton* BarButtonSettings = nullptr;
    TBarButton* BarButtonLoadSet = nullptr;
    TBarButton* BarButtonSaveSet = nullptr;
    TBarEdit* BarEdit1 = nullptr;
    TBarLargeButton* BarButton8 = nullptr;
    TBarLargeButton* BarLargeButton3 = nullptr;
    TBarLargeButton* BarLargeButton4 = nullptr;
    TBarLargeButton* BarLargeButton5 = nullptr;
    TBarLargeButton* BarLargeButton6 = nullptr;
    TBarLargeButton* BarLargeButton12 = nullptr;
    TBarLargeButton* BarLargeButton10 = nullptr;
    TBarLargeButton* BarLargeButton7 = nullptr;
    TBarLargeButton* BarLargeButton8 = nullptr;
    TBarLargeButton* BarLargeButton9 = nullptr;
    TBarButton* BarButtonClose = nullptr;
    TBarStatic* stModified = nullptr;
    TComPort* ComPort = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TSaveDialog* SaveDialog = nullptr;
    TRibbon* Ribbon = nullptr;
    TRibbonTab* tabHome = nullptr;
    TRibbonTab* tabAppearance = nullptr;
    TStatusBar* StatusBar = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TComLed* ComLed1 = nullptr;
    TComLed* ComLed2 = nullptr;
    TComLed* ComLed3 = nullptr;
    TComLed* ComLed4 = nullptr;
    TComLed* ComLed5 = nullptr;
    TComLed* ComLed6 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TGridTableView* Grid1DBTableView1 = nullptr;
    TGridColumnDef* Grid1DBTableView1Uscita = nullptr;
    TGridColumnDef* Grid1DBTableView1Giorno = nullptr;
    TGridColumnDef* Grid1DBTableView1Inizio = nullptr;
    TGridColumnDef* Grid1DBTableView1Durata = nullptr;
    TGridColumnDef* Grid1DBTableView1Stato = nullptr;
    TGridTableView* Grid2DBTableView1 = nullptr;
    TGridColumnDef* Grid2DBTableView1Descrizione = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TLabel* Label1 = nullptr;
    TSpinEdit* MinTemp = nullptr;
    TLabel* Label7 = nullptr;
    TSpinEdit* MaxTemp = nullptr;
    TLabel* Label8 = nullptr;
    TSpinEdit* TempIdeale = nullptr;
    TLabel* Label9 = nullptr;
    TSpinEdit* Isteresi = nullptr;
    TLabel* TempMon = nullptr;
    TLabel* Label10 = nullptr;
    TLookupComboBox* PrimaPt = nullptr;
    TLabel* Label11 = nullptr;
    TLookupComboBox* SecondaPt = nullptr;
};

// Calls `publish(name, member)` for every field, so that TForm1's registration publishes them to
// the form loader.
template <typename TPublish> void ForEachForm1Field(TPublish&& publish) {
    publish("BarButtonOpen", &TForm1Fields::BarButtonOpen);
    publish("BarButtonSave", &TForm1Fields::BarButtonSave);
    publish("BarButtonPrint", &TForm1Fields::BarButtonPrint);
    publish("BarButtonClear", &TForm1Fields::BarButtonClear);
    publish("BarButtonExit", &TForm1Fields::BarButtonExit);
    publish("BarButtonInvio", &TForm1Fields::BarButtonInvio);
    publish("BarButtonRicevi", &TForm1Fields::BarButtonRicevi);
    publish("buttonDate", &TForm1Fields::buttonDate);
    publish("BarButtonSettings", &TForm1Fields::BarButtonSettings);
    publish("BarButtonLoadSet", &TForm1Fields::BarButtonLoadSet);
    publish("BarButtonSaveSet", &TForm1Fields::BarButtonSaveSet);
    publish("BarEdit1", &TForm1Fields::BarEdit1);
    publish("BarButton8", &TForm1Fields::BarButton8);
    publish("BarLargeButton3", &TForm1Fields::BarLargeButton3);
    publish("BarLargeButton4", &TForm1Fields::BarLargeButton4);
    publish("BarLargeButton5", &TForm1Fields::BarLargeButton5);
    publish("BarLargeButton6", &TForm1Fields::BarLargeButton6);
    publish("BarLargeButton12", &TForm1Fields::BarLargeButton12);
    publish("BarLargeButton10", &TForm1Fields::BarLargeButton10);
    publish("BarLargeButton7", &TForm1Fields::BarLargeButton7);
    publish("BarLargeButton8", &TForm1Fields::BarLargeButton8);
    publish("BarLargeButton9", &TForm1Fields::BarLargeButton9);
    publish("BarButtonClose", &TForm1Fields::BarButtonClose);
    publish("stModified", &TForm1Fields::stModified);
    publish("ComPort", &TForm1Fields::ComPort);
    publish("OpenDialog", &TForm1Fields::OpenDialog);
    publish("SaveDialog", &TForm1Fields::SaveDialog);
    publish("Ribbon", &TForm1Fields::Ribbon);
    publish("tabHome", &TForm1Fields::tabHome);
    publish("tabAppearance", &TForm1Fields::tabAppearance);
    publish("StatusBar", &TForm1Fields::StatusBar);
    publish("ProgressBar1", &TForm1Fields::ProgressBar1);
    publish("ComLed1", &TForm1Fields::ComLed1);
    publish("ComLed2", &TForm1Fields::ComLed2);
    publish("ComLed3", &TForm1Fields::ComLed3);
    publish("ComLed4", &TForm1Fields::ComLed4);
    publish("ComLed5", &TForm1Fields::ComLed5);
    publish("ComLed6", &TForm1Fields::ComLed6);
    publish("PageControl1", &TForm1Fields::PageControl1);
    publish("TabSheet1", &TForm1Fields::TabSheet1);
    publish("Grid1DBTableView1", &TForm1Fields::Grid1DBTableView1);
    publish("Grid1DBTableView1Uscita", &TForm1Fields::Grid1DBTableView1Uscita);
    publish("Grid1DBTableView1Giorno", &TForm1Fields::Grid1DBTableView1Giorno);
    publish("Grid1DBTableView1Inizio", &TForm1Fields::Grid1DBTableView1Inizio);
    publish("Grid1DBTableView1Durata", &TForm1Fields::Grid1DBTableView1Durata);
    publish("Grid1DBTableView1Stato", &TForm1Fields::Grid1DBTableView1Stato);
    publish("Grid2DBTableView1", &TForm1Fields::Grid2DBTableView1);
    publish("Grid2DBTableView1Descrizione", &TForm1Fields::Grid2DBTableView1Descrizione);
    publish("CheckBox1", &TForm1Fields::CheckBox1);
    publish("Label1", &TForm1Fields::Label1);
    publish("MinTemp", &TForm1Fields::MinTemp);
    publish("Label7", &TForm1Fields::Label7);
    publish("MaxTemp", &TForm1Fields::MaxTemp);
    publish("Label8", &TForm1Fields::Label8);
    publish("TempIdeale", &TForm1Fields::TempIdeale);
    publish("Label9", &TForm1Fields::Label9);
    publish("Isteresi", &TForm1Fields::Isteresi);
    publish("TempMon", &TForm1Fields::TempMon);
    publish("Label10", &TForm1Fields::Label10);
    publish("PrimaPt", &TForm1Fields::PrimaPt);
    publish("Label11", &TForm1Fields::Label11);
    publish("SecondaPt", &TForm1Fields::SecondaPt);
}

} // namespace lumotrix
