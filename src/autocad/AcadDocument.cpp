// The CAD document model: entities, tables, the document and the application.

#include "autocad/AcadDocument.h"

#include "platform/VbError.h"
#include "platform/VbRuntime.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace acad {

namespace {

constexpr double kTurn = 2.0 * 3.14159265358979323846;

double normAngle(double a)
{
    a = std::fmod(a, kTurn);
    if (a < 0)
        a += kTurn;
    if (a >= kTurn)
        a = 0;
    return a;
}

// A value the CAD program refuses: "invalid procedure call or argument".
[[noreturn]] void refuse(const QString& what)
{
    vb::raise(vb::err::InvalidCall, what);
}

Point reflect(const Point& q, const Point& p1, const Point& p2)
{
    const double dx = p2.x - p1.x, dy = p2.y - p1.y;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0)
        refuse(QStringLiteral("Spiegelachse ohne Länge"));
    const double vx = q.x - p1.x, vy = q.y - p1.y;
    const double t = (vx * dx + vy * dy) / len2;
    return {p1.x + 2 * t * dx - vx, p1.y + 2 * t * dy - vy, q.z};
}

bool validLineweight(int w)
{
    static const int kWeights[] = {-3, -2, -1, 0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70, 80,
                                   90, 100, 106, 120, 140, 158, 200, 211};
    return std::find(std::begin(kWeights), std::end(kWeights), w) != std::end(kWeights);
}

// The ISO line types of the line-type file, patterns in mm.
const std::vector<Linetype>& isoLinetypes()
{
    static const std::vector<Linetype> kTypes = {
        {QStringLiteral("ACAD_ISO02W100"), QStringLiteral("ISO dash __ __ __ __ __ __ __ __ __ __ __ __ __"),
         {12, -3}},
        {QStringLiteral("ACAD_ISO04W100"), QStringLiteral("ISO long-dash dot ____ . ____ . ____ . ____ . _"),
         {24, -3, 0, -3}},
        {QStringLiteral("ACAD_ISO07W100"), QStringLiteral("ISO dot . . . . . . . . . . . . . . . . . . . ."),
         {0, -3}},
        {QStringLiteral("ACAD_ISO12W100"), QStringLiteral("ISO dash double-dot __ . . __ . . __ . . __ . ."),
         {12, -3, 0, -3, 0, -3}},
    };
    return kTypes;
}

template <class T>
T* itemAt(const std::vector<std::unique_ptr<T>>& v, int i)
{
    if (i < 0 || i >= int(v.size()))
        refuse(QStringLiteral("Index %1 außerhalb der Sammlung").arg(i));
    return v[size_t(i)].get();
}

} // namespace

// ---- entities -------------------------------------------------------------------

Entity::Entity(Kind k, Space* owner) : m_kind(k), m_owner(owner) {}

void Entity::Color(int aci)
{
    if (aci < 0 || aci > 256)
        refuse(QStringLiteral("Ungültiger Farbindex %1").arg(aci));
    m_color = aci;
}

void Entity::Lineweight(int w)
{
    if (!validLineweight(w))
        refuse(QStringLiteral("Ungültige Linienstärke %1").arg(w));
    m_lineweight = w;
}

void Entity::Linetype(const QString& name)
{
    const bool special = name.compare(QStringLiteral("ByLayer"), Qt::CaseInsensitive) == 0
        || name.compare(QStringLiteral("ByBlock"), Qt::CaseInsensitive) == 0;
    if (!special && !m_owner->m_doc.Linetypes().find(name))
        refuse(QStringLiteral("Linientyp \"%1\" ist nicht geladen").arg(name));
    m_linetype = name;
}

void Entity::Height(double h)
{
    if (!(h > 0))
        refuse(QStringLiteral("Ungültige Texthöhe %1").arg(h));
    m_height = h;
}

void Entity::Rotate(const Point& base, double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    const double vx = m_a.x - base.x, vy = m_a.y - base.y;
    m_a = {base.x + c * vx - s * vy, base.y + s * vx + c * vy, m_a.z};
    if (m_kind == Kind::Line) {
        const double wx = m_b.x - base.x, wy = m_b.y - base.y;
        m_b = {base.x + c * wx - s * wy, base.y + s * wx + c * wy, m_b.z};
    }
    m_rotation = normAngle(m_rotation + angle);
}

void Entity::AttachmentPoint(int p)
{
    if (p < 1 || p > 9)
        refuse(QStringLiteral("Ungültiger Bezugspunkt %1").arg(p));
    m_attachment = p;
}

void Entity::AppendOuterLoop(const std::vector<Entity*>& edges)
{
    if (m_kind != Kind::Hatch || edges.empty())
        refuse(QStringLiteral("Ungültige Umgrenzung"));
    m_loop.clear();
    const auto known = [&](const Point& q) {
        return std::any_of(m_loop.begin(), m_loop.end(), [&](const Point& o) { return o.x == q.x && o.y == q.y; });
    };
    for (const Entity* e : edges) {
        if (e->m_kind == Kind::Circle) {
            // A circle bounds the hatch by its outline (a fine polygon).
            constexpr int kCorners = 72;
            for (int k = 0; k < kCorners; ++k) {
                const double t = 2 * 3.14159265358979323846 * k / kCorners;
                m_loop.push_back({e->m_a.x + e->m_radius * std::cos(t), e->m_a.y + e->m_radius * std::sin(t), e->m_a.z});
            }
        } else if (e->m_kind == Kind::Line && known(e->start()) && !known(e->end())) {
            // Sides drawn from a shared corner (a triangle's two slopes from its base
            // corners) add their other end, so no corner is left out of the loop.
            m_loop.push_back(e->end());
        } else {
            m_loop.push_back(e->start());
        }
    }
}

Entity* Entity::Mirror(const Point& p1, const Point& p2)
{
    auto copy = std::unique_ptr<Entity>(new Entity(*this));
    copy->m_updates = 0;
    const double theta = std::atan2(p2.y - p1.y, p2.x - p1.x);
    switch (m_kind) {
    case Kind::Line:
        copy->m_a = reflect(m_a, p1, p2);
        copy->m_b = reflect(m_b, p1, p2);
        break;
    case Kind::Arc:
        copy->m_a = reflect(m_a, p1, p2);
        copy->m_start = normAngle(2 * theta - m_end);
        copy->m_end = normAngle(2 * theta - m_start);
        break;
    case Kind::Circle:
    case Kind::Point:
    case Kind::MText:
        copy->m_a = reflect(m_a, p1, p2);
        break;
    case Kind::Hatch:
        for (Point& q : copy->m_loop)
            q = reflect(q, p1, p2);
        break;
    }
    return m_owner->add(std::move(copy));
}

void Entity::Delete()
{
    m_owner->remove(this);
}

// ---- model space -------------------------------------------------------------------

Entity* Space::Item(int i) const
{
    return itemAt(m_items, i);
}

Entity* Space::add(std::unique_ptr<Entity> e)
{
    m_items.push_back(std::move(e));
    return m_items.back().get();
}

void Space::remove(Entity* e)
{
    const auto it = std::find_if(m_items.begin(), m_items.end(), [&](const auto& p) { return p.get() == e; });
    if (it == m_items.end())
        refuse(QStringLiteral("Objekt wurde bereits gelöscht"));
    m_items.erase(it);
}

// A new entity on the active layer with the current line-type scale.
std::unique_ptr<Entity> Space::make(Entity::Kind kind)
{
    std::unique_ptr<Entity> e(new Entity(kind, this));
    e->m_layer = m_doc.ActiveLayer() ? m_doc.ActiveLayer()->Name : QStringLiteral("0");
    const vb::Variant s = m_doc.GetVariable(QStringLiteral("CELTSCALE"));
    e->m_ltscale = s.isEmpty() ? 1.0 : vb::CDbl(s);
    return e;
}

Entity* Space::AddLine(const Point& start, const Point& end)
{
    std::unique_ptr<Entity> e = make(Entity::Kind::Line);
    e->m_a = start;
    e->m_b = end;
    return add(std::move(e));
}

Entity* Space::AddArc(const Point& center, double radius, double startAngle, double endAngle)
{
    if (!(radius > 0))
        refuse(QStringLiteral("Ungültiger Radius %1").arg(radius));
    std::unique_ptr<Entity> e = make(Entity::Kind::Arc);
    e->m_a = center;
    e->m_radius = radius;
    // Angles a whole turn apart (or equal) close the arc to a full circle.
    const double rest = std::remainder(endAngle - startAngle, kTurn);
    e->m_full = std::fabs(rest) < 1e-6;
    e->m_start = normAngle(startAngle);
    e->m_end = e->m_full ? e->m_start : normAngle(endAngle);
    return add(std::move(e));
}

Entity* Space::AddCircle(const Point& center, double radius)
{
    if (!(radius > 0))
        refuse(QStringLiteral("Ungültiger Radius %1").arg(radius));
    std::unique_ptr<Entity> e = make(Entity::Kind::Circle);
    e->m_a = center;
    e->m_radius = radius;
    return add(std::move(e));
}

Entity* Space::AddPoint(const Point& p)
{
    std::unique_ptr<Entity> e = make(Entity::Kind::Point);
    e->m_a = p;
    return add(std::move(e));
}

Entity* Space::AddMText(const Point& insertion, double width, const QString& text)
{
    std::unique_ptr<Entity> e = make(Entity::Kind::MText);
    e->m_a = insertion;
    e->m_width = width;
    e->m_text = text;
    e->m_style = m_doc.ActiveTextStyle() ? m_doc.ActiveTextStyle()->NAME : QStringLiteral("Standard");
    if (m_doc.ActiveTextStyle() && m_doc.ActiveTextStyle()->height > 0)
        e->m_height = m_doc.ActiveTextStyle()->height;
    return add(std::move(e));
}

Entity* Space::AddHatch(int patternType, const QString& pattern, bool)
{
    if (patternType != 1 || pattern.compare(QStringLiteral("SOLID"), Qt::CaseInsensitive) != 0)
        refuse(QStringLiteral("Unbekanntes Schraffurmuster %1").arg(pattern));
    std::unique_ptr<Entity> e = make(Entity::Kind::Hatch);
    e->m_pattern = QStringLiteral("SOLID");
    return add(std::move(e));
}

// ---- tables -----------------------------------------------------------------------

template <class T>
T* Table<T>::Item(int i) const
{
    return itemAt(m_items, i);
}

template class Table<Linetype>;
template class Table<TextStyle>;
template class Table<Layer>;
template class Table<Ucs>;

void LinetypeTable::Load(const QString& name, const QString& file)
{
    if (file.compare(QStringLiteral("acadiso.lin"), Qt::CaseInsensitive) != 0)
        vb::raise(vb::err::FileNotFound, QStringLiteral("Datei %1 nicht gefunden").arg(file));
    for (const Linetype& lt : isoLinetypes()) {
        if (lt.NAME.compare(name, Qt::CaseInsensitive) == 0) {
            if (!find(lt.NAME))
                add(lt);
            return;
        }
    }
    refuse(QStringLiteral("Linientyp \"%1\" nicht in %2 gefunden").arg(name, file));
}

void TextStyle::SetFont(const QString& typeface, bool b, bool i, int, int)
{
    font = typeface;
    bold = b;
    italic = i;
}

void TextStyle::Height(double h)
{
    if (h < 0)
        refuse(QStringLiteral("Ungültige Texthöhe %1").arg(h));
    height = h;
}

TextStyle* TextStyleTable::Add(const QString& name)
{
    TextStyle* s = find(name);
    if (s)
        return s;
    TextStyle fresh;
    fresh.NAME = name;
    return append(std::move(fresh));
}

Layer* LayerTable::Add(const QString& name)
{
    Layer* l = find(name);
    return l ? l : append(Layer{name});
}

Ucs* UcsTable::Add(const Point& origin, const Point& xPoint, const Point& yPoint, const QString& name)
{
    const auto unit = [&](const Point& p) {
        const double dx = p.x - origin.x, dy = p.y - origin.y, dz = p.z - origin.z;
        const double n = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (n == 0)
            refuse(QStringLiteral("Achse ohne Länge"));
        return Point{dx / n, dy / n, dz / n};
    };
    Ucs u{name, origin, unit(xPoint), unit(yPoint)};
    if (Ucs* existing = find(name)) {
        *existing = u;
        return existing;
    }
    return append(std::move(u));
}

// ---- document -----------------------------------------------------------------------

Document::Document() : m_model(*this)
{
    m_linetypes.add({QStringLiteral("ByBlock"), QString(), {}});
    m_linetypes.add({QStringLiteral("ByLayer"), QString(), {}});
    m_linetypes.add({QStringLiteral("Continuous"), QStringLiteral("Solid line"), {}});
    TextStyle* standard = m_styles.Add(QStringLiteral("Standard"));
    standard->font = QStringLiteral("txt");
    m_activeStyle = standard;
    m_activeLayer = m_layers.Add(QStringLiteral("0"));
}

Document::~Document() = default;

void Document::SetVariable(const QString& name, const vb::Variant& value)
{
    m_vars[name.toUpper()] = value;
}

vb::Variant Document::GetVariable(const QString& name) const
{
    const auto it = m_vars.find(name.toUpper());
    return it == m_vars.end() ? vb::Variant() : it->second;
}

void Document::ActiveTextStyle(TextStyle* s)
{
    if (!s)
        vb::raise(vb::err::ObjectNotSet);
    m_activeStyle = s;
}

void Document::ActiveLayer(Layer* l)
{
    if (!l)
        vb::raise(vb::err::ObjectNotSet);
    m_activeLayer = l;
}

namespace {
// The corners of the box a multiline text covers as a reader shows it: its
// reference width across, its lines (with the descenders of the last) down,
// placed by the attachment point and turned by the rotation.
std::array<Point, 4> textBox(const Entity& text)
{
    // The lines stand one above the other at the reader's line spacing, with
    // room for the descenders of the last one. Readers differ in where a
    // text attached at its middle or bottom puts its last base line: the box
    // reaches one descent further down for them.
    constexpr double kLineSpacing = 5.0 / 3.0, kDescent = 1.0 / 3.0;
    const double h = text.Height();
    const int lines = 1 + int(text.TextString().count(QLatin1Char('\n')));
    const double height = h * (1 + (lines - 1) * kLineSpacing + kDescent);
    const double width = text.width();
    // Text coordinates: x along the reading direction, y up, with the
    // attachment point at the origin (1..3 top, 4..6 middle, 7..9 bottom;
    // left, centre, right in each row).
    const int a = text.AttachmentPoint() - 1;
    const double left = -width * (a % 3) / 2.0;
    const double top = height * (a / 3) / 2.0;
    const double bottom = top - height - (a / 3 > 0 ? h * kDescent : 0.0);
    const double c = std::cos(text.rotation()), s = std::sin(text.rotation());
    const Point o = text.InsertionPoint();
    const auto corner = [&](double u, double v) { return Point{o.x + c * u - s * v, o.y + s * u + c * v, o.z}; };
    return {corner(left, top), corner(left + width, top), corner(left, bottom), corner(left + width, bottom)};
}
} // namespace

std::array<Point, 2> Document::extents() const
{
    const double inf = std::numeric_limits<double>::infinity();
    Point lo{inf, inf, 0}, hi{-inf, -inf, 0};
    const auto take = [&](double x, double y) {
        lo.x = std::min(lo.x, x);
        lo.y = std::min(lo.y, y);
        hi.x = std::max(hi.x, x);
        hi.y = std::max(hi.y, y);
    };
    for (int i = 0; i < m_model.Count(); ++i) {
        const Entity& e = *m_model.Item(i);
        switch (e.kind()) {
        case Entity::Kind::Line:
            take(e.start().x, e.start().y);
            take(e.end().x, e.end().y);
            break;
        case Entity::Kind::Arc:
        case Entity::Kind::Circle:
            take(e.center().x - e.radius(), e.center().y - e.radius());
            take(e.center().x + e.radius(), e.center().y + e.radius());
            break;
        case Entity::Kind::Point:
            take(e.start().x, e.start().y);
            break;
        case Entity::Kind::MText:
            for (const Point& q : textBox(e))
                take(q.x, q.y);
            break;
        case Entity::Kind::Hatch:
            for (const Point& q : e.loop())
                take(q.x, q.y);
            break;
        }
    }
    if (lo.x > hi.x)
        return {Point{std::min(m_limits[0], m_limits[2]), std::min(m_limits[1], m_limits[3]), 0},
                Point{std::max(m_limits[0], m_limits[2]), std::max(m_limits[1], m_limits[3]), 0}};
    return {lo, hi};
}

// ---- application ------------------------------------------------------------------

Application::Application() : m_doc(std::make_unique<Document>()) {}

ApplicationFactory& applicationFactory()
{
    static ApplicationFactory factory = [] { return std::make_shared<Application>(); };
    return factory;
}

std::shared_ptr<Application> createApplication()
{
    std::shared_ptr<Application> app = applicationFactory() ? applicationFactory()() : nullptr;
    if (!app)
        vb::raise(vb::err::CannotCreateObject);
    return app;
}

} // namespace acad
