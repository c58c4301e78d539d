// A showcase page drawn through the CAD engine and the export driver, written
// as DXF and read back by the tools users open it with.

#include "CadFixture.h"
#include "autocad/AcadExport.h"
#include "drawing/Numeric.h"

#include <QDir>
#include <QFile>

namespace {

// Every line type, several weights and colours, a band, a whole-turn arc,
// texts with umlauts, markup, alignment and rotation, a text of characters
// readers interpret, and arrow heads.
void showcase(clsAGRAFIK& g)
{
    drawing::ViewState v = logPageView();
    v.RL = 10, v.RR = 10, v.RO = 10, v.RU = 10;
    g.setView(v);
    for (int16_t k = 0; k <= 4; ++k) {
        g.LINIENEINSTELLUNGEN(k, float(2 * k), int32_t(k + 8));
        g.LINIE(20, 20 + 6 * k, 150, 20 + 6 * k);
    }
    g.LINIENEINSTELLUNGEN(0, 1, 0);
    g.LINIE(160, 20, 200, 40, drawing::rgb(255, 0, 0));
    float al2 = 3 * drawing::kPi;
    g.LINIENEINSTELLUNGEN(1, 3, 12);
    g.KREIS(200, 80, 12, drawing::kPi, al2, 0, false, int16_t(0));
    g.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10);
    g.TEXT(20, 60, QStringLiteral("Geländehöhe über Adria = 312,450 m"));
    g.TEXT(100, 75, QStringLiteral("Maßstab 1: 100"), 0, 0, 1, 2);
    g.TEXT(20, 130, QStringLiteral("Kies^Jfein 30%%d \\P a\\b 100%"));
    g.SCHRIFTEINSTELLUNGEN(QStringLiteral("Symbol"), 10, true, false, false, 4);
    g.TEXT(150, 100, QStringLiteral("I{t,1}D [1]"), 0, 90, 1, 1);
    g.LINIENEINSTELLUNGEN(0, 5, 2);
    g.PFEIL(20, 110, 80, 110);
    g.PFEIL(80, 120, 20, 120);
}

} // namespace

TEST_F(CadTest, ShowcaseExportReadsBackInCadTools)
{
    vb::RecordingDesktopOpener opener;
    vb::DesktopOpener* before = vb::setDesktop(&opener);
    db::sharedState().PROJEKTSPFAD = m_dir.path();
    db::sharedState().PROJEKT = QStringLiteral("P1");

    acad::AcadExport driver;
    acad::ExportPage page;
    page.KEN = QStringLiteral("KB 3/26");
    page.SEITEA = [&](acad::Document& d, bool clip) {
        clsAGRAFIK e;
        e.EBOGRENZEN(clip);
        e.EOBJEKT(&d);
        e.ELX(240);
        e.ELY(290);
        showcase(e);
    };
    driver.ACADEXPORT(true, page, 3);
    vb::setDesktop(before);

    EXPECT_TRUE(m_box->messages().empty()) << m_box->messages().front().text;
    const QString expected = QDir(m_dir.path()).filePath(QStringLiteral("P1/DXF/KB 3_26-1.dxf"));
    ASSERT_EQ(driver.datei(), expected);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0], expected);

    QDir().mkpath(QStringLiteral(KAVELOR_RENDER_DIR));
    const QString render = QStringLiteral(KAVELOR_RENDER_DIR "/cad-core.dxf");
    QFile::remove(render);
    ASSERT_TRUE(QFile::copy(expected, render));

    QString output;
    EXPECT_EQ(runChecker(QStringLiteral("check_cad_core.py"), {render}, output), 0) << output;

    // LibreCAD converts it to PDF.
    const QString pdf = QStringLiteral(KAVELOR_RENDER_DIR "/cad-core.pdf");
    QFile::remove(pdf);
    QProcess lc;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    lc.setProcessEnvironment(env);
    lc.start(QStringLiteral("librecad"), {QStringLiteral("dxf2pdf"), QStringLiteral("-a"), QStringLiteral("-o"), pdf, render});
    ASSERT_TRUE(lc.waitForFinished(120000));
    EXPECT_GT(QFileInfo(pdf).size(), 0) << lc.readAllStandardError().toStdString();
}

// A step of the export that fails: OK goes on and the drawing is written,
// Cancel ends the export without a file.
TEST_F(CadTest, ExportErrorsGoOnWithOkAndEndWithCancel)
{
    vb::RecordingDesktopOpener opener;
    vb::DesktopOpener* before = vb::setDesktop(&opener);
    db::sharedState().PROJEKTSPFAD = m_dir.path();
    db::sharedState().PROJEKT = QStringLiteral("P2");
    struct Case {
        int answer;
        bool written;
    };
    for (const Case c : {Case{vb::vbOK, true}, Case{vb::vbCancel, false}}) {
        m_box->clear();
        m_box->answerMessage(c.answer);
        acad::AcadExport driver;
        acad::ExportPage page;
        page.KEN = QStringLiteral("KB 9");
        page.SEITEA = [](acad::Document& d, bool) {
            d.ModelSpace().AddLine({0, 10, 0}, {10, 20, 0});
            vb::raise(vb::err::DivisionByZero);
        };
        driver.ACADEXPORT(false, page, 3);
        ASSERT_EQ(m_box->messages().size(), 1u) << c.answer;
        EXPECT_EQ(m_box->messages()[0].title, QStringLiteral("AutoCAD-Export"));
        EXPECT_TRUE(m_box->messages()[0].text.startsWith(QStringLiteral("VB-Fehler: \nFehlerNr. 11\n")));
        EXPECT_EQ(!driver.datei().isEmpty(), c.written) << c.answer;
        EXPECT_FALSE(vb::waitPointerShown());
    }
    vb::setDesktop(before);
    const QDir dxf(QDir(m_dir.path()).filePath(QStringLiteral("P2/DXF")));
    EXPECT_EQ(dxf.entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("KB 9-1.dxf")});
}
