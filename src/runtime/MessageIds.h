#pragma once

#include <QtGlobal>

namespace lumotrix {

// Message ids: each layer declares the ids of its own messages in its own header (this one
// for the runtime's), named msg..., numbered down from 65000 across the program so that no two
// layers share one; the ids above 65503 are the main window's texts. The built-in Italian texts
// are in app/lumotrix.rc, every other language's in its catalogue under translations/.
enum TMessageId : quint16 {
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
    // The serial port.
    msgPortOpenFailed = 64934,
    msgPortSettingsRefused = 64933,
    msgPortWriteFailed = 64932,
    msgPortLineStalled = 64931,
    msgPortNotOpen = 64930,
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
    // The settings store's failures, as the reason inside another message.
    msgRegistryUnreadable = 64875,
    msgRegistryDamaged = 64874,
    msgRegistryUnwritable = 64873,
    // The serial line that went away while the port was open (64929 is retired).
    msgPortLineLost = 64866,
    // A table of the program's own that is used outside its bounds.
    msgTableNoRowDeletion = 64779,
    msgTableRowOutOfRange = 64778,
    msgTableNoSuchField = 64777,
    msgTableRowTooLong = 64776,
};

} // namespace lumotrix
