// The soil column: one strip from the ground line to the deepest layer, a
// rectangle per layer, the depth of every boundary to the left and a short
// description of every layer to the right, and the assessors below.
#include "log/clsPROFIL.h"

#include "database/clsDATEN.h"
#include "drawing/DrawingInterface.h"
#include "log/ProfilRegeln.h"
#include "log/Zeilenleser.h"
#include "platform/StepRunner.h"
#include "platform/VbError.h"

#include <cmath>

namespace {

// Least distance in line heights from the top of a layer's text block, where
// the leader above runs, to the top of its first line.
constexpr float kBeschreibungsabstand = 0.35f;

struct Schicht
{
    float TUKS = 0;
    QString HPTB1, HPTB2, NEBB, RUND, ZUST, FARBE, BEMS;
    int16_t BS = 0;
};

} // namespace

void clsPROFIL::PROFIL(clsDATEN& DAT, ProfilParameter& p)
{
    vb::ErrorTrap falle(QStringLiteral("clsPROFIL, PROFIL"));

    // --- reading -------------------------------------------------------------
    float h = 0, X = 0;
    falle([&] {
        if (p.SG == 0)
            p.SG = 8;
        h = float(p.SG) * 0.4f;
    });
    falle([&] { X = p.X ? *p.X : standardX(); });
    std::vector<Schicht> s;
    if (!zeilenLesen<Schicht>(falle, DAT,
                              {{"TUKS", &Schicht::TUKS}, {"HPTB1", &Schicht::HPTB1}, {"HPTB2", &Schicht::HPTB2},
                               {"NEBB", &Schicht::NEBB}, {"RUND", &Schicht::RUND}, {"ZUST", &Schicht::ZUST},
                               {"FARBE", &Schicht::FARBE}, {"BEMS", &Schicht::BEMS}, {"BS", &Schicht::BS}},
                              s))
        return;

    const float d = float(m_d);
    const size_t n = s.size();
    std::vector<float> y(n), gL(n, h), gB(n);
    // A remark longer than the room beside the column goes on as many lines
    // as it needs; its layer's text block grows by them.
    const float bemerkungsbreite = p.BEMBREITE.value_or(profilregeln::BEMERKUNGSBREITE);
    std::vector<QStringList> bemerkung(n);
    for (size_t i = 0; i < n; ++i) {
        y[i] = m_EYB + d * s[i].TUKS;
        if (p.BEMV == 1)
            bemerkung[i] = profilregeln::umbrechen(s[i].BEMS, bemerkungsbreite,
                                                   [&](const QString& t) { return profilregeln::textbreite(t, p.SG); });
        gB[i] = profilregeln::textblockhoehe(h, p.BFV, s[i].FARBE, p.BEMV, s[i].BEMS, int(bemerkung[i].size()));
    }
    const std::vector<float> L = profilregeln::beschriftungslinien(y, gL, m_EYB, m_d, m_OY, m_MY);
    // The text blocks' label lines, placed top down below (a remark left out
    // changes its own block).
    std::vector<float> B(n);

    // --- setting up ------------------------------------------------------------
    if (!falle([&] { bild().SCHRIFTEINSTELLUNGEN(QString(), p.SG); }))
        return;

    // Top of a layer's text: the block runs from the previous block's bottom
    // (the ground line for the first layer) to this layer's block bottom.
    // The previous layer's leader (the ground line's stroke for the first
    // layer) runs along that top, so the text starts no higher than
    // kBeschreibungsabstand line heights below it: half the block's spare 0.7
    // lines, which keeps as much room to the own leader at the bottom.
    const auto textanfang = [&](size_t i) {
        const float H = i == 0 ? B[0] - m_EYB : B[i] - B[i - 1];
        const float oben = B[i] - d * std::fabs(H);
        const float hoechster = oben + d * kBeschreibungsabstand * h * m_MY;
        float yt = p.ARV && p.BOBKEN == 0 ? B[i] - d * h * m_MY - d * std::fabs(H) / 2.0f : oben;
        if ((yt - hoechster) * d < 0)
            yt = hoechster;
        return yt;
    };
    const bool farbzeile = p.BFV == 1;
    const auto bemerkungszeilen = [&](size_t i) {
        float yt = textanfang(i);
        if (farbzeile && !s[i].FARBE.isEmpty())
            yt += d * h * m_MY;
        std::vector<float> zeilenY;
        for (qsizetype k = 0; k < bemerkung[i].size(); ++k) {
            yt += d * h * m_MY;
            zeilenY.push_back(yt);
        }
        return zeilenY;
    };

    // --- remarks the frame holds -------------------------------------------
    // A remark is one text, however many lines it takes: drawn whole where the
    // frame holds every line, else not at all, so that no piece of it reads as
    // the layer's whole remark. One that is not drawn keeps the one line a
    // remark's text takes in its layer's block, and pushes the layers below no
    // further. Each layer's text stands below the blocks above it, so the
    // layers are placed and decided from the top down.
    const auto platzieren = [&](size_t i) {
        B[i] = profilregeln::beschriftungslinie(y, B, i, gB[i], m_EYB, m_d, m_OY, m_MY);
    };
    for (size_t i = 0; i < n; ++i) {
        platzieren(i);
        if (bemerkung[i].isEmpty())
            continue;
        const std::vector<float> zeilenY = bemerkungszeilen(i);
        bool ganz = true;
        for (qsizetype k = 0; k < bemerkung[i].size() && ganz; ++k) {
            bool passt = false;
            falle([&] { passt = bild().TEXTPASST(X + 7.5f * m_MX, zeilenY[size_t(k)], bemerkung[i][k], 1); });
            ganz = passt;
        }
        if (falle.cancelled())
            return;
        if (ganz)
            continue;
        const bool kuerzer = bemerkung[i].size() > 1;
        bemerkung[i].clear();
        if (kuerzer) {
            gB[i] = profilregeln::textblockhoehe(h, p.BFV, s[i].FARBE, p.BEMV, s[i].BEMS, 1);
            platzieren(i);
        }
    }

    // --- depth arrow and top label -----------------------------------------
    if (p.BOKOT == 0) {
        const float cx = X - 10.0f * m_MX;
        falle([&] { zug({X + 15.0f * m_MX, cx, cx}, {m_EYB, m_EYB, m_EYB + d * 5.0f * m_MY}, 1); });
        falle([&] { bild().TEXT(X - 11.0f * m_MX, m_EYB, profilregeln::tiefensymbol(m_ETAV, m_EOPTH), 1, 0, 2, 1); });
        falle([&] { bild().TEXT(X - 11.0f * m_MX, m_EYB + d * h * m_MY, QStringLiteral("[m]"), 1, 0, 2, 1); });
        falle([&] {
            float xp = 0, yp = 0;
            bild().KOORDTRANS(cx, m_EYB, xp, yp);
            bild().KREIS(xp, yp, 0.3f, 0, 0.0f, 0, false, int16_t(0));
        });
        falle([&] { bild().TEXT(X - 2.5f * m_MX, m_EYB, profilregeln::kopftext(m_ETAV, m_EH), 1, 0, 2); });
        if (falle.cancelled())
            return;
    }

    // --- layers ------------------------------------------------------------------
    const float links = X;
    const float rechts = X + 5.0f * m_MX;
    for (size_t i = 0; i < n; ++i) {
        const Schicht& r = s[i];
        const float oben = i == 0 ? m_EYB : y[i - 1];
        const float unten = y[i];
        float xp1 = 0, yp1 = 0, xp2 = 0, yp2 = 0;
        float wx1 = links, wy1 = oben, wx2 = rechts, wy2 = unten;
        QString rundung;

        falle([&] {
            bild().KOORDTRANS(links, oben, xp1, yp1);
            bild().KOORDTRANS(rechts, unten, xp2, yp2);
        });
        if (p.FARBEN != 0) {
            falle([&] {
                const int32_t farbe = FARBAUSWAHL(p.FARBEN, r.FARBE, r.HPTB1);
                // A target that can't show the chosen fill mode switches it off
                // for this and every later layer.
                if (p.FARBEN != 0)
                    bild().LINIE(xp1, yp1, xp2, yp2, farbe);
            });
        }
        falle([&] { rundung = profilregeln::rundungswort(r.RUND); });
        falle([&] {
            bild().KOORDTRANSINV(xp1, yp1, wx1, wy1);
            bild().KOORDTRANSINV(xp2, yp2, wx2, wy2);
        });
        falle([&] { UNTERGRUNDPROFIL(wx1, wy1, wx2, wy2, r.HPTB1, rundung, p.SYMBOLE, h); });
        if (!r.HPTB2.isEmpty())
            falle([&] { UNTERGRUNDPROFIL(wx1, wy1, wx2, wy2, r.HPTB2, rundung, p.SYMBOLE, h); });
        if (p.BZSV == 1 && !r.ZUST.isEmpty()) {
            falle([&] {
                const QString code = profilregeln::zustandscode(r.ZUST);
                if (!code.isEmpty())
                    BODENZUSTAND(wx1, wy1, wx2, wy2, code);
            });
        }
        falle([&] { bild().LINIENEINSTELLUNGEN(); });
        falle([&] { zug({links, rechts, rechts, links, links}, {oben, oben, unten, unten, oben}); });

        if (p.BOKOT == 0) {
            falle([&] { zug({X, X - 1.5f * m_MX, X - 9.0f * m_MX}, {y[i], L[i], L[i]}); });
            falle([&] {
                const float tiefe = (y[i] - m_EYB) * d;
                bild().TEXT(X - 2.5f * m_MX, L[i], profilregeln::tiefentext(m_ETAV, m_EH, tiefe), 1, 0, 2);
            });
        }

        if (p.BOBKEN == 0)
            falle([&] { zug({X + 5.0f * m_MX, X + 6.5f * m_MX, X + 15.0f * m_MX}, {y[i], B[i], B[i]}); });

        const float yt = textanfang(i);
        if (p.BOBKEN == 0) {
            falle([&] {
                const QString text = profilregeln::schichtbeschreibung(r.HPTB1, r.HPTB2, r.NEBB, r.ZUST, r.BS, p.BUV);
                bild().TEXT(X + 7.5f * m_MX, yt, text, 1);
            });
        }
        if (farbzeile && !r.FARBE.isEmpty())
            falle([&] { bild().TEXT(X + 7.5f * m_MX, yt + d * h * m_MY, FARBBEZ(r.FARBE), 1); });
        // Only a remark the frame holds whole is left here.
        const std::vector<float> zeilenY = bemerkungszeilen(i);
        for (qsizetype k = 0; k < bemerkung[i].size(); ++k)
            falle([&] { bild().TEXT(X + 7.5f * m_MX, zeilenY[size_t(k)], bemerkung[i][k], 1); });
        if (falle.cancelled())
            return;
    }

    // --- assessors -----------------------------------------------------------------
    if (p.BUV == 1) {
        falle([&] {
            if (!m_ELBUgesetzt)
                vb::raise(vb::err::TypeMismatch);
            float dy = d * h * m_MY;
            for (int k = 0; k < m_ELBU.size(); ++k) {
                if (m_ELBU[k].isEmpty())
                    continue;
                bild().TEXT(X + 30.0f * m_MX, B[n - 1] + dy, QString::number(k + 1) + QStringLiteral(": ") + m_ELBU[k], 1);
                dy += d * h * m_MY;
            }
        });
    }
}
