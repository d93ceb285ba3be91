#pragma once

#include <QtGlobal>

namespace lumotrix {

// Ids of the program's own messages in its string table, numbered down from 65000 (the ids
// above are the window's texts). The built-in Italian texts are in app/lumotrix.rc, the
// command-line tool's English ones in its EnglishMessages.cpp.
enum TMessageId : quint16 {
    msgNoSettingsStored = 65000,
    // Reasons a system call gives, in words of our own.
    msgReasonMissing = 64999,
    msgReasonNoPermission = 64998,
    msgReasonBusy = 64997,
    msgReasonDiskFull = 64996,
    msgReasonReadOnly = 64995,
    msgReasonIsFolder = 64994,
    msgReasonNotFolder = 64993,
    msgReasonNotRegularFile = 64992,
    msgReasonDeviceError = 64991,
    msgReasonNameTooLong = 64990,
    msgReasonTooManyFiles = 64989,
    msgReasonSystemError = 64988,
    msgReasonDisconnected = 64987,
    msgReasonNotSupported = 64986,
    msgReasonTimedOut = 64985,
    msgReasonUnknown = 64984,
    // Saving a configuration set.
    msgNothingWritten = 64983,
    msgCannotKeepOldCopy = 64982,
    msgWriteFailedRestored = 64981,
    msgWriteFailedNotRestored = 64980,
    msgSaveNotUndone = 64979,
    msgSaveRecordUnreadable = 64978,
    msgSaveRecordDamaged = 64977,
    // A configuration's files, checked before a send.
    msgNoTimerFile = 64976,
    msgTimerCountWrong = 64975,
    msgPortFileMissing = 64974,
    msgPortsNotNumbered = 64973,
    msgTemperatureFileMissing = 64972,
    msgTemperatureOutOfRange = 64971,
    // Table files.
    msgTableFileUnreadable = 64970,
    msgTableFileRefused = 64969,
    msgTableFileUnwritable = 64968,
    msgTableTooLarge = 64967,
    msgTableNotTableFile = 64966,
    msgTableVersion = 64965,
    msgTableCutShort = 64964,
    msgTableDamaged = 64963,
    msgTableFieldCount = 64962,
    msgTableFieldName = 64961,
    msgTableFieldType = 64960,
    msgTableFieldSize = 64959,
    msgTableRecordNumber = 64958,
    msgTableFieldTwice = 64957,
    msgTableOtherFields = 64956,
    msgTableRowsDoNotFit = 64955,
    msgTableTooManyRows = 64954,
    msgTableNullFlag = 64953,
    msgTableTextTooLong = 64952,
    msgTableBoolean = 64951,
    msgTableRowValue = 64950,
    msgTableTrailingBytes = 64949,
    // Values of table fields and cells.
    msgFieldNotInteger = 64948,
    msgFieldNotNumber = 64947,
    msgFieldNotBoolean = 64946,
    msgFieldNotTime = 64945,
    msgFieldOutOfRange = 64944,
    msgFieldBadTimeOfDay = 64943,
    msgFieldBadDuration = 64942,
    msgBadTimeOfDay = 64941,
    msgCharactersNotStorable = 64940,
    msgCellNotInteger = 64939,
    // Sending to the controller and reading its answer.
    msgBadDelay = 64938,
    msgPortTableIncomplete = 64937,
    msgPortNameControlChar = 64936,
    msgDumpRefused = 64935,
    // The serial port.
    msgPortOpenFailed = 64934,
    msgPortSettingsRefused = 64933,
    msgPortWriteFailed = 64932,
    msgPortLineStalled = 64931,
    msgPortNotOpen = 64930,
    msgPortStopped = 64929,
    msgPortNamedDevice = 64928,
    // Serial settings and their store.
    msgSettingsPortMissing = 64927,
    msgSettingsPortName = 64926,
    msgSettingsBaudRate = 64925,
    msgSettingsDataBits = 64924,
    msgSettingsParity = 64923,
    msgSettingsStopBits = 64922,
    msgSettingsFlowControl = 64921,
    msgStoreTypeInvalid = 64920,
    msgStoreKeyNotUser = 64919,
    msgStoreKeyMissing = 64918,
    msgStoreValueInvalid = 64917,
    msgStoreValueNotText = 64916,
    msgStoreValueNotNumber = 64915,
    msgStoreSettingsInvalid = 64914,
    msgStoreReadFailed = 64913,
    msgStoreWriteFailed = 64912,
    msgStoreKeyNotCreated = 64911,
    // The serial settings dialog.
    msgSetupBaudRate = 64910,
    msgSetupPortMissing = 64909,
    // The application object.
    msgOutOfMemory = 64908,
};

} // namespace lumotrix
