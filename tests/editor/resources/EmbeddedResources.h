#pragma once
// Test access to the editor's resources: the embedded description, parsed, and the PNGs.

#include <cairo.h>
#include <pugixml.hpp>

#include <memory>
#include <string>

// Registers the editor's resources and parses the embedded "TSRA.UIDESC" once.
const pugi::xml_document& embeddedDescription();

// The whole bytes of a file of the source folder.
std::string sourceFile(const std::string& name);

// Decoded pixels of a PNG of the source folder ("kbon1.png"), as the toolkit decodes them (with
// cairo), or null. The embedded copies are the same bytes (ResourceLookupTest).
using Image = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
Image loadPng(const std::string& name);

// Pixel access on a decoded image: alpha and the un-premultiplied grey level 0 ... 255.
int alphaAt(cairo_surface_t* image, int x, int y);
double greyAt(cairo_surface_t* image, int x, int y);
