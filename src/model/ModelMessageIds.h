#pragma once

#include <QtGlobal>

namespace lumotrix {

// The configuration's messages (see runtime/MessageIds.h for the numbering).
enum TModelMessageId : quint16 {
    // Saving a configuration set (64977 is retired).
    msgNothingWritten = 64983,
    msgCannotKeepOldCopy = 64982,
    msgWriteFailedRestored = 64981,
    msgWriteFailedNotRestored = 64980,
    msgSaveNotUndone = 64979,
    msgSaveRecordUnreadable = 64978,
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
    // A record of an unfinished save that is not used, with what the user can do about it.
    msgSaveRecordRefused = 64859,
    // The week's problems, and how they name timers and ports.
    msgWeekTimer = 64759,
    msgWeekTimerNoLabel = 64758,
    msgWeekPort = 64757,
    msgWeekPortNoName = 64756,
    msgWeekList = 64755,
    msgWeekZeroDuration = 64754,
    msgWeekNoPort = 64753,
    msgWeekBadDay = 64752,
    msgWeekOverlap = 64751,
    msgWeekRegulatedPort = 64750,
};

} // namespace lumotrix
