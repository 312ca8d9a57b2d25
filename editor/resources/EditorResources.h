#pragma once
// The editor's resources compiled into this binary: the UI description ("DATA" "TSRA.UIDESC")
// and every PNG of this folder ("PNG", the upper-case file name, e.g. "KBON1.PNG").

#include <cstddef>

// Makes them findable through tsraFindResource. Call once at start-up; calling again is harmless.
void tsraRegisterEditorResources();

// Number of entries registered by tsraRegisterEditorResources (the description and the PNGs).
size_t tsraEditorResourceCount();
