#pragma once
// Test access to the resources compiled into the binary: the parsed description and the PNGs.

#include <cairo.h>
#include <pugixml.hpp>

#include <memory>
#include <string>

struct TsraResourceEntry;

// Registers the editor's resources and parses the embedded "TSRA.UIDESC" once.
const pugi::xml_document& embeddedDescription();

// The PNG resource a bitmap path names ("kbon1.png"), or null.
const TsraResourceEntry* pngResource(const std::string& path);

// Decoded pixels of a PNG resource (as the toolkit decodes them, with cairo), or null.
using Image = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
Image decodePng(const TsraResourceEntry& entry);

// Pixel access on a decoded image: alpha and the un-premultiplied grey level 0 ... 255.
int alphaAt(cairo_surface_t* image, int x, int y);
double greyAt(cairo_surface_t* image, int x, int y);

// The whole bytes of a file of the source folder.
std::string sourceFile(const std::string& name);
