// The CAD document model and its DXF form.

#include "../common/Abbruch.h"
#include "autocad/AcadDocument.h"
#include "autocad/DxfWriter.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using acad::Entity;
using acad::Point;

namespace {
constexpr double kPi = 3.14159265358979323846;

int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const vb::VbError& e) {
        return e.number;
    }
    return 0;
}
} // namespace

TEST(AcadDocument, NewDrawingHoldsWhatANewDrawingHolds)
{
    acad::Document doc;
    ASSERT_NE(doc.Linetypes().find(QStringLiteral("Continuous")), nullptr);
    EXPECT_EQ(doc.TextStyles().Count(), 1);
    EXPECT_EQ(doc.TextStyles().Item(0)->NAME, QStringLiteral("Standard"));
    EXPECT_EQ(doc.ActiveLayer()->Name, QStringLiteral("0"));
    EXPECT_EQ(doc.ModelSpace().Count(), 0);
    EXPECT_EQ(doc.ActiveUCS(), nullptr);
    EXPECT_EQ(errorOf([&] { doc.ModelSpace().Item(0); }), vb::err::InvalidCall);
}

TEST(AcadDocument, LoadKnowsTheIsoLineTypesOnly)
{
    acad::Document doc;
    const int before = doc.Linetypes().Count();
    for (const char* name : {"ACAD_ISO02W100", "ACAD_ISO04W100", "ACAD_ISO07W100", "ACAD_ISO12W100"})
        doc.Linetypes().Load(QString::fromLatin1(name), QStringLiteral("acadiso.lin"));
    EXPECT_EQ(doc.Linetypes().Count(), before + 4);
    EXPECT_EQ(doc.Linetypes().find(QStringLiteral("ACAD_ISO12W100"))->pattern,
              (std::vector<double>{12, -3, 0, -3, 0, -3}));
    EXPECT_NE(errorOf([&] { doc.Linetypes().Load(QStringLiteral("ACAD_ISO03W100"), QStringLiteral("acadiso.lin")); }), 0);
    EXPECT_NE(errorOf([&] { doc.Linetypes().Load(QStringLiteral("ACAD_ISO02W100"), QStringLiteral("acad.lin")); }), 0);
    // An entity takes only a loaded line type.
    Entity* l = doc.ModelSpace().AddLine({0, 0, 0}, {1, 1, 0});
    EXPECT_NE(errorOf([&] { l->Linetype(QStringLiteral("DASHED")); }), 0);
    EXPECT_NE(errorOf([&] { l->Linetype(QString()); }), 0);
    l->Linetype(QStringLiteral("ACAD_ISO02W100"));
    EXPECT_EQ(l->Linetype(), QStringLiteral("ACAD_ISO02W100"));
}

TEST(AcadDocument, ApplicationFactoryCanFail)
{
    acad::ApplicationFactory saved = acad::applicationFactory();
    EXPECT_NE(acad::createApplication()->ActiveDocument(), nullptr);
    acad::applicationFactory() = []() -> std::shared_ptr<acad::Application> { vb::raise(vb::err::CannotCreateObject); };
    EXPECT_EQ(errorOf([] { acad::createApplication(); }), vb::err::CannotCreateObject);
    acad::applicationFactory() = saved;
}

TEST(AcadDocument, EntitiesKeepTheLayerAndScaleOfTheirCreation)
{
    acad::Document doc;
    doc.SetVariable(QStringLiteral("CELTSCALE"), vb::Variant(0.35));
    doc.ActiveLayer(doc.Layers().Add(QStringLiteral("BILD11")));
    Entity* first = doc.ModelSpace().AddLine({0, 0, 0}, {1, 0, 0});
    doc.SetVariable(QStringLiteral("CELTSCALE"), vb::Variant(1.0));
    doc.ActiveLayer(doc.Layers().Add(QStringLiteral("0")));
    Entity* second = doc.ModelSpace().AddCircle({0, 0, 0}, 1);
    EXPECT_EQ(first->layer(), QStringLiteral("BILD11"));
    EXPECT_DOUBLE_EQ(first->linetypeScale(), 0.35);
    EXPECT_EQ(second->layer(), QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(second->linetypeScale(), 1.0);
    EXPECT_EQ(doc.Layers().Count(), 2);  // Add returns the existing layer
}

TEST(AcadDocument, ArcAnglesAWholeTurnApartCloseTheCircle)
{
    struct Case {
        double a1, a2;
        bool full;
    };
    const Case cases[] = {{kPi, 3 * kPi, true}, {kPi, 9.424778, true}, {0, 2 * kPi, true}, {0.5, 1.0, false}, {4.0, 1.0, false}};
    acad::Document doc;
    for (const Case& c : cases) {
        Entity* a = doc.ModelSpace().AddArc({0, 0, 0}, 1, c.a1, c.a2);
        EXPECT_EQ(a->fullCircle(), c.full) << c.a1 << ".." << c.a2;
    }
    // Only the full ones become circles in the file.
    const QString text = QString::fromLatin1(acad::dxfText(doc));
    EXPECT_EQ(text.count(QStringLiteral("\r\nCIRCLE\r\n")), 3);
    EXPECT_EQ(text.count(QStringLiteral("\r\nARC\r\n")), 2);
}

TEST(AcadDocument, MirrorReflectsGeometryAndKeepsTextsReadable)
{
    acad::Document doc;
    acad::Space& ms = doc.ModelSpace();
    Entity* line = ms.AddLine({1, 2, 0}, {3, 4, 0});
    Entity* arc = ms.AddArc({5, 5, 0}, 2, 0.5, 1.0);
    Entity* text = ms.AddMText({0, 0, 0}, 10, QStringLiteral("Text"));
    text->Rotate({0, 0, 0}, kPi / 2);
    text->AttachmentPoint(8);
    text->InsertionPoint({7, 3, 0});
    Entity* hatch = ms.AddHatch(1, QStringLiteral("SOLID"), true);
    hatch->AppendOuterLoop({line, arc});

    const Point o{0, 0, 0}, x{1, 0, 0};
    Entity* l2 = line->Mirror(o, x);
    Entity* a2 = arc->Mirror(o, x);
    Entity* t2 = text->Mirror(o, x);
    Entity* h2 = hatch->Mirror(o, x);
    EXPECT_EQ(ms.Count(), 8);
    EXPECT_EQ(ms.Item(4), l2);  // copies come after the originals
    EXPECT_DOUBLE_EQ(line->start().y, 2);  // the original stays
    EXPECT_DOUBLE_EQ(l2->start().y, -2);
    EXPECT_DOUBLE_EQ(l2->end().y, -4);
    EXPECT_DOUBLE_EQ(a2->center().y, -5);
    EXPECT_NEAR(a2->startAngle(), 2 * kPi - 1.0, 1e-12);
    EXPECT_NEAR(a2->endAngle(), 2 * kPi - 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(t2->InsertionPoint().y, -3);
    EXPECT_NEAR(t2->rotation(), kPi / 2, 1e-12);
    EXPECT_EQ(t2->AttachmentPoint(), 8);
    EXPECT_DOUBLE_EQ(h2->loop()[1].y, -5);

    // About a 45 degree line: arc angles become 2*theta - end, 2*theta - start.
    Entity* a3 = arc->Mirror({0, 0, 0}, {1, 1, 0});
    EXPECT_NEAR(a3->startAngle(), kPi / 2 - 1.0, 1e-12);
    EXPECT_NEAR(a3->endAngle(), kPi / 2 - 0.5, 1e-12);
    EXPECT_NEAR(a3->center().x, 5, 1e-12);

    line->Delete();
    EXPECT_EQ(ms.Count(), 8);
    EXPECT_EQ(ms.Item(0), arc);
}

TEST(AcadDocument, TextsAreWrittenAsReadersDecodeThem)
{
    struct Case {
        const char* in;
        const char* contents;
    };
    const Case cases[] = {
        {"a\\b", "a\\\\b"}, {"{x}", "\\{x\\}"}, {"eins\nzwei", "eins\\Pzwei"}, {"plain", "plain"},
        // A caret with the next character and "%%" with a letter are codes.
        {"Kies^Jfein 30%%d \\P", "Kies^ Jfein 30%{}%d \\\\P"}, {"^", "^ "}, {"%%%", "%{}%{}%"},
        {"100% 5%", "100% 5%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(acad::mtextContents(QString::fromUtf8(c.in)), QString::fromUtf8(c.contents)) << c.in;

    acad::Document doc;
    doc.ModelSpace().AddMText({0, 0, 0}, 10, QStringLiteral("Maßstab α ä"));
    const QByteArray bytes = acad::dxfText(doc);
    // Umlauts and ß as single bytes of the code page; Greek as \U+.
    EXPECT_TRUE(bytes.contains(QByteArray("Ma\xDF" "stab \\U+03B1 \xE4")));
    EXPECT_TRUE(bytes.contains("ANSI_1252"));
    EXPECT_TRUE(bytes.contains("AC1015"));
}

TEST(AcadDocument, ExtentsHoldEveryTextsWholeBox)
{
    // A text of width 7 and height 2 at (10, 20): its box by attachment and
    // rotation, with a third of the height for descenders (below the last
    // line; a text attached at its bottom may also reach that far below).
    struct Case {
        const char* text;
        int attachment;
        double degrees;
        double x1, y1, x2, y2;
    };
    const double d = 2.0 / 3.0;
    const Case cases[] = {
        {"abc", 1, 0, 10, 20 - 2 - d, 17, 20},
        {"abc", 9, 0, 3, 20 - d, 10, 20 + 2 + d},
        {"abc", 5, 0, 6.5, 20 - 1 - d / 2 - d, 13.5, 20 + 1 + d / 2},
        {"abc", 1, 90, 10, 20, 12 + d, 27},
        {"a\nb", 1, 0, 10, 20 - 2 * (1 + 5.0 / 3.0) - d, 17, 20},
    };
    for (const Case& c : cases) {
        acad::Document doc;
        acad::Entity* t = doc.ModelSpace().AddMText({0, 0, 0}, 7, QString::fromUtf8(c.text));
        t->Height(2);
        t->Rotate({0, 0, 0}, c.degrees * kPi / 180);
        t->AttachmentPoint(c.attachment);
        t->InsertionPoint({10, 20, 0});
        const auto ext = doc.extents();
        EXPECT_NEAR(ext[0].x, c.x1, 1e-9) << c.attachment << " " << c.degrees;
        EXPECT_NEAR(ext[0].y, c.y1, 1e-9) << c.attachment << " " << c.degrees;
        EXPECT_NEAR(ext[1].x, c.x2, 1e-9) << c.attachment << " " << c.degrees;
        EXPECT_NEAR(ext[1].y, c.y2, 1e-9) << c.attachment << " " << c.degrees;
    }
}

TEST(AcadDocument, FailedSaveLeavesNoPartialFile)
{
    QTemporaryDir dir;
    acad::Document doc;
    doc.ModelSpace().AddLine({0, 0, 0}, {1, 1, 0});
    EXPECT_EQ(errorOf([&] { acad::saveDxf(doc, dir.filePath(QStringLiteral("missing/a.dxf"))); }),
              vb::err::PathNotFound);
    // The target's place is taken by a folder: the rename is refused.
    QDir(dir.path()).mkdir(QStringLiteral("b.dxf"));
    EXPECT_NE(errorOf([&] { acad::saveDxf(doc, dir.filePath(QStringLiteral("b.dxf"))); }), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    acad::saveDxf(doc, dir.filePath(QStringLiteral("c.dxf")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("c.dxf")});
}

// An export killed while it writes its drawing leaves the earlier drawing or
// the new one whole; the hidden file it was writing goes with the next export.
TEST(AcadDocument, KilledSaveLeavesAWholeDrawingAndNothingAfterTheNextSave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BK 1-1.dxf"));
    acad::Document doc;
    for (int i = 0; i < 20000; ++i)
        doc.ModelSpace().AddLine({0, double(i), 0}, {100, double(i), 0});
    const QByteArray ganz = acad::dxfText(doc);
    int getroffen = 0;
    for (int runde = 0; runde < 10; ++runde) {
        SCOPED_TRACE(runde);
        getroffen += toetenBeimSchreiben(dir.path(), [&] { acad::saveDxf(doc, path); }, runde * 500) ? 1 : 0;
        if (QFile::exists(path)) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_TRUE(f.readAll() == ganz);
        }
    }
    EXPECT_GT(getroffen, 0);
    acad::saveDxf(doc, path);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("BK 1-1.dxf")});
}
