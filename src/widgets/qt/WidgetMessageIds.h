#pragma once

#include <QtGlobal>

namespace lumotrix {

// The widgets' own texts and messages, for the components in widgets/ as well (see
// runtime/MessageIds.h for the numbering).
enum TWidgetMessageId : quint16 {
    // The serial settings dialog.
    msgSetupBaudRate = 64910,
    msgSetupPortMissing = 64909,
    // The application object.
    msgOutOfMemory = 64908,
    // The serial settings dialog's own texts.
    msgSetupTitle = 64907,
    msgSetupPort = 64906,
    msgSetupBaudRateLabel = 64905,
    msgSetupDataBits = 64904,
    msgSetupParity = 64903,
    msgSetupStopBits = 64902,
    msgSetupFlowControl = 64901,
    msgParityNone = 64900,
    msgParityOdd = 64899,
    msgParityEven = 64898,
    msgParityMark = 64897,
    msgParitySpace = 64896,
    msgFlowNone = 64895,
    msgFlowHardware = 64894,
    msgFlowSoftware = 64893,
    // The ribbon's own chrome.
    msgRibbonRecentDocuments = 64892,
    msgRibbonMinimizeWindow = 64891,
    msgRibbonMaximizeWindow = 64890,
    msgRibbonRestoreWindow = 64889,
    msgRibbonCloseWindow = 64888,
    msgRibbonQat = 64887,
    msgRibbonQatCustomize = 64886,
    msgRibbonAppMenu = 64885,
    msgRibbonQatRemove = 64884,
    msgRibbonQatAdd = 64883,
    msgRibbonQatBelow = 64882,
    msgRibbonQatAbove = 64881,
    msgRibbonMinimize = 64880,
    msgRibbon = 64879,
    msgRibbonTabs = 64878,
    msgRibbonAppButton = 64877,
    msgRibbonHelp = 64876,
    // What assistive tools read of the widgets, and the grid's filter choices.
    msgLedOn = 64872,
    msgLedOff = 64871,
    msgPages = 64870,
    msgStatusBar = 64869,
    msgFilterAll = 64868,
    msgFilterEmpty = 64867,
    // The tab bars' scroll buttons.
    msgScrollLeft = 64865,
    msgScrollRight = 64864,
    // The timer grid's state choices.
    msgGridOff = 64861,
    msgGridOn = 64860,
};

} // namespace lumotrix
