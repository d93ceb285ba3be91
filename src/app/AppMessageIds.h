#pragma once

#include <QtGlobal>

namespace lumotrix {

// The main window's texts and messages (see runtime/MessageIds.h for the numbering). The ids
// from 65504 up are the window's own texts, translated with the window.
enum TAppMessageId : quint16 {
    // The timer grid's column headers.
    msgColumnPort = 65504,
    msgColumnDay = 65505,
    msgColumnStart = 65506,
    msgColumnDuration = 65507,
    msgColumnState = 65508,
    msgColumnDescription = 65509,
    // The receive command's two captions and the send command's.
    msgCancelReceive = 65510,
    msgReceive = 65511,
    msgSend = 65512,
    msgAskSave = 65520,
    // The pieces of the temperature page's band texts.
    msgBandOffAtIdeal = 65521,
    msgBandTemperatureOf = 65522,
    msgBandOffBetween = 65523,
    msgBandBetween = 65524,
    msgBandAnd = 65525,
    msgBandOnFromZero = 65526,
    msgBandOnFrom = 65527,
    msgBandOnwards = 65528,
    // The serial settings kept or read back.
    msgSettingsStored = 65530,
    msgSettingsLoaded = 65531,
    msgAskClear = 65532,
    // Loading serial settings when none are stored.
    msgNoSettingsStored = 65000,
    // The status bar's unsaved-edit item.
    msgStatusModified = 64862,
    // The main window's undo and redo commands.
    msgUndo = 64858,
    msgRedo = 64857,
    msgUndoTip = 64856,
    msgRedoTip = 64855,
    // The timer grid's last day choice in the user's language, shown beside the Italian one.
    msgAllDays = 64789,
    // What the status bar says a command did, and while it waits for the controller.
    msgStatusReceived = 64809,
    msgStatusSent = 64808,
    msgStatusSaved = 64807,
    msgStatusOpened = 64806,
    msgStatusSettingsStored = 64805,
    msgStatusSettingsLoaded = 64804,
    msgStatusListening = 64803,
    msgStatusReceiveClosed = 64802,
    // Names assistive tools read for controls that show none.
    msgTimerGrid = 64801,
    msgPortGrid = 64800,
    msgGridTimerLabel = 64799,
    msgGridDurationBar = 64798,
    msgGridRecordId = 64797,
    msgTransferProgress = 64796,
    // The ribbon's key tips: the letters typed after Alt or F10, each language its own.
    msgKeyTipAppButton = 64849,
    msgKeyTipTabHome = 64848,
    msgKeyTipTabAppearance = 64847,
    msgKeyTipOpen = 64846,
    msgKeyTipSave = 64845,
    msgKeyTipSaveAs = 64844,
    msgKeyTipPrint = 64843,
    msgKeyTipClear = 64842,
    msgKeyTipExit = 64841,
    msgKeyTipSend = 64840,
    msgKeyTipReceive = 64839,
    msgKeyTipDateSync = 64838,
    msgKeyTipSerialSettings = 64837,
    msgKeyTipLoadSettings = 64836,
    msgKeyTipSaveSettings = 64835,
    msgKeyTipDelay = 64834,
    msgKeyTipBlue = 64833,
    msgKeyTipBlack = 64832,
    msgKeyTipSilver = 64831,
    msgKeyTipRibbonForm = 64830,
    msgKeyTipLanguage = 64829,
    msgKeyTipQatVisible = 64828,
    msgKeyTipQatAbove = 64827,
    msgKeyTipQatBelow = 64826,
};

} // namespace lumotrix
