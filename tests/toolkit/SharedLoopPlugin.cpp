// A stand-in for a plug-in module: links the toolkit statically, hides its symbols, and starts
// a timer on request. Loaded by SharedLoopTest with dlopen.
#include "vstgui/vstgui.h"

using namespace VSTGUI;

extern "C" __attribute__((visibility("default"))) void* pluginStartTimer(int* counter)
{
    return new CVSTGUITimer([counter](CVSTGUITimer*) { ++*counter; }, 25, true);
}

extern "C" __attribute__((visibility("default"))) void pluginStopTimer(void* timer)
{
    static_cast<CVSTGUITimer*>(timer)->forget();
}
