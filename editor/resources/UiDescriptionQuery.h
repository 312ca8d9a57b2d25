#pragma once
// Reading the UI description as the editor does: "x, y" pairs, control-tag names and numbers,
// and the named sections (templates, bitmaps). Shared by the editor's tools and tests.

#include <pugixml.hpp>

// Two decimal numbers split at the first comma; blanks around either number are allowed
// ("585 ,245", "900, 568") and fractions are cut off. Text without a comma, with the comma
// first, or with anything but a number on either side is invalid: returns false and leaves
// the outputs alone.
bool tsraParsePair(const char* pText, int& nFirst, int& nSecond);

// The "tag" number of the control tag of that name; -1 when no entry has it (or it is empty).
int tsraControlTagNumber(const pugi::xml_document& doc, const char* pName);

// Position of a tag number in the "control-tags" list (compared as decimal text); -1 if absent.
int tsraControlTagPosition(const pugi::xml_document& doc, int nTag);

// The "template" element of that name, or an empty node.
pugi::xml_node tsraFindTemplate(const pugi::xml_document& doc, const char* pName);

// The "bitmap" element of that name, or an empty node.
pugi::xml_node tsraFindBitmap(const pugi::xml_document& doc, const char* pName);
