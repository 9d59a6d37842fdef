#pragma once

#include <QString>

namespace rt {

// The run-time errors the program can meet. The numbers are the ones the error box shows.
enum class ErrorNumber : int {
    Overflow = 6,
    TypeMismatch = 13,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    DeviceIoError = 57,
    DiskFull = 61,
    TooManyFiles = 67,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
    ControlArrayElementMissing = 340,
};

QString errorMessage(ErrorNumber number);

// Shows the error box and ends the program with a failure status. Nothing after it runs.
[[noreturn]] void raiseError(ErrorNumber number);

} // namespace rt
