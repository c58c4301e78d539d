#pragma once
// A project with one active record (key above 16 bits) as the working copy,
// and a CAD engine bound to a fresh document with the log page's view: plot
// area 5..233 x 5..127 mm of a 240 x 132 mm picture.

#include "../drawing/DrawingFixture.h"
#include "autocad/AcadDocument.h"
#include "autocad/clsAGRAFIK.h"

#include <QProcess>

class CadTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        g = std::make_unique<clsAGRAFIK>();
        g->EOBJEKT(&doc);
        g->ELX(240);
        g->ELY(132);
        g->setView(logPageView());
        g->LINIENEINSTELLUNGEN();
    }

    // The entities added since the call before (all of them the first time).
    std::vector<acad::Entity*> added()
    {
        std::vector<acad::Entity*> out;
        for (int i = m_seen; i < doc.ModelSpace().Count(); ++i)
            out.push_back(doc.ModelSpace().Item(i));
        m_seen = doc.ModelSpace().Count();
        return out;
    }

    acad::Document doc;
    std::unique_ptr<clsAGRAFIK> g;

private:
    int m_seen = 0;
};

// Runs Debian's python on a checker script next to the tests; returns its
// exit code and leaves what it printed in output.
inline int runChecker(const QString& script, const QStringList& args, QString& output)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral(KAVELOR_CAD_TEST_DIR "/") + script} + args);
    if (!p.waitForFinished(120000))
        return -1;
    output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
