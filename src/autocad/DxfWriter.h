#pragma once
// DXF R2000 (AC1015) output of a CAD document: header variables, the tables
// (viewport zoomed to the extents, line types with their dash patterns,
// layers, text styles, user coordinate systems), the model and paper space
// blocks, the entities of model space and the objects a reader expects
// (root dictionary, groups, layouts).
//
// The file is written in its code page ANSI_1252 (umlauts and ß as single
// bytes, as every reader decodes them); a character outside the code page is
// written as \U+XXXX. Multiline texts
// escape every sequence a reader would interpret (backslash, braces, caret,
// "%%") so they show as typed.

#include <QByteArray>
#include <QString>

namespace acad {

class Document;

QByteArray dxfText(const Document& doc);

// Writes the document to path whole (db::NeueDatei): a failed or killed
// write leaves no partial file and an older file unchanged. Raises the error
// of the cause (76 when the folder does not exist, 70 when it may not be
// written, 52 for a name too long, 61 when the disk is full).
void saveDxf(const Document& doc, const QString& path);

// A multiline text's contents as DXF writes them (escapes and \U+XXXX).
QString mtextContents(const QString& text);

} // namespace acad
