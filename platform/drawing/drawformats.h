// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <span>

// The drawing file formats in one table: the drawing control's format codes, the names that go with
// them and the file dialogs' entries, over the codecs of drawcodecs.h.
namespace draw {

class DrawModel;

struct DrawingFormat {
    int code;              // the drawing control's format code (LoadDrawing, SaveDrawing)
    const char* extension; // with its dot, lower case; a name matches it in any case
    const char* filter;    // the file dialogs' entry, "Description (*.ext)|*.ext"
    void (*read)(const QString& path, DrawModel& into);
    // pixels: the size a raster format is written at; the others ignore it.
    void (*write)(const DrawModel& model, const QString& path, const QSize& pixels);
    bool raster; // written at a pixel size; a page read from it is shown whole
};

// In the order of the save dialog's type entries.
std::span<const DrawingFormat> drawingFormats();
// The format of a code, or of a name by its extension (in any case); nullptr for none.
const DrawingFormat* formatOfCode(int code);
const DrawingFormat* formatOfName(const QString& name);

} // namespace draw
