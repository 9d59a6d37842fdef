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

// Stops every timer of the program, shows the error box and, once it is closed, ends the
// program with status 1. Nothing after it runs.
[[noreturn]] void raiseError(ErrorNumber number);

} // namespace rt
