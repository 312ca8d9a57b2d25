#include "Art.h"
#include "UiDescriptionQuery.h"

#include <cstring>
#include <stdexcept>

namespace art {

FaceLayout readLayout(const std::string& uidescPath) {
    pugi::xml_document doc;
    if (!doc.load_file(uidescPath.c_str())) {
        throw std::runtime_error("cannot read " + uidescPath);
    }
    const pugi::xml_node editor = tsraFindTemplate(doc, "Editor");
    if (!editor) {
        throw std::runtime_error("no \"Editor\" template in " + uidescPath);
    }
    FaceLayout layout;
    for (pugi::xml_node view : editor.children("view")) {
        if (std::strcmp(view.attribute("class").value(), "CAnimKnob") != 0) continue;
        int x = 0, y = 0, w = 0, h = 0;
        if (!tsraParsePair(view.attribute("origin").value(), x, y) ||
            !tsraParsePair(view.attribute("size").value(), w, h)) {
            throw std::runtime_error("a knob view without a usable origin or size");
        }
        layout.knobs.push_back({x + w / 2.0, y + h / 2.0, static_cast<double>(w)});
    }
    return layout;
}

}  // namespace art
