#pragma once
// The editor's view tree as built from the description: class, place, bitmaps, tag and range
// of every view, as JSON (`describe --editor --json`) or one indented line per view. What a
// snapshot of the editor is made from, so a change in how views are built shows as data.

#include <string>

namespace VSTGUI {
class CView;
}

std::string EditorViewsJson(VSTGUI::CView* pRoot);
std::string EditorViewsText(VSTGUI::CView* pRoot);
