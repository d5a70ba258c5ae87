// Append-only error log of fatal base-library failures, kept next to the
// program file as "<program path>.log" (or "\error.log" when the program path
// is unknown). One line per call:
//   <date><time - ><message>\t\t<source path>: <function> (<line>)\r\n
#pragma once

void LogError(const wchar_t *message, const wchar_t *sourcePath, const wchar_t *functionName, int line);

// Date picture of the log lines, "yyyy.MM.dd " unless a program sets another
// at start (the alarm runner writes two-digit years with "yy.MM.dd ").
void SetLogDatePicture(const wchar_t *picture);
