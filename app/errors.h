#pragma once

// Dutch texts for Windows system error codes, and the mapping of this platform's
// errors onto those codes.

#include <QString>

// The Dutch text for a Windows system error code; unknown codes give
// "Onbekende fout: " and the code, or the errno value that WindowsErrorFromErrno passed on.
QString ErrorText(int Code);

// The Windows system error code nearest to a C library errno value; 0 stays 0. A value
// without a counterpart becomes an application-defined code that ErrorText shows as
// "Onbekende fout: " with the errno value.
int WindowsErrorFromErrno(int Errno);

// The last system error of this thread, as a Windows system error code.
int LastSystemError();

#include <QFileDevice>

// The Windows system error code for a failed file operation: the C library's errno where
// it says something, else the nearest code for Qt's own error kind.
int FileErrorCode(QFileDevice::FileError Error, int Errno);
