#include "widgets/qt/ComPortSetupDialog.h"

#include "runtime/Exception.h"
#include "widgets/qt/Accessibility.h"
#include "widgets/qt/WidgetMessageIds.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSerialPortInfo>
#include <QVBoxLayout>

namespace lumotrix {

namespace {

enum TFlowChoice { flowNone, flowHardware, flowSoftware };

int FlowChoice(const TComFlowControl& f) {
    if (f.OutCTSFlow || f.ControlRTS == TRTSFlowControl::rtsHandshake)
        return flowHardware;
    if (f.XonXoffIn || f.XonXoffOut)
        return flowSoftware;
    return flowNone;
}

QComboBox* Combo(QWidget* parent, const QString& name, const QStringList& items,
                 bool editable = false) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setEditable(editable);
    return box;
}

} // namespace

TComPortSetupDialog::TComPortSetupDialog(QWidget* parent) : QDialog(parent) {
    InstallAccessibles();
    setWindowTitle(MessageText(msgSetupTitle));
    // The ports present; any other device path (a pseudo-terminal) can be typed in.
    FPort = Combo(this, QStringLiteral("Port"), {}, true);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        FPort->addItem(info.systemLocation());
        if (!info.description().isEmpty())
            FPort->setItemData(FPort->count() - 1, info.description(), Qt::ToolTipRole);
    }
    QStringList rates;
    for (int rate : StandardBaudRates())
        rates << QString::number(rate);
    FBaudRate = Combo(this, QStringLiteral("BaudRate"), rates);
    FDataBits = Combo(this, QStringLiteral("DataBits"), {"5", "6", "7", "8"});
    FParity =
        Combo(this, QStringLiteral("Parity"),
              {MessageText(msgParityNone), MessageText(msgParityOdd), MessageText(msgParityEven),
               MessageText(msgParityMark), MessageText(msgParitySpace)});
    FStopBits = Combo(this, QStringLiteral("StopBits"), {"1", "1.5", "2"});
    FFlowControl = Combo(
        this, QStringLiteral("FlowControl"),
        {MessageText(msgFlowNone), MessageText(msgFlowHardware), MessageText(msgFlowSoftware)});

    auto* form = new QFormLayout;
    const std::pair<TWidgetMessageId, QComboBox*> rows[] = {
        {msgSetupPort, FPort},         {msgSetupBaudRateLabel, FBaudRate},
        {msgSetupDataBits, FDataBits}, {msgSetupParity, FParity},
        {msgSetupStopBits, FStopBits}, {msgSetupFlowControl, FFlowControl}};
    for (const auto& [label, box] : rows) {
        const QString caption = MessageText(label);
        form->addRow(caption, box);
        // Read by its label, not by the value it shows.
        SetAccessibleNameWithParts(box, NameFromLabel(caption));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void TComPortSetupDialog::Load(const TComSettings& port) {
    // The port in use is offered even when it is not present now (an adapter unplugged).
    if (FPort->findText(port.Port) < 0)
        FPort->insertItem(0, port.Port);
    FPort->setCurrentIndex(FPort->findText(port.Port));
    FBaudRate->setCurrentText(QString::number(port.BaudRate));
    FDataBits->setCurrentIndex(port.DataBits - 5);
    FParity->setCurrentIndex(int(port.Parity));
    FStopBits->setCurrentIndex(int(port.StopBits));
    FLoadedFlow = FlowChoice(port.FlowControl);
    FFlowControl->setCurrentIndex(FLoadedFlow);
}

void TComPortSetupDialog::Apply(TComSettings& edited) const {
    TComSettings settings = edited;
    bool ok = false;
    settings.BaudRate = FBaudRate->currentText().trimmed().toInt(&ok);
    if (!ok || !StandardBaudRates().contains(settings.BaudRate))
        throw ERangeError(TMessage(msgSetupBaudRate, {FBaudRate->currentText()}));
    settings.Port = FPort->currentText().trimmed();
    if (settings.Port.isEmpty())
        throw ERangeError(TMessage(msgSetupPortMissing));
    settings.DataBits = FDataBits->currentIndex() + 5;
    settings.Parity = TParityBits(FParity->currentIndex());
    settings.StopBits = TStopBits(FStopBits->currentIndex());
    // An unchanged choice keeps the finer settings the store may hold.
    if (FFlowControl->currentIndex() != FLoadedFlow) {
        TComFlowControl flow;
        if (FFlowControl->currentIndex() == flowHardware) {
            flow.OutCTSFlow = true;
            flow.ControlRTS = TRTSFlowControl::rtsHandshake;
            flow.ControlDTR = TDTRFlowControl::dtrEnable;
        } else if (FFlowControl->currentIndex() == flowSoftware) {
            flow.XonXoffIn = true;
            flow.XonXoffOut = true;
        }
        settings.FlowControl = flow;
    }
    // All at once: an open port is reopened at most once, and a refused value changes nothing.
    CheckSettings(settings);
    edited = settings;
}

bool TComPortSetupDialog::Execute(TComSettings& settings, QWidget* parent) {
    TComPortSetupDialog dialog(parent);
    dialog.Load(settings);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.Apply(settings);
    return true;
}

} // namespace lumotrix
