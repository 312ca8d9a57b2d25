#pragma once
// Paints the editor's face from the UI description without the editor: the template's colour
// and bitmap, then each view's bitmap frame at its origin, in document order (later views on
// top), with the frame each control shows for its value. Bitmaps come from the registered
// resources, found by their "path" as the editor finds them.

#include <cairo.h>
#include <pugixml.hpp>

#include <map>
#include <string>

// Values by control-tag name, in each view's own range; views not named show their default.
using FaceValues = std::map<std::string, double>;

// A new image surface of the template's size, or null with a reason in error.
cairo_surface_t* composeFace(const pugi::xml_document& doc, const char* pTemplate, const FaceValues& values,
                             std::string& error);

// Which frame of its strip a view shows (0 for single images), as the controls pick it.
int faceFrameIndex(const pugi::xml_node& view, double value);
