// Writes the editor's face, composed from the embedded description, as a PNG:
//   bw_editor_preview <out.png> ["Tag name=value" ...]
// Views show their default value unless a value is given for their control tag.
#include "ComposeFace.h"
#include "EditorResources.h"
#include "TsraResources.h"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " <out.png> [\"Tag name=value\" ...]\n";
        return 2;
    }
    FaceValues values;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const size_t eq = arg.rfind('=');
        if (eq == std::string::npos) {
            std::cerr << "not a tag=value pair: " << arg << '\n';
            return 2;
        }
        values[arg.substr(0, eq)] = std::atof(arg.c_str() + eq + 1);
    }
    tsraRegisterEditorResources();
    const TsraResourceEntry* pDesc = tsraFindResource("DATA", "TSRA.UIDESC");
    pugi::xml_document doc;
    if (pDesc == nullptr || !doc.load_buffer(pDesc->pData, pDesc->nSize)) {
        std::cerr << "the embedded description is missing or malformed\n";
        return 1;
    }
    std::string error;
    cairo_surface_t* pFace = composeFace(doc, "Editor", values, error);
    if (pFace == nullptr) {
        std::cerr << error << '\n';
        return 1;
    }
    const bool written = cairo_surface_write_to_png(pFace, argv[1]) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(pFace);
    if (!written) {
        std::cerr << "cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
