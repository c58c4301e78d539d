// DXF R2000 writer of the CAD document model.

#include "autocad/DxfWriter.h"

#include "autocad/AcadDocument.h"
#include "database/NeueDatei.h"
#include "platform/TextTables.h"
#include "platform/VbError.h"
#include "platform/VbRuntime.h"

#include <cmath>

namespace acad {

namespace {

constexpr double kRadToDeg = 180.0 / 3.14159265358979323846;

// A value in the file's code page: characters of Windows-1252 as they are,
// every other character as \U+XXXX; control characters are dropped.
QByteArray encoded(const QString& s)
{
    QString out;
    for (const QChar c : s) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7F)
            continue;
        if (u < 0x7F || (u >= 0xA0 && u <= 0xFF) || (u > 0x7F && vb::Asc(QString(c)) != '?'))
            out += c;
        else
            out += QStringLiteral("\\U+") + QString::number(u, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    }
    return vb::toCp1252(out);
}

QString number(double v)
{
    if (v == 0 || std::fabs(v) < 1e-12)
        return QStringLiteral("0.0");
    QString s = QString::number(v, 'f', 10);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s += QLatin1Char('0');
    return s;
}

// The group-code/value pairs of one file, with running handles.
class Out {
public:
    void tag(int code, const QString& value)
    {
        m_text += QByteArray::number(code).rightJustified(3, ' ');
        m_text += "\r\n";
        m_text += encoded(value);
        m_text += "\r\n";
    }
    void tag(int code, const char* value) { tag(code, QString::fromLatin1(value)); }
    void integer(int code, int v) { tag(code, QString::number(v)); }
    void real(int code, double v) { tag(code, number(v)); }
    void point(int code, double x, double y, double z = 0)
    {
        real(code, x);
        real(code + 10, y);
        real(code + 20, z);
    }
    void point2(int code, double x, double y)
    {
        real(code, x);
        real(code + 10, y);
    }
    QString handle() { return QString::number(m_next++, 16).toUpper(); }
    QString peekSeed() const { return QString::number(m_next, 16).toUpper(); }
    const QByteArray& text() const { return m_text; }

private:
    QByteArray m_text;
    int m_next = 0x20;
};

struct Handles {
    QString rootDict, groupDict, layoutDict, modelLayout, paperLayout;
    QString modelRecord, paperRecord;
};

void header(Out& o, const Document& doc, const std::array<Point, 2>& ext, const QString& seed)
{
    o.tag(0, "SECTION");
    o.tag(2, "HEADER");
    const auto var = [&](const char* name) { o.tag(9, name); };
    var("$ACADVER");
    o.tag(1, "AC1015");
    var("$ACADMAINTVER");
    o.integer(70, 6);
    var("$DWGCODEPAGE");
    o.tag(3, "ANSI_1252");
    var("$INSBASE");
    o.point(10, 0, 0, 0);
    var("$EXTMIN");
    o.point(10, ext[0].x, ext[0].y, 0);
    var("$EXTMAX");
    o.point(10, ext[1].x, ext[1].y, 0);
    const auto& lim = doc.Limits();
    var("$LIMMIN");
    o.point2(10, lim[0], lim[1]);
    var("$LIMMAX");
    o.point2(10, lim[2], lim[3]);
    const auto realVar = [&](const char* name, double dflt) {
        const vb::Variant v = doc.GetVariable(QString::fromLatin1(name).mid(1));
        var(name);
        o.real(40, v.isEmpty() ? dflt : vb::CDbl(v));
    };
    const auto intVar = [&](const char* name, int dflt) {
        const vb::Variant v = doc.GetVariable(QString::fromLatin1(name).mid(1));
        var(name);
        o.integer(70, v.isEmpty() ? dflt : int(vb::CLng(v)));
    };
    realVar("$LTSCALE", 1.0);
    realVar("$CELTSCALE", 1.0);
    intVar("$PDMODE", 0);
    realVar("$PDSIZE", 0.0);
    var("$CLAYER");
    o.tag(8, doc.ActiveLayer() ? doc.ActiveLayer()->Name : QStringLiteral("0"));
    var("$CELTYPE");
    o.tag(6, "ByLayer");
    var("$CECOLOR");
    o.integer(62, 256);
    var("$CELWEIGHT");
    o.integer(370, -1);
    var("$TEXTSTYLE");
    o.tag(7, doc.ActiveTextStyle() ? doc.ActiveTextStyle()->NAME : QStringLiteral("Standard"));
    var("$LUNITS");
    o.integer(70, 2);
    var("$LUPREC");
    o.integer(70, 4);
    var("$INSUNITS");
    o.integer(70, 4);
    var("$MEASUREMENT");
    o.integer(70, 1);
    var("$UCSNAME");
    o.tag(2, doc.ActiveUCS() ? doc.ActiveUCS()->Name : QString());
    var("$UCSORG");
    const Ucs* u = doc.ActiveUCS();
    o.point(10, u ? u->origin.x : 0, u ? u->origin.y : 0, u ? u->origin.z : 0);
    var("$UCSXDIR");
    o.point(10, u ? u->xAxis.x : 1, u ? u->xAxis.y : 0, u ? u->xAxis.z : 0);
    var("$UCSYDIR");
    o.point(10, u ? u->yAxis.x : 0, u ? u->yAxis.y : 1, u ? u->yAxis.z : 0);
    var("$HANDSEED");
    o.tag(5, seed);
    o.tag(0, "ENDSEC");
}

void tableHead(Out& o, const char* name, const QString& handle, int count)
{
    o.tag(0, "TABLE");
    o.tag(2, name);
    o.tag(5, handle);
    o.tag(330, "0");
    o.tag(100, "AcDbSymbolTable");
    o.integer(70, count);
}

// The head of a table record; a record whose handle others name already
// brings it along.
void entryHead(Out& o, const char* type, const QString& owner, const char* subclass,
               const QString& handle = QString())
{
    o.tag(0, type);
    o.tag(5, handle.isEmpty() ? o.handle() : handle);
    o.tag(330, owner);
    o.tag(100, "AcDbSymbolTableRecord");
    o.tag(100, subclass);
}

// A symbol table: its head, one record per entry (head, name, flags, then
// what `body` writes), its end.
template <class T, class F>
void symbolTable(Out& o, const char* name, const char* subclass, const Table<T>& table, F body)
{
    const QString t = o.handle();
    tableHead(o, name, t, table.Count());
    for (int i = 0; i < table.Count(); ++i) {
        const T& r = *table.Item(i);
        entryHead(o, name, t, subclass);
        o.tag(2, nameOf(r));
        o.integer(70, 0);
        body(r);
    }
    o.tag(0, "ENDTAB");
}

void tables(Out& o, const Document& doc, const std::array<Point, 2>& ext, Handles& h)
{
    o.tag(0, "SECTION");
    o.tag(2, "TABLES");

    // Viewport: the whole drawing in view.
    QString t = o.handle();
    tableHead(o, "VPORT", t, 1);
    entryHead(o, "VPORT", t, "AcDbViewportTableRecord");
    o.tag(2, "*Active");
    o.integer(70, 0);
    o.point2(10, 0, 0);
    o.point2(11, 1, 1);
    const double w = std::max(ext[1].x - ext[0].x, 1.0), ht = std::max(ext[1].y - ext[0].y, 1.0);
    const double aspect = 1.5;
    o.point2(12, (ext[0].x + ext[1].x) / 2, (ext[0].y + ext[1].y) / 2);
    o.point2(13, 0, 0);
    o.point2(14, 10, 10);
    o.point2(15, 10, 10);
    o.point(16, 0, 0, 1);
    o.point(17, 0, 0, 0);
    o.real(40, std::max(ht, w / aspect) * 1.05);
    o.real(41, aspect);
    o.real(42, 50);
    o.real(43, 0);
    o.real(44, 0);
    o.real(50, 0);
    o.real(51, 0);
    o.integer(71, 0);
    o.integer(72, 1000);
    o.integer(73, 1);
    o.integer(74, 3);
    o.integer(75, 0);
    o.integer(76, 0);
    o.integer(77, 0);
    o.integer(78, 0);
    o.integer(281, 0);
    o.integer(65, 1);
    o.point(110, 0, 0, 0);
    o.point(111, 1, 0, 0);
    o.point(112, 0, 1, 0);
    o.integer(79, 0);
    o.real(146, 0);
    o.tag(0, "ENDTAB");

    // Line types with their dash patterns.
    symbolTable(o, "LTYPE", "AcDbLinetypeTableRecord", doc.Linetypes(), [&](const Linetype& lt) {
        o.tag(3, lt.description);
        o.integer(72, 65);
        o.integer(73, int(lt.pattern.size()));
        double total = 0;
        for (double d : lt.pattern)
            total += std::fabs(d);
        o.real(40, total);
        for (double d : lt.pattern) {
            o.real(49, d);
            o.integer(74, 0);
        }
    });
    symbolTable(o, "LAYER", "AcDbLayerTableRecord", doc.Layers(), [&](const Layer& l) {
        o.integer(62, l.color);
        o.tag(6, "Continuous");
        o.integer(370, -3);
        o.tag(390, "0");
    });
    symbolTable(o, "STYLE", "AcDbTextStyleTableRecord", doc.TextStyles(), [&](const TextStyle& s) {
        o.real(40, s.height);
        o.real(41, 1);
        o.real(50, 0);
        o.integer(71, 0);
        o.real(42, s.height > 0 ? s.height : 2.5);
        o.tag(3, s.font.isEmpty() ? QStringLiteral("txt") : s.font);
        o.tag(4, "");
    });
    t = o.handle();
    tableHead(o, "VIEW", t, 0);
    o.tag(0, "ENDTAB");
    symbolTable(o, "UCS", "AcDbUCSTableRecord", doc.UserCoordinateSystems(), [&](const Ucs& u) {
        o.point(10, u.origin.x, u.origin.y, u.origin.z);
        o.point(11, u.xAxis.x, u.xAxis.y, u.xAxis.z);
        o.point(12, u.yAxis.x, u.yAxis.y, u.yAxis.z);
        o.integer(79, 0);
        o.real(146, 0);
    });

    t = o.handle();
    tableHead(o, "APPID", t, 1);
    entryHead(o, "APPID", t, "AcDbRegAppTableRecord");
    o.tag(2, "ACAD");
    o.integer(70, 0);
    o.tag(0, "ENDTAB");

    t = o.handle();
    tableHead(o, "DIMSTYLE", t, 1);
    o.tag(100, "AcDbDimStyleTable");
    o.tag(0, "DIMSTYLE");
    o.tag(105, o.handle());
    o.tag(330, t);
    o.tag(100, "AcDbSymbolTableRecord");
    o.tag(100, "AcDbDimStyleTableRecord");
    o.tag(2, "Standard");
    o.integer(70, 0);
    o.tag(0, "ENDTAB");

    // Block records of model and paper space.
    t = o.handle();
    tableHead(o, "BLOCK_RECORD", t, 2);
    h.modelRecord = o.handle();
    h.paperRecord = o.handle();
    h.modelLayout = o.handle();
    h.paperLayout = o.handle();
    const auto record = [&](const QString& handle, const char* name, const QString& layout) {
        entryHead(o, "BLOCK_RECORD", t, "AcDbBlockTableRecord", handle);
        o.tag(2, name);
        o.tag(340, layout);
    };
    record(h.modelRecord, "*Model_Space", h.modelLayout);
    record(h.paperRecord, "*Paper_Space", h.paperLayout);
    o.tag(0, "ENDTAB");
    o.tag(0, "ENDSEC");
}

void blocks(Out& o, const Handles& h)
{
    o.tag(0, "SECTION");
    o.tag(2, "BLOCKS");
    const auto block = [&](const QString& owner, const char* name, bool paper) {
        // BLOCK and ENDBLK share their head: handle, owner, space, layer.
        const auto head = [&](const char* type) {
            o.tag(0, type);
            o.tag(5, o.handle());
            o.tag(330, owner);
            o.tag(100, "AcDbEntity");
            if (paper)
                o.integer(67, 1);
            o.tag(8, "0");
        };
        head("BLOCK");
        o.tag(100, "AcDbBlockBegin");
        o.tag(2, name);
        o.integer(70, 0);
        o.point(10, 0, 0, 0);
        o.tag(3, name);
        o.tag(1, "");
        head("ENDBLK");
        o.tag(100, "AcDbBlockEnd");
    };
    block(h.modelRecord, "*Model_Space", false);
    block(h.paperRecord, "*Paper_Space", true);
    o.tag(0, "ENDSEC");
}

void entityHead(Out& o, const char* type, const Entity& e, const QString& owner)
{
    o.tag(0, type);
    o.tag(5, o.handle());
    o.tag(330, owner);
    o.tag(100, "AcDbEntity");
    o.tag(8, e.layer());
    if (e.Linetype().compare(QStringLiteral("ByLayer"), Qt::CaseInsensitive) != 0)
        o.tag(6, e.Linetype());
    if (e.Color() != 256)
        o.integer(62, e.Color());
    if (e.Lineweight() != -1)
        o.integer(370, e.Lineweight());
    if (e.linetypeScale() != 1.0)
        o.real(48, e.linetypeScale());
}

void entities(Out& o, const Document& doc, const Handles& h)
{
    o.tag(0, "SECTION");
    o.tag(2, "ENTITIES");
    const Space& ms = doc.ModelSpace();
    for (int i = 0; i < ms.Count(); ++i) {
        const Entity& e = *ms.Item(i);
        switch (e.kind()) {
        case Entity::Kind::Line:
            entityHead(o, "LINE", e, h.modelRecord);
            o.tag(100, "AcDbLine");
            o.point(10, e.start().x, e.start().y, e.start().z);
            o.point(11, e.end().x, e.end().y, e.end().z);
            break;
        case Entity::Kind::Arc:
            entityHead(o, e.fullCircle() ? "CIRCLE" : "ARC", e, h.modelRecord);
            o.tag(100, "AcDbCircle");
            o.point(10, e.center().x, e.center().y, e.center().z);
            o.real(40, e.radius());
            if (!e.fullCircle()) {
                o.tag(100, "AcDbArc");
                o.real(50, e.startAngle() * kRadToDeg);
                o.real(51, e.endAngle() * kRadToDeg);
            }
            break;
        case Entity::Kind::Circle:
            entityHead(o, "CIRCLE", e, h.modelRecord);
            o.tag(100, "AcDbCircle");
            o.point(10, e.center().x, e.center().y, e.center().z);
            o.real(40, e.radius());
            break;
        case Entity::Kind::Point:
            entityHead(o, "POINT", e, h.modelRecord);
            o.tag(100, "AcDbPoint");
            o.point(10, e.start().x, e.start().y, e.start().z);
            break;
        case Entity::Kind::MText: {
            entityHead(o, "MTEXT", e, h.modelRecord);
            o.tag(100, "AcDbMText");
            o.point(10, e.InsertionPoint().x, e.InsertionPoint().y, e.InsertionPoint().z);
            o.real(40, e.Height());
            o.real(41, e.width());
            o.integer(71, e.AttachmentPoint());
            o.integer(72, 1);
            const QString text = mtextContents(e.TextString());
            // Pieces of 250 characters, none ending in a caret (it belongs
            // with the character after it); the last one under code 1.
            qsizetype pos = 0;
            while (text.size() - pos > 250) {
                qsizetype n = 250;
                if (text[pos + n - 1] == QLatin1Char('^'))
                    --n;
                o.tag(3, text.mid(pos, n));
                pos += n;
            }
            o.tag(1, text.mid(pos));
            o.tag(7, e.style());
            o.point(11, std::cos(e.rotation()), std::sin(e.rotation()), 0);
            break;
        }
        case Entity::Kind::Hatch: {
            entityHead(o, "HATCH", e, h.modelRecord);
            o.tag(100, "AcDbHatch");
            o.point(10, 0, 0, 0);
            o.point(210, 0, 0, 1);
            o.tag(2, e.patternName());
            o.integer(70, 1);
            o.integer(71, 0);
            o.integer(91, e.loop().empty() ? 0 : 1);
            if (!e.loop().empty()) {
                o.integer(92, 3);  // external, polyline
                o.integer(72, 0);
                o.integer(73, 1);
                o.integer(93, int(e.loop().size()));
                for (const Point& q : e.loop())
                    o.point2(10, q.x, q.y);
                o.integer(97, 0);
            }
            o.integer(75, 0);
            o.integer(76, 1);
            o.integer(98, 0);
            break;
        }
        }
    }
    o.tag(0, "ENDSEC");
}

void objects(Out& o, const Document& doc, const std::array<Point, 2>& ext, Handles& h)
{
    o.tag(0, "SECTION");
    o.tag(2, "OBJECTS");
    const auto dictionary = [&](const QString& handle, const QString& owner,
                                const std::vector<std::pair<QString, QString>>& items) {
        o.tag(0, "DICTIONARY");
        o.tag(5, handle);
        o.tag(330, owner);
        o.tag(100, "AcDbDictionary");
        o.integer(281, 1);
        for (const auto& [name, item] : items) {
            o.tag(3, name);
            o.tag(350, item);
        }
    };
    dictionary(h.rootDict, QStringLiteral("0"),
               {{QStringLiteral("ACAD_GROUP"), h.groupDict}, {QStringLiteral("ACAD_LAYOUT"), h.layoutDict}});
    dictionary(h.groupDict, h.rootDict, {});
    dictionary(h.layoutDict, h.rootDict,
               {{QStringLiteral("Layout1"), h.paperLayout}, {QStringLiteral("Model"), h.modelLayout}});
    const auto layout = [&](const QString& handle, const char* name, int tab, const QString& record, bool model) {
        o.tag(0, "LAYOUT");
        o.tag(5, handle);
        o.tag(330, h.layoutDict);
        o.tag(100, "AcDbPlotSettings");
        o.tag(1, "");
        o.tag(2, "none_device");
        o.tag(4, "ISO_A4_(297.00_x_210.00_MM)");
        o.tag(6, "");
        o.real(40, 7.5);
        o.real(41, 20);
        o.real(42, 7.5);
        o.real(43, 20);
        o.real(44, 297);
        o.real(45, 210);
        o.real(46, 0);
        o.real(47, 0);
        o.real(48, 0);
        o.real(49, 0);
        o.real(140, 0);
        o.real(141, 0);
        o.real(142, 1);
        o.real(143, 1);
        o.integer(70, model ? 1712 : 688);
        o.integer(72, 1);
        o.integer(73, 0);
        o.integer(74, 5);
        o.tag(7, "");
        o.integer(75, 16);
        o.real(147, 1);
        o.real(148, 0);
        o.real(149, 0);
        o.tag(100, "AcDbLayout");
        o.tag(1, name);
        o.integer(70, 1);
        o.integer(71, tab);
        const auto& lim = doc.Limits();
        o.point2(10, model ? lim[0] : 0, model ? lim[1] : 0);
        o.point2(11, model ? lim[2] : 297, model ? lim[3] : 210);
        o.point(12, 0, 0, 0);
        o.point(14, ext[0].x, ext[0].y, 0);
        o.point(15, ext[1].x, ext[1].y, 0);
        o.real(146, 0);
        o.point(13, 0, 0, 0);
        o.point(16, 1, 0, 0);
        o.point(17, 0, 1, 0);
        o.integer(76, 0);
        o.tag(330, record);
    };
    layout(h.modelLayout, "Model", 0, h.modelRecord, true);
    layout(h.paperLayout, "Layout1", 1, h.paperRecord, false);
    o.tag(0, "ENDSEC");
}

} // namespace

QString mtextContents(const QString& text)
{
    // Readers interpret, besides the backslash codes and the braces of
    // groups, a caret with the next character as a control character ("^J"
    // a line feed; "^ " is the caret itself) and "%%" with a letter as a
    // symbol ("%%d" a degree sign). An empty group between two percent signs
    // keeps them apart without showing.
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case '^': out += QStringLiteral("^ "); break;
        case '%':
            out += c;
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('%'))
                out += QStringLiteral("{}");
            break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '{': out += QStringLiteral("\\{"); break;
        case '}': out += QStringLiteral("\\}"); break;
        case '\n': out += QStringLiteral("\\P"); break;
        case '\r': break;
        case '\t': out += QLatin1Char(' '); break;
        default:
            if (c.unicode() >= 0x20)
                out += c;  // outside the code page: \U+XXXX when the tag is written
            break;
        }
    }
    return out;
}

QByteArray dxfText(const Document& doc)
{
    const std::array<Point, 2> ext = doc.extents();
    // The sections after the header are written first, so the header can
    // name the next free handle.
    Out body;
    Handles h;
    h.rootDict = body.handle();
    h.groupDict = body.handle();
    h.layoutDict = body.handle();
    tables(body, doc, ext, h);
    blocks(body, h);
    entities(body, doc, h);
    objects(body, doc, ext, h);
    body.tag(0, "EOF");

    Out head;
    header(head, doc, ext, body.peekSeed());
    return head.text() + body.text();
}

void saveDxf(const Document& doc, const QString& path)
{
    db::schreibeDatei(path, dxfText(doc));
}

} // namespace acad
