#include "pages/window/clsKOPFFUSS.h"

#include "drawing/Markup.h"
#include "platform/Services.h"
#include "platform/StepRunner.h"
#include "platform/TextTables.h"
#include "platform/VbError.h"
#include "platform/VbRuntime.h"

#include <cmath>

namespace {

const QString kTitelZeile = QStringLiteral("Kopffuß-Zeile");
const QString kTitelSchrift = QStringLiteral("Schrifteinstellungen");
const QString kTitelText = QStringLiteral("Sub TEXT, Klassenmodul clsGRAFIK");
const QString kSymbolSchrift = QStringLiteral("Symbol");

enum Rand { OBEN = 0, UNTEN = 1, LINKS = 2, RECHTS = 3 };

QString zahl(int v)
{
    return QString::number(v);
}

// The date in the user's short date form.
QString kurzesDatum(const QDate& d)
{
    if (!d.isValid())
        return QString();
    const vb::Locale& l = vb::locale();
    return l.qlocale().toString(d, l.shortDateFormat());
}

// Font slot of a directive's code; -1 keeps the slot of the piece before.
int slotVonCode(const QString& code)
{
    if (code == QLatin1String("c"))
        return 2;
    if (code == QLatin1String("g"))
        return 3;
    if (code == QLatin1String("t") || code == QLatin1String("h"))
        return 4;
    if (code == QLatin1String("gt") || code == QLatin1String("gh"))
        return 5;
    return -1;
}

// Vertical shift of a piece as a share of its own text height: raised pieces
// positive, lowered ones negative.
double verschiebungVonCode(const QString& code)
{
    if (code == QLatin1String("h") || code == QLatin1String("gh"))
        return 0.25;
    if (code == QLatin1String("t") || code == QLatin1String("gt"))
        return -0.35;
    return 0.0;
}

} // namespace

clsKOPFFUSS::clsKOPFFUSS() = default;

drawing::Target& clsKOPFFUSS::flaeche() const
{
    if (!m_flaeche)
        vb::raise(vb::err::ObjectNotSet);
    return *m_flaeche;
}

void clsKOPFFUSS::AUSGABEOBJEKT(drawing::Target* EOBJEKT, const drawing::Target& RAHMENOBJEKT)
{
    AUSGABEOBJEKT(EOBJEKT, QSizeF(RAHMENOBJEKT.ScaleWidth(), RAHMENOBJEKT.ScaleHeight()));
}

void clsKOPFFUSS::AUSGABEOBJEKT(drawing::Target* EOBJEKT, QSizeF RAHMENOBJEKT)
{
    if (!EOBJEKT)
        vb::raise(vb::err::ObjectNotSet);
    m_flaeche = EOBJEKT;
    m_rahmen = RAHMENOBJEKT;
    m_gedruckt.clear();
    m_zeilen.clear();

    // Millimetres per unit of the surface's own scale; the surface keeps it.
    const drawing::Target& f = *EOBJEKT;
    if (f.ScaleWidth() == 0 || f.ScaleHeight() == 0)
        vb::raise(vb::err::DivisionByZero);
    m_mmProEinheitX = f.ScaleX(1.0, drawing::vbUser, drawing::vbMillimeters);
    m_mmProEinheitY = f.ScaleY(1.0, drawing::vbUser, drawing::vbMillimeters);

    m_rand[OBEN] = 15.0 / m_mmProEinheitY;
    m_rand[UNTEN] = 15.0 / m_mmProEinheitY;
    m_rand[LINKS] = 15.0 / m_mmProEinheitX;
    m_rand[RECHTS] = 15.0 / m_mmProEinheitX;
    SCHRIFTEINSTELLUNGEN(QString(), 0, false, false, false, 0);
}

void clsKOPFFUSS::KENNZEICHNUNG(const QString& v)
{
    m_kennungen = QStringList{v};
}

void clsKOPFFUSS::KENNZEICHNUNG(const QStringList& v)
{
    // An empty list stands for an array without elements: nothing to copy.
    m_kennungen = v.isEmpty() ? QStringList{QString()} : v;
}

void clsKOPFFUSS::KENNZEICHNUNG(const vb::Variant& v)
{
    m_kennungen = QStringList{vb::CStr(v)};
}

void clsKOPFFUSS::RANDABSTAND(float mm, const QString& LAGE)
{
    if (!m_flaeche)
        vb::raise(vb::err::ObjectNotSet);
    if (LAGE == QLatin1String("oben"))
        m_rand[OBEN] = mm / m_mmProEinheitY;
    else if (LAGE == QLatin1String("unten"))
        m_rand[UNTEN] = mm / m_mmProEinheitY;
    else if (LAGE == QLatin1String("links"))
        m_rand[LINKS] = mm / m_mmProEinheitX;
    else if (LAGE == QLatin1String("rechts"))
        m_rand[RECHTS] = mm / m_mmProEinheitX;
    else {
        m_rand[OBEN] = m_rand[UNTEN] = mm / m_mmProEinheitY;
        m_rand[LINKS] = m_rand[RECHTS] = mm / m_mmProEinheitX;
    }
}

void clsKOPFFUSS::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, int16_t SCHRIFTGROESSE, bool FETT,
                                      bool UNTERSTRICHEN, bool KURSIV, int32_t FARBE)
{
    vb::StepRunner op(kTitelSchrift, QStringLiteral("VB-Error:"));
    op.step([&] {
        drawing::Target& f = flaeche();
        f.FontName(SCHRIFTART.isEmpty() ? QStringLiteral("Arial") : SCHRIFTART);
        f.FontSize(SCHRIFTGROESSE > 0 ? SCHRIFTGROESSE : 8);
        f.FontBold(FETT);
        f.FontItalic(KURSIV);
        f.FontUnderline(UNTERSTRICHEN);
        f.ForeColor(FARBE > 0 ? FARBE : 0);
    });
    op.step([&] {
        const drawing::StdFont basis = *flaeche().Font();
        // Slots 3 and 5 hold the Greek face, 4 and 5 the small size of
        // subscripts and superscripts.
        const float klein = float(std::nearbyint(basis.Size / 1.175));
        for (int i = 1; i <= 5; ++i) {
            drawing::StdFont s = basis;
            if (i == 3 || i == 5)
                s.Name = kSymbolSchrift;
            if (i >= 4)
                s.Size = klein >= 1 ? klein : 1;
            m_slots[i] = drawing::newFont(s);
        }
    });
    op.run();
}

void clsKOPFFUSS::TEXT(double x, double y, const QString& text, int ausrichtungX, int ausrichtungY)
{
    try {
        textSchritte(x, y, text, ausrichtungX, ausrichtungY);
    } catch (...) {
        // Whatever was printed stays; OK and Cancel both end the text here.
        vb::StepRunner(kTitelText, vb::kVbError).report(vb::currentVbError());
    }
}

void clsKOPFFUSS::textSchritte(double x, double y, const QString& text, int ausrichtungX, int ausrichtungY)
{
    drawing::Target& f = flaeche();
    m_slots[0] = f.Font();

    // Alignment measures the text without its directives.
    const QString plain = drawing::plainText(text);
    const double breite = f.TextWidth(plain);
    const double hoehe = f.TextHeight(plain);
    double px = x;
    if (ausrichtungX == 1)
        px = x - breite / 2;
    else if (ausrichtungX == 2)
        px = x - breite;
    double py = y;
    if (ausrichtungY == 1)
        py = y - hoehe / 2;
    else if (ausrichtungY == 2)
        py = y - hoehe;

    QString gezeigt;
    int vorigerSlot = 0;
    // One piece in its own font; anteil is its shift as a share of its height
    // (raised pieces positive).
    auto stueck = [&](const QString& zeichen, int slot, double anteil, bool eingefuegt) {
        f.Font(m_slots[slot]);
        const QString sichtbar = (slot == 3 || slot == 5) ? vb::symbolToUnicode(zeichen) : zeichen;
        const double h = f.TextHeight(sichtbar);
        if (eingefuegt && f.isPrinter())
            px += 0.35 * h;
        const double sx = px - f.ScaleLeft();
        const double sy = py - anteil * h - f.ScaleTop();
        f.CurrentX(float(sx));
        f.CurrentY(float(sy));
        f.Print(sichtbar);
        m_gedruckt.append(Stueck{sichtbar, sx, sy, slot, *m_slots[slot]});
        gezeigt += sichtbar;
        px += f.TextWidth(sichtbar);
        f.Font(m_slots[0]);
        vorigerSlot = slot;
    };
    auto zeileMerken = [&] {
        if (!gezeigt.isEmpty())
            m_zeilen.append(gezeigt);
    };

    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        const qsizetype auf = text.indexOf(QLatin1Char('{'), pos);
        if (auf < 0) {
            stueck(text.mid(pos), 2, 0.0, false);
            break;
        }
        if (auf > pos)
            stueck(text.mid(pos, auf - pos), 2, 0.0, false);
        else if (pos > 0)
            vorigerSlot = 2;   // an empty plain piece between two directives

        const qsizetype komma = text.indexOf(QLatin1Char(','), auf + 1);
        const qsizetype zu = komma < 0 ? -1 : text.indexOf(QLatin1Char('}'), komma + 1);
        bool zahlOk = false;
        const int anzahl = zu < 0 ? 0 : text.mid(komma + 1, zu - komma - 1).trimmed().toInt(&zahlOk);
        if (komma < 0 || zu < 0 || !zahlOk || anzahl < 0 ||
            (text.mid(auf + 1, komma - auf - 1) == QLatin1String("c") && anzahl > 255)) {
            // A malformed directive: say so; on OK the rest is shown as it stands.
            const vb::VbError fehler = komma < 0 ? vb::VbError(0, QString())
                                     : zu < 0   ? vb::VbError(vb::err::InvalidCall)
                                     : !zahlOk  ? vb::VbError(vb::err::TypeMismatch)
                                                : vb::VbError(vb::err::InvalidCall);
            if (vb::StepRunner(kTitelText, vb::kVbError).report(fehler))
                stueck(text.mid(auf), 2, 0.0, false);
            zeileMerken();
            return;
        }

        const QString code = text.mid(auf + 1, komma - auf - 1);
        if (code == QLatin1String("c")) {
            stueck(QString(vb::cp1252ToUnicode(anzahl)), 2, 0.0, true);
            pos = zu + 1;
            continue;
        }
        const int slot = slotVonCode(code);
        const QString zeichen = text.mid(zu + 1, anzahl);
        if (!zeichen.isEmpty())
            stueck(zeichen, slot < 0 ? vorigerSlot : slot, verschiebungVonCode(code), false);
        pos = zu + 1 + zeichen.size();
    }
    zeileMerken();
}

void clsKOPFFUSS::KOPFFUSSZEILE()
{
    double W = 0, H = 0, T = 0, B = 0, L = 0, R = 0, neunMm = 0;
    double HT = 0, HK = 0, projektX = 0, y = 0, h = 0;
    const bool deutsch = m_sprache == 3;
    const bool englisch = m_sprache == 1;

    vb::StepRunner op(kTitelZeile, vb::kVbError);
    op.step([&] {
        flaeche();
        W = m_rahmen.width();
        H = m_rahmen.height();
        T = m_rand[OBEN];
        B = m_rand[UNTEN];
        L = m_rand[LINKS];
        R = m_rand[RECHTS];
        neunMm = 9.0 / m_mmProEinheitY;
        const bool einer = m_kennungen.size() == 1;
        if (englisch)
            m_bezeichnung = einer ? QStringLiteral("File") : QStringLiteral("Files");
        else if (deutsch)
            m_bezeichnung = einer ? QStringLiteral("Datensatz") : QStringLiteral("Datensätze");
    });
    op.step([&] {
        drawing::Target& f = flaeche();
        f.FontSize(10);
        const double verfuegbar = W - L - R - f.TextWidth(m_bezeichnung);
        m_kennzeile = m_kennungen.value(0);
        for (qsizetype i = 1; i < m_kennungen.size(); ++i) {
            const QString& kennung = m_kennungen.at(i);
            if (f.TextWidth(m_kennzeile + kennung + QLatin1Char(',')) > verfuegbar) {
                m_kennzeile += QStringLiteral(", ...");
                break;
            }
            m_kennzeile += QStringLiteral(", ") + kennung;
        }
    });
    op.step([&] {
        SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 16, true, false, false, 0);
        TEXT(L, T, m_ueberschrift);
        HT = flaeche().TextHeight(m_ueberschrift);
    });
    op.step([&] {
        SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10, false, false, false, 0);
        if (!m_kennzeile.isEmpty())
            TEXT(L, T + neunMm, m_bezeichnung + QLatin1Char(' ') + m_kennzeile);
        HK = flaeche().TextHeight(m_kennzeile);
    });
    op.step([&] {
        if (!m_kommentar.isEmpty())
            TEXT(L, T + neunMm + 1.5 * HK, m_kommentar);
    });
    op.step([&] {
        const QString projekt = deutsch    ? QStringLiteral("Projekt ") + m_projekt
                                : englisch ? QStringLiteral("Project ") + m_projekt
                                           : QString();
        projektX = W - R - flaeche().TextWidth(projekt);
        TEXT(projektX, T + HT - HK, projekt);
    });
    op.step([&] {
        const QString nummer = zahl(m_seite) + QLatin1Char('/') + zahl(m_seitenanzahl);
        const QString seite = deutsch    ? QStringLiteral("Seite ") + nummer
                              : englisch ? QStringLiteral("Page ") + nummer
                                         : QString();
        // The page number keeps one place in every language: it is measured
        // as the German text, whatever is printed.
        const double sx = projektX - flaeche().TextWidth(QString(15, QLatin1Char(' ')) +
                                                         QStringLiteral("Seite ") + nummer);
        if (m_ebokfs)
            TEXT(sx, T + HT - HK, seite);
    });
    op.step([&] {
        SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 7, false, false, false, 0);
        y = H - B;
        h = flaeche().TextHeight(m_programmierer);
    });
    op.step([&] {
        const QString entwickler = deutsch    ? QStringLiteral("Programmentwicklung: ") + m_programmierer
                                   : englisch ? QStringLiteral("Program developed by ") + m_programmierer
                                              : QString();
        const double be = flaeche().TextWidth(entwickler);
        const double bc = flaeche().TextWidth(m_copyright);
        const double bx = W - R - (bc > be ? bc : be);
        TEXT(bx, y, entwickler, 0, 2);
        TEXT(bx, y + h, m_copyright, 0, 2);
    });
    op.step([&] {
        const double mitte = (W + L - R) / 2;
        TEXT(mitte, y, kurzesDatum(m_datum.date()), 1, 2);
        TEXT(mitte, y + h, m_uhrzeit.time().toString(QStringLiteral("HH:mm")), 1, 2);
    });
    op.step([&] {
        const QString bearbeiter = deutsch    ? QStringLiteral("Bearbeiter: ") + m_bearbeiter
                                   : englisch ? QStringLiteral("Project Manager: ") + m_bearbeiter
                                              : QString();
        TEXT(L, y, bearbeiter, 0, 2);
    });
    op.run();
}
