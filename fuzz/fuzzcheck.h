#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Ends the run when a property fails, naming the property and showing the text, so
// libFuzzer keeps the input as a crash and the replay test fails on it.
[[noreturn]] void propertyFailed(const char *property, const QString &input, const QString &detail = {});

// Text as the fuzzer hands it over: its bytes read as UTF-8.
QString textFromBytes(const uint8_t *data, size_t size);
