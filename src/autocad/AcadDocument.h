#pragma once
// The CAD document model: the drawing that the CAD engine and the export
// driver build, with the members they call on it by name (application,
// document, model space, entities, and the tables of layers, line types, text
// styles and user coordinate systems). It is written out as DXF by
// DxfWriter.h.
//
// Points are (x, y, z) in drawing millimetres; angles are radians; a colour
// is a CAD colour index (256 = by layer); a line weight is in hundredths of a
// millimetre (-1 = by layer, -3 = the drawing's default).
//
// A new document holds what a new drawing holds: the line type
// "Continuous", the text style "Standard" and the layer "0" (active).

#include "drawing/Target.h"
#include "platform/Variant.h"

#include <QString>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace acad {

struct Point {
    double x = 0, y = 0, z = 0;
};

class Document;
class Space;

// One entity of model space. Which members apply follows its kind.
class Entity {
public:
    enum class Kind { Line, Arc, Circle, Point, MText, Hatch };

    Kind kind() const { return m_kind; }
    // The layer and line-type scale the entity was created with.
    const QString& layer() const { return m_layer; }
    double linetypeScale() const { return m_ltscale; }
    // The text style of a multiline text (the active one when it was added).
    const QString& style() const { return m_style; }

    int Color() const { return m_color; }
    void Color(int aci);
    int Lineweight() const { return m_lineweight; }
    void Lineweight(int w);
    QString Linetype() const { return m_linetype; }
    void Linetype(const QString& name);
    // Shows the entity as changed (counted; nothing else to do in the model).
    void Update() { ++m_updates; }
    int updates() const { return m_updates; }
    // A copy mirrored about the line p1-p2, added to model space; the entity
    // itself stays. A multiline text keeps its rotation and attachment: only
    // its insertion point is mirrored, so it reads as before.
    Entity* Mirror(const Point& p1, const Point& p2);
    // Removes the entity from model space (the reference is gone afterwards).
    void Delete();

    // ---- geometry -----------------------------------------------------------
    // Line: start and end. Arc, circle: centre; point: its place.
    Point start() const { return m_a; }
    Point end() const { return m_b; }
    Point center() const { return m_a; }
    double radius() const { return m_radius; }
    // Arc angles, counter-clockwise from start to end, 0 <= angle < 2 pi.
    double startAngle() const { return m_start; }
    double endAngle() const { return m_end; }
    // An arc whose angles lie a whole turn apart is a full circle.
    bool fullCircle() const { return m_full; }

    // ---- multiline text ---------------------------------------------------------
    QString TextString() const { return m_text; }
    double width() const { return m_width; }
    double Height() const { return m_height; }
    void Height(double h);
    // Turns the text about a base point by an angle (radians).
    void Rotate(const Point& base, double angle);
    double rotation() const { return m_rotation; }
    int AttachmentPoint() const { return m_attachment; }
    void AttachmentPoint(int p);  // 1..9, else 5 (invalid call)
    Point InsertionPoint() const { return m_a; }
    void InsertionPoint(const Point& p) { m_a = p; }

    // ---- hatch ----------------------------------------------------------------
    // The outer boundary: the start points of the given entities in order.
    void AppendOuterLoop(const std::vector<Entity*>& edges);
    void Evaluate() { m_evaluated = true; }
    const std::vector<Point>& loop() const { return m_loop; }
    bool evaluated() const { return m_evaluated; }
    QString patternName() const { return m_pattern; }

private:
    friend class Space;
    Entity(Kind k, Space* owner);

    Kind m_kind;
    Space* m_owner;
    QString m_layer;
    QString m_style;
    double m_ltscale = 1;
    int m_color = 256;
    int m_lineweight = -1;
    QString m_linetype = QStringLiteral("ByLayer");
    int m_updates = 0;
    Point m_a, m_b;
    double m_radius = 0, m_start = 0, m_end = 0;
    bool m_full = false;
    QString m_text;
    double m_width = 0, m_height = 2.5, m_rotation = 0;
    int m_attachment = 1;
    std::vector<Point> m_loop;
    bool m_evaluated = false;
    QString m_pattern;
};

// Model space: the entities in the order they were added.
class Space {
public:
    explicit Space(Document& doc) : m_doc(doc) {}
    int Count() const { return int(m_items.size()); }
    Entity* Item(int i) const;  // 0-based; outside raises 5
    Entity* AddLine(const Point& start, const Point& end);
    Entity* AddArc(const Point& center, double radius, double startAngle, double endAngle);
    Entity* AddCircle(const Point& center, double radius);
    Entity* AddPoint(const Point& p);
    Entity* AddMText(const Point& insertion, double width, const QString& text);
    // Only the predefined solid fill is known (pattern type 1, "SOLID").
    Entity* AddHatch(int patternType, const QString& pattern, bool associative);

private:
    friend class Entity;
    std::unique_ptr<Entity> make(Entity::Kind kind);
    Entity* add(std::unique_ptr<Entity> e);
    void remove(Entity* e);
    Document& m_doc;
    std::vector<std::unique_ptr<Entity>> m_items;
};

struct Linetype {
    QString NAME;
    QString description;
    std::vector<double> pattern;  // dash > 0, gap < 0, dot 0 (mm)
};

struct TextStyle {
    QString NAME;
    QString font;         // typeface set by SetFont ("" until then)
    bool bold = false, italic = false;
    double height = 0;    // 0: not fixed
    void SetFont(const QString& typeface, bool bold, bool italic, int charset, int pitchAndFamily);
    void Height(double h);
};

struct Layer {
    QString Name;
    int color = 7;
};

struct Ucs {
    QString Name;
    Point origin, xAxis, yAxis;  // axes as unit vectors
};

inline const QString& nameOf(const Linetype& t) { return t.NAME; }
inline const QString& nameOf(const TextStyle& t) { return t.NAME; }
inline const QString& nameOf(const Layer& t) { return t.Name; }
inline const QString& nameOf(const Ucs& t) { return t.Name; }

// A table of named records in the order they were added. Names compare
// without letter case, as the drawing's do.
template <class T>
class Table {
public:
    int Count() const { return int(m_items.size()); }
    T* Item(int i) const;  // 0-based; outside raises 5
    T* find(const QString& name) const
    {
        for (const auto& r : m_items)
            if (nameOf(*r).compare(name, Qt::CaseInsensitive) == 0)
                return r.get();
        return nullptr;
    }

protected:
    T* append(T record)
    {
        m_items.push_back(std::make_unique<T>(std::move(record)));
        return m_items.back().get();
    }
    std::vector<std::unique_ptr<T>> m_items;
};

class LinetypeTable : public Table<Linetype> {
public:
    // Makes a line type of the ISO set available (ACAD_ISO02W100,
    // ACAD_ISO04W100, ACAD_ISO07W100, ACAD_ISO12W100); any other name, or
    // another file, fails.
    void Load(const QString& name, const QString& file);
    void add(Linetype lt) { append(std::move(lt)); }
};

class TextStyleTable : public Table<TextStyle> {
public:
    TextStyle* Add(const QString& name);  // the existing style of that name, if there is one
};

class LayerTable : public Table<Layer> {
public:
    Layer* Add(const QString& name);  // the existing layer of that name, if there is one
};

class UcsTable : public Table<Ucs> {
public:
    // The system through origin with its x axis towards xPoint and its y
    // axis towards yPoint (an existing one of that name is replaced).
    Ucs* Add(const Point& origin, const Point& xPoint, const Point& yPoint, const QString& name);
};

class Document : public drawing::EngineObject {
public:
    Document();
    ~Document() override;

    void SetVariable(const QString& name, const vb::Variant& value);
    vb::Variant GetVariable(const QString& name) const;  // Empty when never set

    Ucs* ActiveUCS() const { return m_activeUcs; }  // null: the world system
    void ActiveUCS(Ucs* u) { m_activeUcs = u; }
    UcsTable& UserCoordinateSystems() { return m_ucs; }
    const UcsTable& UserCoordinateSystems() const { return m_ucs; }
    Space& ModelSpace() { return m_model; }
    const Space& ModelSpace() const { return m_model; }
    // Lower left x, y, upper right x, y.
    void Limits(const std::array<double, 4>& l) { m_limits = l; }
    const std::array<double, 4>& Limits() const { return m_limits; }
    void regen(int which) { m_regens += which >= 0 ? 1 : 0; }
    int regens() const { return m_regens; }
    LinetypeTable& Linetypes() { return m_linetypes; }
    const LinetypeTable& Linetypes() const { return m_linetypes; }
    TextStyleTable& TextStyles() { return m_styles; }
    const TextStyleTable& TextStyles() const { return m_styles; }
    TextStyle* ActiveTextStyle() const { return m_activeStyle; }
    void ActiveTextStyle(TextStyle* s);
    LayerTable& Layers() { return m_layers; }
    const LayerTable& Layers() const { return m_layers; }
    Layer* ActiveLayer() const { return m_activeLayer; }
    void ActiveLayer(Layer* l);

    // Bounding box of model space (lower left, upper right), each entity
    // counted with its whole box (a text with the box a reader shows it
    // in); the limits when model space is empty.
    std::array<Point, 2> extents() const;

private:
    std::map<QString, vb::Variant> m_vars;
    UcsTable m_ucs;
    Ucs* m_activeUcs = nullptr;
    Space m_model;
    std::array<double, 4> m_limits{0, 0, 420, 297};
    int m_regens = 0;
    LinetypeTable m_linetypes;
    TextStyleTable m_styles;
    TextStyle* m_activeStyle = nullptr;
    LayerTable m_layers;
    Layer* m_activeLayer = nullptr;
};

class Application {
public:
    Application();
    Document* ActiveDocument() const { return m_doc.get(); }
    bool Visible() const { return m_visible; }
    void Visible(bool v) { m_visible = v; }
    int WindowState() const { return m_windowState; }
    void WindowState(int s) { m_windowState = s; }
    void ZoomAll() { ++m_zooms; }
    int zooms() const { return m_zooms; }

private:
    std::unique_ptr<Document> m_doc;
    bool m_visible = false;
    int m_windowState = 1;
    int m_zooms = 0;
};

// Creates the application as from its class name. The factory may be
// replaced (tests make it fail with 429, as when no CAD program exists).
using ApplicationFactory = std::function<std::shared_ptr<Application>()>;
ApplicationFactory& applicationFactory();
std::shared_ptr<Application> createApplication();

} // namespace acad
