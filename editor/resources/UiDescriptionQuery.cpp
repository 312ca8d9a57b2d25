#include "UiDescriptionQuery.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// One number with optional blanks around it, filling the whole text.
bool parseNumber(const std::string& text, int& nOut) {
    const char* p = text.c_str();
    while (isBlank(*p)) ++p;
    if (*p == '\0') return false;
    char* pEnd = nullptr;
    const double value = std::strtod(p, &pEnd);
    if (pEnd == p) return false;
    while (isBlank(*pEnd)) ++pEnd;
    if (*pEnd != '\0' || !std::isfinite(value)) return false;
    if (value >= 2147483648.0 || value <= -2147483649.0) return false;
    nOut = static_cast<int>(value);  // cuts the fraction off
    return true;
}

pugi::xml_node findNamed(const pugi::xml_node& section, const char* pElement, const char* pName) {
    if (pName == nullptr) return {};
    for (pugi::xml_node node : section.children(pElement)) {
        if (std::strcmp(node.attribute("name").value(), pName) == 0) return node;
    }
    return {};
}

pugi::xml_node root(const pugi::xml_document& doc) { return doc.child("vstgui-ui-description"); }

}  // namespace

bool tsraParsePair(const char* pText, int& nFirst, int& nSecond) {
    if (pText == nullptr) return false;
    const char* pComma = std::strchr(pText, ',');
    if (pComma == nullptr || pComma == pText) return false;
    int nA = 0;
    int nB = 0;
    if (!parseNumber(std::string(pText, pComma), nA) || !parseNumber(std::string(pComma + 1), nB)) {
        return false;
    }
    nFirst = nA;
    nSecond = nB;
    return true;
}

int tsraControlTagNumber(const pugi::xml_document& doc, const char* pName) {
    if (pName == nullptr || *pName == '\0') return -1;
    const pugi::xml_node tag = findNamed(root(doc).child("control-tags"), "control-tag", pName);
    if (!tag) return -1;
    return tag.attribute("tag").as_int(-1);
}

int tsraControlTagPosition(const pugi::xml_document& doc, int nTag) {
    const std::string wanted = std::to_string(nTag);
    int nPosition = 0;
    for (pugi::xml_node tag : root(doc).child("control-tags").children("control-tag")) {
        if (wanted == tag.attribute("tag").value()) return nPosition;
        ++nPosition;
    }
    return -1;
}

pugi::xml_node tsraFindTemplate(const pugi::xml_document& doc, const char* pName) {
    return findNamed(root(doc), "template", pName);
}

pugi::xml_node tsraFindBitmap(const pugi::xml_document& doc, const char* pName) {
    return findNamed(root(doc).child("bitmaps"), "bitmap", pName);
}
