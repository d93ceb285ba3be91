#include "EnglishMessages.h"

#include "runtime/MessageIds.h"

#include <QHash>

namespace lumotrix {

namespace {

const QHash<quint16, QString>& Texts() {
    static const QHash<quint16, QString> texts{
        {msgNoSettingsStored,
         QStringLiteral("No serial settings stored: the current ones stay in use.")},
        {msgReasonMissing, QStringLiteral("the file or folder does not exist")},
        {msgReasonNoPermission, QStringLiteral("permission denied")},
        {msgReasonBusy, QStringLiteral("the device is in use by another program")},
        {msgReasonDiskFull, QStringLiteral("the disk is full")},
        {msgReasonReadOnly, QStringLiteral("the disk is read-only")},
        {msgReasonIsFolder, QStringLiteral("it is a folder")},
        {msgReasonNotFolder, QStringLiteral("part of the path is not a folder")},
        {msgReasonNotRegularFile, QStringLiteral("it is not a regular file")},
        {msgReasonDeviceError, QStringLiteral("read or write error on the device")},
        {msgReasonNameTooLong, QStringLiteral("the name is too long")},
        {msgReasonTooManyFiles, QStringLiteral("too many open files")},
        {msgReasonSystemError, QStringLiteral("system error %1")},
        {msgReasonDisconnected, QStringLiteral("the device was disconnected")},
        {msgReasonNotSupported, QStringLiteral("the device does not support the operation")},
        {msgReasonTimedOut, QStringLiteral("the operation timed out")},
        {msgReasonUnknown, QStringLiteral("unknown error")},
        {msgNothingWritten, QStringLiteral("Nothing written: cannot write \"%1\": %2.")},
        {msgCannotKeepOldCopy, QStringLiteral("cannot keep a copy of the old file (%1)")},
        {msgWriteFailedRestored,
         QStringLiteral("Cannot write \"%1\": %2; the files are as they were.")},
        {msgWriteFailedNotRestored, QStringLiteral("Cannot write \"%1\": %2; could not put back "
                                                   "the old %3 (its copy is kept beside it).")},
        {msgSaveNotUndone, QStringLiteral("An unfinished save could not be undone: cannot put back "
                                          "the old %1 (its copy is kept beside it).")},
        {msgSaveRecordUnreadable,
         QStringLiteral("Cannot read the record of the unfinished save \"%1\": %2.")},
        {msgSaveRecordRefused,
         QStringLiteral("The record of the unfinished save \"%1\" is damaged or names files that "
                        "are not part of the configuration: no file was touched. Check the "
                        "configuration's files, then delete \"%1\" by hand.")},
        {msgNoTimerFile, QStringLiteral("There is no timer file \"%1\".")},
        {msgTimerCountWrong,
         QStringLiteral("\"%1\" holds %2 timers; the controller needs all %3.")},
        {msgPortFileMissing, QStringLiteral("The port file \"%1\" is missing.")},
        {msgPortsNotNumbered, QStringLiteral("\"%1\" must name the ports 1 to %2, once each.")},
        {msgTemperatureFileMissing,
         QStringLiteral("The temperature file \"%1\" is missing or empty.")},
        {msgTemperatureOutOfRange,
         QStringLiteral("\"%1\" holds a temperature setting out of range (temperatures 0 to %2, "
                        "hysteresis 0 to %3, ports 0 to %4).")},
        {msgTableFileUnreadable, QStringLiteral("Cannot read the table file \"%1\": %2.")},
        {msgTableFileRefused,
         QStringLiteral("Cannot read the table file \"%1\": %2 (at byte %3).")},
        {msgTableFileUnwritable, QStringLiteral("Cannot write the table file \"%1\": %2.")},
        {msgTableTooLarge, QStringLiteral("the file is too large to be a table file")},
        {msgTableNotTableFile, QStringLiteral("this is not a table file")},
        {msgTableVersion, QStringLiteral("format version %1 is not supported")},
        {msgTableCutShort, QStringLiteral("the file ends too early")},
        {msgTableDamaged, QStringLiteral("the file is damaged or truncated (checksum mismatch)")},
        {msgTableFieldCount, QStringLiteral("%1 is not a valid number of fields")},
        {msgTableFieldName, QStringLiteral("field %1 has a name of %2 bytes")},
        {msgTableFieldType, QStringLiteral("field %1 has the unknown type %2")},
        {msgTableFieldSize, QStringLiteral("field %1 has the invalid size %2")},
        {msgTableRecordNumber,
         QStringLiteral("the record number must be the first field, and only it")},
        {msgTableFieldTwice, QStringLiteral("field %1 appears twice")},
        {msgTableOtherFields,
         QStringLiteral("it holds a table with the fields (%1) instead of (%2)")},
        {msgTableRowsDoNotFit, QStringLiteral("%1 rows cannot fit in the rest of the file")},
        {msgTableTooManyRows, QStringLiteral("%1 rows are more than a table file may hold")},
        {msgTableNullFlag, QStringLiteral("row %1, field %2: invalid null flag %3")},
        {msgTableTextTooLong,
         QStringLiteral("row %1, field %2: a text of %3 bytes does not fit size %4")},
        {msgTableBoolean, QStringLiteral("row %1, field %2: invalid boolean %3")},
        {msgTableRowValue, QStringLiteral("row %1: %2")},
        {msgTableTrailingBytes, QStringLiteral("%1 unexpected bytes after the last row")},
        {msgFieldNotInteger, QStringLiteral("Field %1: %2 is not a valid integer")},
        {msgFieldNotNumber, QStringLiteral("Field %1: %2 is not a valid number")},
        {msgFieldNotBoolean, QStringLiteral("Field %1: %2 is not a valid boolean")},
        {msgFieldNotTime, QStringLiteral("Field %1: %2 is not a valid time")},
        {msgFieldOutOfRange, QStringLiteral("Field %1: %2 is outside the range %3 to %4")},
        {msgFieldBadTimeOfDay, QStringLiteral("Field %1: %2 ms is not a valid time of day")},
        {msgFieldBadDuration, QStringLiteral("Field %1: %2 ms is not a valid duration")},
        {msgBadTimeOfDay, QStringLiteral("%1:%2:%3.%4 is not a valid time of day")},
        {msgCharactersNotStorable,
         QStringLiteral("%1: the controller cannot store the characters \"%2\"")},
        {msgCellNotInteger, QStringLiteral("'%1' is not a valid integer for %2")},
        {msgBadDelay,
         QStringLiteral("Invalid delay: \"%1\". Give a whole number of seconds, 0 or more.")},
        {msgPortTableIncomplete,
         QStringLiteral("The port table has %1 rows instead of %2: receive the configuration from "
                        "the controller or open a configuration file before sending.")},
        {msgPortNameControlChar, QStringLiteral("The name of port %1 holds a control character "
                                                "(code %2): correct it before sending.")},
        {msgDumpRefused, QStringLiteral("The controller's answer is not valid: %1 (offset %2).")},
        {msgPortOpenFailed, QStringLiteral("Cannot open the port %1: %2.")},
        {msgPortSettingsRefused, QStringLiteral("The port %1 does not accept the settings: %2.")},
        {msgPortWriteFailed, QStringLiteral("Writing to the port %1 failed: %2.")},
        {msgPortLineStalled, QStringLiteral("The line of the port %1 takes no more bytes: %2.")},
        {msgPortNotOpen, QStringLiteral("The port %1 is not open.")},
        {msgPortLineLost, QStringLiteral("Lost the line on port %1: %2.")},
        {msgPortNamedDevice, QStringLiteral("%1 (device %2)")},
        {msgSettingsPortMissing, QStringLiteral("no serial port given")},
        {msgSettingsPortName, QStringLiteral("invalid port name \"%1\"")},
        {msgSettingsBaudRate, QStringLiteral("invalid speed %1 bit/s")},
        {msgSettingsDataBits, QStringLiteral("invalid data bits %1")},
        {msgSettingsParity, QStringLiteral("invalid parity %1")},
        {msgSettingsStopBits, QStringLiteral("invalid stop bits %1")},
        {msgSettingsFlowControl, QStringLiteral("invalid flow control")},
        {msgStoreTypeInvalid, QStringLiteral("Invalid kind of settings store: %1")},
        {msgStoreKeyNotUser,
         QStringLiteral(
             "The key %1 is not available: settings are kept under HKEY_CURRENT_USER only")},
        {msgStoreKeyMissing, QStringLiteral("No settings key given: \"%1\"")},
        {msgStoreValueInvalid,
         QStringLiteral(
             "The serial setting %1 in %2 is not valid: %3. The settings were not changed.")},
        {msgStoreValueNotText, QStringLiteral("The serial setting %1 in %2 is not valid: a text "
                                              "was expected. The settings were not changed.")},
        {msgStoreValueNotNumber,
         QStringLiteral("The serial setting %1 in %2 is not valid: a number was expected. The "
                        "settings were not changed.")},
        {msgStoreSettingsInvalid,
         QStringLiteral(
             "The serial settings in %1 are not valid: %2. The settings were not changed.")},
        {msgStoreReadFailed, QStringLiteral("Cannot read the serial settings from %1: %2")},
        {msgStoreWriteFailed, QStringLiteral("Cannot store the serial settings in %1: %2")},
        {msgStoreKeyNotCreated, QStringLiteral("the key could not be created")},
        {msgSetupBaudRate,
         QStringLiteral(
             "Invalid speed \"%1\". Choose one of the speeds in the list, for example 9600.")},
        {msgSetupPortMissing, QStringLiteral("Give the serial port, for example COM1.")},
        {msgOutOfMemory, QStringLiteral("Out of memory")},
        {msgSetupTitle, QStringLiteral("Serial Port Settings")},
        {msgSetupPort, QStringLiteral("Port:")},
        {msgSetupBaudRateLabel, QStringLiteral("Speed (bit/s):")},
        {msgSetupDataBits, QStringLiteral("Data bits:")},
        {msgSetupParity, QStringLiteral("Parity:")},
        {msgSetupStopBits, QStringLiteral("Stop bits:")},
        {msgSetupFlowControl, QStringLiteral("Flow control:")},
        {msgParityNone, QStringLiteral("None")},
        {msgParityOdd, QStringLiteral("Odd")},
        {msgParityEven, QStringLiteral("Even")},
        {msgParityMark, QStringLiteral("Mark")},
        {msgParitySpace, QStringLiteral("Space")},
        {msgFlowNone, QStringLiteral("None")},
        {msgFlowHardware, QStringLiteral("Hardware (RTS/CTS)")},
        {msgFlowSoftware, QStringLiteral("Software (XON/XOFF)")},
        {msgRibbonRecentDocuments, QStringLiteral("Recent files")},
        {msgRibbonMinimizeWindow, QStringLiteral("Minimize")},
        {msgRibbonMaximizeWindow, QStringLiteral("Maximize")},
        {msgRibbonRestoreWindow, QStringLiteral("Restore Down")},
        {msgRibbonCloseWindow, QStringLiteral("Close")},
        {msgRibbonQat, QStringLiteral("Quick Access Toolbar")},
        {msgRibbonQatCustomize, QStringLiteral("Customize Quick Access Toolbar")},
        {msgRibbonAppMenu, QStringLiteral("Application Menu")},
        {msgRibbonQatRemove, QStringLiteral("Remove from Quick Access Toolbar")},
        {msgRibbonQatAdd, QStringLiteral("Add to Quick Access Toolbar")},
        {msgRibbonQatBelow, QStringLiteral("Show Quick Access Toolbar Below the Ribbon")},
        {msgRibbonQatAbove, QStringLiteral("Show Quick Access Toolbar Above the Ribbon")},
        {msgRibbonMinimize, QStringLiteral("Minimize the Ribbon")},
        {msgRibbon, QStringLiteral("Ribbon")},
        {msgRibbonTabs, QStringLiteral("Ribbon tabs")},
        {msgRibbonAppButton, QStringLiteral("Application Button")},
        {msgRibbonHelp, QStringLiteral("Help")},
        {msgLedOn, QStringLiteral("on")},
        {msgLedOff, QStringLiteral("off")},
        {msgPages, QStringLiteral("Pages")},
        {msgStatusBar, QStringLiteral("Status bar")},
        {msgFilterAll, QStringLiteral("(All)")},
        {msgFilterEmpty, QStringLiteral("(Blanks)")},
        {msgScrollLeft, QStringLiteral("Scroll Left")},
        {msgScrollRight, QStringLiteral("Scroll Right")},
        // Scripts that receive through the tool match this line as the window shows it.
        {msgSerialError, QStringLiteral("12:Errore di comunicazione seriale")},
        {msgStatusModified, QStringLiteral("Modified")},
        {msgGridOff, QStringLiteral("Off")},
        {msgGridOn, QStringLiteral("On")},
        {msgAllDays, QStringLiteral("Every day")},
        {msgRegistryUnreadable, QStringLiteral("the settings file \"%1\" cannot be read")},
        {msgRegistryDamaged, QStringLiteral("the settings file \"%1\" is damaged")},
        {msgRegistryUnwritable, QStringLiteral("the settings file \"%1\" cannot be written")},
    };
    return texts;
}

} // namespace

QString EnglishMessageText(quint16 id) {
    return Texts().value(id);
}

QList<quint16> EnglishMessageIds() {
    return Texts().keys();
}

} // namespace lumotrix
