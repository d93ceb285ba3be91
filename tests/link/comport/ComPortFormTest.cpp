#include "ComPortTestSupport.h"
#include "runtime/Exception.h"
#include "runtime/TextForm.h"
#include "widgets/ComLed.h"
#include "widgets/ComPort.h"
#include "widgets/Control.h"
#include "widgets/Forms.h"

#include <gtest/gtest.h>
#include <memory>

namespace lumotrix {

// A window that owns the port and handles its events the way the main window does.
class TPortTestForm : public TForm {
public:
    using TForm::TForm;
    QStringList Calls;
    QByteArray Received;
    TObject* LastSender = nullptr;

    void ComPortAfterOpen(TObject* sender) {
        LastSender = sender;
        Calls << QStringLiteral("AfterOpen");
    }
    void ComPortAfterClose(TObject* sender) {
        LastSender = sender;
        Calls << QStringLiteral("AfterClose");
    }
    void ComPortRxChar(TObject* sender, int count) {
        LastSender = sender;
        Calls << QStringLiteral("RxChar %1").arg(count);
        Received += dynamic_cast<TComPort*>(sender)->ReadStr(count);
    }
    void ComPortRxFlag(TObject* sender) {
        LastSender = sender;
        Calls << QStringLiteral("RxFlag");
    }
};

LUMOTRIX_REGISTER_CLASS(TPortTestForm, TForm) {
    Method("ComPortAfterOpen", &TPortTestForm::ComPortAfterOpen);
    Method("ComPortAfterClose", &TPortTestForm::ComPortAfterClose);
    Method("ComPortRxChar", &TPortTestForm::ComPortRxChar);
    Method("ComPortRxFlag", &TPortTestForm::ComPortRxFlag);
}

} // namespace lumotrix

using namespace lumotrix;
using namespace lumotrix::comport_test;

namespace {

// The port as the main window describes it, with two of its LEDs.
const char* const PortFormText = R"form(object PortTestForm: TPortTestForm
  Caption = 'Porta'
  object ComLed1: TComLed
    Caption = 'CTS'
    Kind = lkRedLight
    ComPort = ComPort
    LedSignal = lsCTS
  end
  object ComLed4: TComLed
    Caption = 'CONN'
    Kind = lkYellowLight
    ComPort = ComPort
    LedSignal = lsConn
  end
  object ComPort: TComPort
    BaudRate = br9600
    Port = 'COM1'
    Parity.Bits = prNone
    StopBits = sbOneStopBit
    DataBits = dbEight
    Events = [evRxChar, evTxEmpty, evRxFlag, evRing, evBreak, evCTS, evDSR, evError, evRLSD, evRx80Full]
    FlowControl.OutCTSFlow = False
    FlowControl.OutDSRFlow = False
    FlowControl.ControlDTR = dtrDisable
    FlowControl.ControlRTS = rtsDisable
    FlowControl.XonXoffOut = False
    FlowControl.XonXoffIn = False
    DiscardNull = True
    EventChar = #3
    OnAfterOpen = ComPortAfterOpen
    OnAfterClose = ComPortAfterClose
    OnRxChar = ComPortRxChar
    OnRxFlag = ComPortRxFlag
  end
end
)form";

std::unique_ptr<TPortTestForm> LoadForm(const QByteArray& text) {
    auto form = std::make_unique<TPortTestForm>();
    form->LoadFromStream(FormTextToBinary(text));
    return form;
}

QByteArray PortOnly(const QByteArray& properties) {
    return "object PortTestForm: TPortTestForm\n  object ComPort: TComPort\n" + properties +
           "\n  end\nend\n";
}

class ComPortForm : public ::testing::Test {
protected:
    static void SetUpTestSuite() { App(); }
};

} // namespace

TEST_F(ComPortForm, DescriptionSetsTheSettingsAndBindsTheEventsAndLeds) {
    const auto form = LoadForm(PortFormText);
    auto* port = dynamic_cast<TComPort*>(form->FindComponent("ComPort"));
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->ClassName(), "TComPort");
    EXPECT_EQ(port->Owner(), form.get());
    EXPECT_EQ(port->Settings(), TComSettings{});
    EXPECT_TRUE(port->DiscardNull());
    EXPECT_EQ(port->EventChar(), '\x03');
    auto* cts = dynamic_cast<TComLed*>(form->FindComponent("ComLed1"));
    auto* conn = dynamic_cast<TComLed*>(form->FindComponent("ComLed4"));
    ASSERT_TRUE(cts && conn);
    EXPECT_EQ(cts->ComPort(), port); // referred to before the port was read
    EXPECT_EQ(conn->ComPort(), port);

    TPty pty;
    ASSERT_FALSE(pty.Path.isEmpty());
    port->SetPort(pty.Path);
    port->Open();
    EXPECT_EQ(form->Calls, QStringList{"AfterOpen"});
    EXPECT_EQ(form->LastSender, port);
    EXPECT_TRUE(conn->State());
    EXPECT_FALSE(cts->State()); // a pseudo-terminal has no modem lines

    pty.Write(QByteArray("ab\0c\x03", 5));
    ASSERT_TRUE(SpinUntil([&] { return form->Calls.contains("RxFlag"); }));
    EXPECT_EQ(form->Received, "abc\x03");
    EXPECT_TRUE(form->Calls.contains("RxChar 4")) << form->Calls.join(", ").toStdString();
    EXPECT_EQ(form->Calls.last(), "RxFlag");

    port->Close();
    EXPECT_EQ(form->Calls.last(), "AfterClose");
    EXPECT_FALSE(conn->State());

    // The LEDs let go of a port that goes away.
    delete port;
    EXPECT_EQ(cts->ComPort(), nullptr);
    EXPECT_EQ(conn->ComPort(), nullptr);
}

TEST_F(ComPortForm, SettingsReadAsNamesOrNumbers) {
    const auto form = LoadForm(PortOnly("    Port = '/dev/ttyUSB0'\n    BaudRate = 19200\n"
                                        "    DataBits = 7\n    Parity.Bits = prEven\n"
                                        "    StopBits = sbTwoStopBits\n"
                                        "    FlowControl.OutCTSFlow = True\n"
                                        "    FlowControl.ControlRTS = rtsHandshake\n"
                                        "    Events = [evRxChar]"));
    const auto* port = dynamic_cast<TComPort*>(form->FindComponent("ComPort"));
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->Port(), "/dev/ttyUSB0");
    EXPECT_EQ(port->BaudRate(), 19200);
    EXPECT_EQ(port->DataBits(), 7);
    EXPECT_EQ(port->Parity(), TParityBits::prEven);
    EXPECT_EQ(port->StopBits(), TStopBits::sbTwoStopBits);
    EXPECT_TRUE(port->FlowControl().OutCTSFlow);
    EXPECT_EQ(port->FlowControl().ControlRTS, TRTSFlowControl::rtsHandshake);
    EXPECT_EQ(port->FlowControl().ControlDTR, TDTRFlowControl::dtrDisable);
    EXPECT_EQ(port->Events(), TComEvents{TComEvent::evRxChar});
}

TEST_F(ComPortForm, RefusedValuesNameTheProperty) {
    const auto failure = [](const QByteArray& properties) -> QString {
        try {
            LoadForm(PortOnly(properties));
        } catch (const Exception& e) {
            return e.Message();
        }
        return QStringLiteral("loaded");
    };
    EXPECT_TRUE(failure("    BaudRate = 12345").contains("ComPort.BaudRate"));
    EXPECT_TRUE(failure("    BaudRate = br12345").contains("br12345"));
    EXPECT_TRUE(failure("    DataBits = 9").contains("ComPort.DataBits"));
    EXPECT_TRUE(failure("    Parity.Bits = prSome").contains("prSome"));
    EXPECT_TRUE(failure("    OnRxChar = NoSuchHandler").contains("NoSuchHandler"));
    // A handler of the wrong kind: the open event takes no byte count.
    EXPECT_TRUE(failure("    OnRxChar = ComPortAfterOpen").contains("ComPort.OnRxChar"));
}

TEST_F(ComPortForm, BindComLedsWiresEveryLedOfAnOwner) {
    const auto form = LoadForm("object PortTestForm: TPortTestForm\n"
                               "  object ComLed4: TComLed\n    LedSignal = lsConn\n  end\n"
                               "  object ComLed5: TComLed\n    LedSignal = lsTx\n  end\nend\n");
    TComPort port;
    BindComLeds(&port, form.get());
    auto* conn = dynamic_cast<TComLed*>(form->FindComponent("ComLed4"));
    auto* tx = dynamic_cast<TComLed*>(form->FindComponent("ComLed5"));
    EXPECT_EQ(conn->ComPort(), &port);
    port.Engine().OnSignalChanged(TComSignal::lsConn, true);
    EXPECT_TRUE(conn->State());
    EXPECT_FALSE(tx->State());
    // Binding again is harmless; a null port lets go.
    BindComLeds(&port, form.get());
    port.Engine().OnSignalChanged(TComSignal::lsConn, false);
    EXPECT_FALSE(conn->State());
    BindComLeds(nullptr, form.get());
    port.Engine().OnSignalChanged(TComSignal::lsConn, true);
    EXPECT_FALSE(conn->State());
}
