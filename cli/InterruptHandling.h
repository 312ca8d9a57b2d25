#pragma once
// Ctrl-C and termination: the handler removes the temporary files of outputs in progress,
// says so in one line and ends the process, so an interrupted render leaves no partial file
// and any earlier file of the output's name untouched.

#include <string>

void InstallInterruptHandlers();
// The temporary files a signal must not leave behind (a fixed number of slots, set without
// locks; the handler only reads them).
void RegisterTemporaryFile(const std::string& path);
void UnregisterTemporaryFile(const std::string& path);
// While deferred, a signal only raises a flag: an open editor window polls it and closes as
// if the window manager had closed it, so the session ends in order. Undeferring clears it.
void DeferInterrupts(bool bDefer);
bool InterruptRequested();
