#pragma once
// Creates the engine an instance drives. The module links the tape effect's factory; a
// test module may link another to observe the calls the adapter makes.

class CPlugIn;

// A new engine owned by the caller, or null when it cannot be made.
CPlugIn* Tessera_CreateEngine();
