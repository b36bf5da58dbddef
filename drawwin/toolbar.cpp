// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawwin/toolbar.h"

#include "drawcmd/editingsession.h"
#include "drawcmd/pagecanvas.h"
#include "drawcmd/nodeshapes.h"
#include "drawwin/drawwinstate.h"
#include "drawwin/editing.h"
#include "drawwin/nodemarkers.h"
#include "drawwin/palette.h"
#include "platform/drawing/mdrawpro.h"
#include "platform/drawing/objecttags.h"
#include "platform/drawing/picture.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <cmath>

namespace {

namespace tags = draw::tags;
using namespace toolbar;

constexpr int FontDialogFlags = 259; // screen and printer fonts, with strikeout, underline and colour
constexpr int32_t Red = draw::RGB(255, 0, 0);
constexpr int32_t Blue = draw::RGB(0, 0, 255);

int unitsPerInch() {
    return pageCanvas().UnitsPerInch > 0 ? pageCanvas().UnitsPerInch : 600;
}

// Puts one mode button down (or leaves it as toggled) and every other mode button up.
void releaseModesBut(ToolButtons& b, int keep) {
    for (int m : {AddNode, SelectObjects, RotateObjects})
        if (m != keep) b.release(m);
    for (int f = FreePolygon; f <= FreeImage; ++f)
        if (f != keep) b.release(f);
}

void freeShapeTool(int position, ToolButtons& b, MDrawPro& palette) {
    if (!b.down(position)) {
        pageDrawing().EditMode(0); // the tool number stays for Escape
        return;
    }
    const FreeToolResult r = SetFreeTool(position - FreePolygon + 1);
    drawwin().FreeShapeTool = r.FreeShapeTool;
    if (r.PenReset) RefreshStyleSample(palette);
    releaseModesBut(b, position);
}

void symbolTool(ToolButtons& b) {
    if (!b.down(FreeImage)) {
        pageDrawing().EditMode(0);
        return;
    }
    DrawWin& w = drawwin();
    if (w.SymbolFile.isEmpty() || !FileExists(w.SymbolFile)) {
        ui().MsgBox(QStringLiteral("Please select a Symbol File before attempting to place a symbol."));
        return;
    }
    pageDrawing().Picture(LoadPicture(w.SymbolFile));
    w.FreeShapeTool = SetToolImage().FreeShapeTool;
    releaseModesBut(b, FreeImage);
}

void fontDialog() {
    MDrawPro& d = pageDrawing();
    DrawWin& w = drawwin();
    FontChoice preset;
    preset.family = w.LastFontName;
    if (d.CountObjects(2) > 0) {
        d.CurrentObject(2);
        preset.family = d.FontName();
        // The control's heights are negative em heights; the preset is their size in points.
        preset.size = PointsOfTextHeight(d.TextHeight(), unitsPerInch());
        preset.bold = d.TextBold();
        preset.italic = d.TextItalic();
        preset.underline = d.TextUnderline();
        preset.strikeout = d.TextStrikeout();
        preset.color = d.TextColor();
    } else {
        preset.size = w.TextPointSize;
    }
    const std::optional<FontChoice> c = ui().FontDialog(preset, FontDialogFlags);
    if (!c) raiseError(qmerr::DialogCancelled);
    w.LastFontName = c->family;

    const bool selection = d.CountObjects(2) > 0;
    d.CurrentObject(selection ? 2 : 4);
    d.FontName(c->family);
    d.TextBold(c->bold);
    d.TextItalic(c->italic);
    d.TextStrikeout(c->strikeout);
    d.TextUnderline(c->underline);
    d.TextColor(c->color);
    if (selection) {
        if (c->size > 5) d.TextHeight(-(c->size / 72.0) * unitsPerInch());
    } else {
        w.TextPointSize = qnum::CInt16(c->size);
    }
}

void nodeShape(int position) {
    const int n = editingSession().SelectedNodeCount;
    switch (position) {
    case AddNodePolygon:
    case AddNodeLine:
        if (n > 0) position == AddNodePolygon ? MakeNodePolygon() : MakeNodeLine();
        DeselectNodeMarkers();
        break;
    case AddNodeLens:
        if (n < 6 || n > 8) {
            ui().MsgBox(QStringLiteral("You must select 3-4 nodes to create a lens."));
            return;
        }
        MakeNodeLens();
        DeselectNodeMarkers();
        break;
    case AddNodeArrow:
        if (n < 4 || n > 6) {
            ui().MsgBox(QStringLiteral("You must select 2-3 nodes to create an arrow."));
            return;
        }
        MakeNodeArrow();
        DeselectNodeMarkers();
        break;
    default:
        break;
    }
}

int positionOf(const QString& key) {
    static const char* const keys[] = {"Add Node",          "ShowHide Nodes",   "Select Objects",   "Rotate Objects",
                                       "Add Node Polygon",  "Add Node Lens",    "Add Node Line",    "Add Node Arrow",
                                       "Free Polygon",      "Free Line",        "Free Rectangle",   "Free Rounded Rect",
                                       "Free Ellipse",      "Free Text",        "Free Image",       "Free Text Dialog",
                                       "Free Image Dialog", "Next Page"};
    static const int positions[] = {1, 2, 3, 4, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19, 22};
    for (size_t i = 0; i < std::size(keys); ++i)
        if (key == QLatin1String(keys[i])) return positions[i];
    return 0;
}

void runCommand(int position, ToolButtons& b, MDrawPro& palette) {
    MDrawPro& d = pageDrawing();
    EditingSession& m = editingSession();
    switch (position) {
    case AddNode:
        d.EditMode(0);
        releaseModesBut(b, AddNode);
        break;
    case ShowHideNodes:
        if (m.NodesHidden == 0) {
            m.NodesHidden = 1;
            HideNodeMarkers();
            b.NodesImage = QStringLiteral("hidenode");
        } else {
            m.NodesHidden = 0;
            ShowNodeMarkers();
            b.NodesImage = QStringLiteral("shownode");
        }
        break;
    case SelectObjects:
        d.EditMode(b.down(SelectObjects) ? 11 : 0);
        releaseModesBut(b, SelectObjects);
        d.CurrentObject(5);
        break;
    case RotateObjects:
        d.EditMode(b.down(RotateObjects) ? 13 : 0);
        releaseModesBut(b, RotateObjects);
        break;
    case AddNodePolygon:
    case AddNodeLens:
    case AddNodeLine:
    case AddNodeArrow:
        nodeShape(position);
        break;
    case FreeImage:
        symbolTool(b);
        break;
    case FreeTextDialog:
        fontDialog();
        break;
    case FreeImageDialog:
        ChooseSymbolFile(b);
        break;
    default:
        if (position >= FreePolygon && position < FreeImage) freeShapeTool(position, b, palette);
        break;
    }
}

} // namespace

int PointsOfTextHeight(double textHeight, int unitsPerInch) {
    if (unitsPerInch <= 0 || !std::isfinite(textHeight)) return 0;
    const double pt = qnum::RoundHalfEven(std::fabs(textHeight) * 72.0 / unitsPerInch);
    return pt > 32767 ? 32767 : int(pt);
}

ToolbarOutcome ToolbarButtonClick(const QString& key, ToolButtons& buttons, MDrawPro& palette) {
    const int position = positionOf(key);
    if (position == NextPage) return ToolbarOutcome::NextPage;
    try {
        runCommand(position, buttons, palette);
    } catch (const QmError& e) {
        switch (e.number()) {
        case qmerr::FontRefused:
            ui().MsgBox(QStringLiteral("Unable to use this font, please select another."));
            break;
        case qmerr::NoSuchObject:
            ui().MsgBox(QStringLiteral("Invalid object selected, please re-select."));
            break;
        case qmerr::DialogCancelled:
            break;
        default:
            showError(e, QStringLiteral("Toolbar1-ButtonClick"));
        }
    }
    return ToolbarOutcome::Done;
}

void AddNodesMenu(ToolButtons& b) {
    if (b.down(AddNode)) {
        b.release(AddNode);
    } else {
        b.Value[AddNode] = 1;
        pageDrawing().EditMode(0);
    }
    releaseModesBut(b, AddNode);
}

void SelectMenu(ToolButtons& b) {
    MDrawPro& d = pageDrawing();
    if (b.down(SelectObjects)) {
        d.EditMode(0);
        b.release(SelectObjects);
    } else {
        b.Value[SelectObjects] = 1;
        d.EditMode(11);
    }
    releaseModesBut(b, SelectObjects);
    d.CurrentObject(5);
    d.ObjectCursor(13);
}

void ChooseSymbolFile(ToolButtons& b) {
    pageDrawing().EditMode(0);
    b.releaseRange(1, FreeImage);
    trap(QStringLiteral("Preview Open"), [&] {
        FileDialogRequest r;
        r.initDir = modgw().SymbolPath;
        r.title = QStringLiteral("Select Symbol File");
        r.filter = QStringLiteral("Windows Bitmap (*.bmp)|*.bmp");
        r.defaultExt = QStringLiteral("bmp");
        const QString path = ui().FileDialog(r);
        if (path.isEmpty()) return; // cancelled: the symbol chosen before stays
        drawwin().SymbolFile = path;
    });
}

// ---- events of the page's control ---------------------------------------------------------------

void ObjectDrawn(int32_t id) {
    DrawWin& w = drawwin();
    w.LastDrawnId = id;
    w.DrawingModified = 1;
}

void NodeObjectClicked() {
    MDrawPro& d = pageDrawing();
    d.TagTarget(5);
    const QString state = d.ObjectTag(tags::NodeSelected);
    if (state != tags::No && state != tags::Yes) return;
    int32_t x1, y1, x2, y2;
    d.GetObjectCoords(x1, y1, x2, y2, 0);
    const int32_t cx = qnum::CLng((double(x1) + x2) / 2), cy = qnum::CLng((double(y1) + y2) / 2);
    if (state == tags::No) {
        // The list is full at 250 nodes: a further node stays unselected rather than half-listed.
        if (!editingSession().AppendSelectedNode(cx, cy)) return;
        d.FillColor(Blue);
        d.ObjectTag(tags::NodeSelected, tags::Yes);
        drawwin().DrawingModified = 1;
        return;
    }
    d.FillColor(Red);
    d.ObjectTag(tags::NodeSelected, tags::No);
    editingSession().RemoveSelectedNode(cx, cy);
}

void DrawingKeyDown(int keyCode) {
    DrawWin& w = drawwin();
    w.DrawingModified = 1;
    if (keyCode == 46) return EditDelete();
    if (keyCode != 27) return;
    const int32_t id = w.LastDrawnId;
    w.LastDrawnId = 0; // styled once
    MDrawPro& d = pageDrawing();
    const draw::DrawObject* o = id ? d.find(id) : nullptr;
    if (!o) return;
    trap(QStringLiteral("MDraw-KeyDown"), [&] {
        // Only the shape that tool drew is styled: a later tool choice must not restyle another kind.
        if (w.FreeShapeTool == 1 && o->kind == draw::Polygon) {
            d.ObjectId(id);
            ApplyNodePolygonFill();
        } else if (w.FreeShapeTool == 2 && o->kind == draw::Polyline) {
            int16_t& stacked = editingSession().ShapeCounter;
            d.ObjectId(id);
            d.LineColor(pageCanvas().CurrentLineColor);
            d.ObjectSelected(true);
            d.ObjectAction(2);
            for (int i = 0; i < stacked; ++i) d.ObjectAction(5);
            ++stacked;
            d.ObjectSelected(false);
        } else if (w.FreeShapeTool == 6 && o->kind == draw::Text) {
            d.ObjectId(id);
            if (w.TextPointSize >= 6) d.TextHeight(-(double(w.TextPointSize) / 72.0) * unitsPerInch());
        }
    });
}

void AddNodeAt(double x, double y) {
    trap(QStringLiteral("createcoloredFPtemp"), [&] {
        AddNodeMarker(qnum::CLng(x), qnum::CLng(y));
        drawwin().DrawingModified = 1;
    });
}

void PlaceSymbol(int32_t frameId) {
    if (!frameId) return; // a click that drew no frame deletes nothing
    MDrawPro& d = pageDrawing();
    DrawWin& w = drawwin();
    trap(QStringLiteral("createcoloredFPtemp"), [&] {
        d.ObjectId(frameId);
        int32_t x1, y1, x2, y2;
        d.GetObjectCoords(x1, y1, x2, y2, 0);
        d.DeleteObjects(4);
        if (w.LastDrawnId == frameId) w.LastDrawnId = 0;
        if (w.SymbolFile.isEmpty() || !FileExists(w.SymbolFile)) {
            ui().MsgBox(QStringLiteral("Please select a Symbol File before attempting to place a symbol."));
            return;
        }
        d.Picture(LoadPicture(w.SymbolFile));
        d.AddObject(draw::Bitmap, x1, y1, x2, y2);
        const int32_t id = d.ObjectId();
        d.ObjectSelected(true);
        d.PictureStyle(0);
        d.PictureBackColor(draw::White);
        d.ObjectSelected(false);
        ObjectDrawn(id);
    });
}
